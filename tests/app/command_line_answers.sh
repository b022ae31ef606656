#!/usr/bin/env bash
# The program's answers to --help, --version and a command line it refuses, with no display at all:
# it answers before Qt would look for one.
# Usage: command_line_answers.sh PROGRAM VERSION
set -u
program=${1:?program}
version=${2:?version}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect STATUS FIRST-LINE-OUT FIRST-LINE-ERR ARGUMENT...: the exit status and the first line of each stream.
expect() {
    local status=$1 stdout=$2 stderr=$3
    shift 3
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$out/stdout" 2>"$out/stderr"
    local actual=$?
    [ "$actual" -eq "$status" ] || fail "kururie $* ended with $actual, not $status: $(cat "$out/stderr")"
    [ "$(head -n 1 "$out/stdout")" = "$stdout" ] ||
        fail "kururie $* printed '$(head -n 1 "$out/stdout")', not '$stdout'"
    [ "$(head -n 1 "$out/stderr")" = "$stderr" ] || fail "kururie $* said '$(head -n 1 "$out/stderr")', not '$stderr'"
}

expect 0 "使い方: kururie [オプション] [ファイル]" "" --help
expect 0 "くるりえ $version" "" --version
expect 2 "" "kururie: 「--bogus」というオプションはありません。" --bogus
expect 2 "" "kururie: 開くファイルは一つだけ指定してください (二つ目は「b.bmp」)。" a.bmp b.bmp
[ "$(tail -n +2 "$out/stderr")" = "「kururie --help」で使い方を表示します。" ] ||
    fail "the refusal does not end with the hint: $(cat "$out/stderr")"
expect 2 "" "kururie: 「-x」というオプションはありません。" -x
expect 2 "" "kururie: オプション「-style」には値が要ります。" -style

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "answered --help, --version and a wrong command line without a display"

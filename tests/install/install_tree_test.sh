#!/bin/bash
# Installs the build into a scratch prefix and checks that the desktop integration lands where
# launchers and software centres look for it, and that its files pass the freedesktop validators.
# Usage: install_tree_test.sh <build-dir>
set -u
build_dir=${1:?build directory}
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build_dir" --prefix "$prefix" || { echo "FAIL: cmake --install did not succeed"; exit 1; }
cd "$prefix" || exit 1
desktop_file=share/applications/io.github.kururie.Kururie.desktop
metainfo_file=share/metainfo/io.github.kururie.Kururie.metainfo.xml
for path in bin/kururie "$desktop_file" "$metainfo_file" share/icons/hicolor/scalable/apps/kururie.svg; do
    [ -f "$path" ] || fail "$path is not installed"
done
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
    icon=share/icons/hicolor/$size/apps/kururie.png
    # A PNG keeps its width and height as big-endian words at bytes 16 and 20.
    actual=$(od -An -tu4 --endian=big -j16 -N8 "$icon" 2>/dev/null | awk '{ print $1 "x" $2 }')
    [ "$actual" = "$size" ] || fail "$icon is ${actual:-not installed}, not $size"
done
# Launchers start it with the file to open, for the pictures it opens; software centres list the same ones.
grep -qx 'Exec=kururie %f' "$desktop_file" || fail "the desktop entry does not start kururie with a file"
desktop_types=$(sed -n 's/^MimeType=//p' "$desktop_file" | tr ';' '\n' | sed '/^$/d' | sort)
metainfo_types=$(sed -n 's|.*<mediatype>\(.*\)</mediatype>.*|\1|p' "$metainfo_file" | sort)
expected_types=$(printf '%s\n' image/bmp image/gif image/jpeg image/png)
[ "$desktop_types" = "$expected_types" ] || fail "the desktop entry's types are" $desktop_types
[ "$metainfo_types" = "$expected_types" ] || fail "the metainfo's media types are" $metainfo_types
desktop-file-validate "$desktop_file" || fail "desktop-file-validate reported errors"
appstreamcli validate --no-net "$metainfo_file" || fail "appstreamcli validate reported problems"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "install tree is complete"

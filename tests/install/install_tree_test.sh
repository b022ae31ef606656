#!/bin/bash
# Installs the build into a scratch prefix and checks that the desktop integration lands where
# launchers and software centres look for it, and that its files pass the freedesktop validators.
# Usage: install_tree_test.sh <build-dir> <source-dir>
set -u

build_dir=${1:?build directory}
source_dir=${2:?source directory}
app_id=io.github.kururie.Kururie
skipped=77

for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit $skipped
    fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

expect_file() {
    if [ -f "$prefix/$1" ]; then
        echo "ok: $1"
    else
        fail "$1 is not installed"
    fi
}

# A PNG keeps its width and height as big-endian words at bytes 16 and 20.
png_size() {
    local b
    read -r -a b < <(od -An -tu1 -j16 -N8 "$1")
    echo "$(((b[0] << 24) + (b[1] << 16) + (b[2] << 8) + b[3]))x$(((b[4] << 24) + (b[5] << 16) + (b[6] << 8) + b[7]))"
}

if ! cmake --install "$build_dir" --prefix "$prefix"; then
    echo "FAIL: cmake --install did not succeed"
    exit 1
fi

desktop_file=share/applications/$app_id.desktop
metainfo_file=share/metainfo/$app_id.metainfo.xml

expect_file bin/kururie
expect_file "$desktop_file"
expect_file "$metainfo_file"
for size in 32x32 48x48 64x64 128x128 256x256; do
    icon=share/icons/hicolor/$size/apps/kururie.png
    expect_file "$icon"
    if [ -f "$prefix/$icon" ] && [ "$(png_size "$prefix/$icon")" != "$size" ]; then
        fail "$icon is $(png_size "$prefix/$icon"), not $size"
    fi
done
expect_file share/icons/hicolor/scalable/apps/kururie.svg

# The launcher icon and the icon built into the window are one picture.
if ! cmp -s "$source_dir/resources/kururie.png" "$prefix/share/icons/hicolor/32x32/apps/kururie.png"; then
    fail "the 32x32 theme icon differs from resources/kururie.png"
fi

if [ -f "$prefix/$desktop_file" ]; then
    if desktop-file-validate "$prefix/$desktop_file"; then
        echo "ok: desktop-file-validate"
    else
        fail "desktop-file-validate reported errors"
    fi
fi

if [ -f "$prefix/$metainfo_file" ]; then
    if appstreamcli validate --no-net "$prefix/$metainfo_file"; then
        echo "ok: appstreamcli validate"
    else
        fail "appstreamcli validate reported problems"
    fi
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install tree is complete"

#!/bin/bash
# Checks what the build installs, as `cmake --install` lays it out in a scratch prefix (tree) or as the Debian
# package holds it, with its control fields and lintian's verdict, where any error fails (package): the program,
# its manual and documents, and the desktop integration where launchers and software centres look for it, which
# passes the freedesktop validators. Answers 77 when a tool it needs is not installed.
# Usage: install_test.sh <build-dir> tree | install_test.sh <build-dir> package <version>
set -u
build=${1:?build directory}
for tool in desktop-file-validate appstreamcli ${3:+dpkg-shlibdeps lintian}; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if [ "${2:?tree or package}" = tree ]; then
    cmake --install "$build" --prefix "$scratch/usr" >/dev/null || { echo "FAIL: cmake --install failed"; exit 1; }
else
    # Named by its Package, Version and Architecture fields.
    deb=$scratch/kururie_${3:?package version}_$(dpkg --print-architecture).deb
    { cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" && dpkg-deb -x "$deb" "$scratch"; } \
        >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; echo "FAIL: no $(basename "$deb") made"; exit 1; }
    depends=$(dpkg-deb --field "$deb" Depends)
    for package in libqt6core6 libqt6gui6 libqt6widgets6 libpng16-16 fonts-ipafont-gothic qt6-translations-l10n; do
        grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
    done
    errors=$(lintian --display-info --pedantic "$deb" | tee /dev/stderr | grep -c '^E:')
    [ "$errors" = 0 ] || fail "lintian reported $errors errors"
fi

cd "$scratch/usr" || exit 1
desktop_file=share/applications/io.github.kururie.Kururie.desktop
metainfo_file=share/metainfo/io.github.kururie.Kururie.metainfo.xml
for path in bin/kururie share/man/man1/kururie.1.gz share/doc/kururie/copyright share/doc/kururie/changelog.gz \
    share/icons/hicolor/scalable/apps/kururie.svg "$desktop_file" "$metainfo_file"; do
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
types=$(sed -n 's/^MimeType=//p' "$desktop_file" | tr ';' '\n' | sort | xargs)
[ "$types" = "image/bmp image/gif image/jpeg image/png" ] || fail "the desktop entry's types are $types"
types=$(sed -n 's|.*<mediatype>\(.*\)</mediatype>.*|\1|p' "$metainfo_file" | sort | xargs)
[ "$types" = "image/bmp image/gif image/jpeg image/png" ] || fail "the metainfo's media types are $types"
desktop-file-validate "$desktop_file" || fail "desktop-file-validate reported errors"
appstreamcli validate --no-net "$metainfo_file" || fail "appstreamcli validate reported problems"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }

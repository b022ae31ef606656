#!/bin/bash
# Makes the Debian package into a scratch folder and checks what it holds, what it declares and
# what lintian says of it; any lintian error fails.
# Usage: package_test.sh <build-dir> <version>
set -u
build_dir=${1:?build directory}
version=${2:?package version}
for tool in dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$out" >"$out/cpack.log" ||
    { cat "$out/cpack.log"; echo "FAIL: cpack did not make the package"; exit 1; }
architecture=$(dpkg --print-architecture)
deb=$out/kururie_${version}_$architecture.deb
[ -f "$deb" ] || { echo "FAIL: no $(basename "$deb") among:" "$out"/*.deb; exit 1; }

contents=$(dpkg-deb --fsys-tarfile "$deb" | tar -t)
for path in usr/bin/kururie usr/share/applications/io.github.kururie.Kururie.desktop \
    usr/share/metainfo/io.github.kururie.Kururie.metainfo.xml usr/share/icons/hicolor/scalable/apps/kururie.svg \
    usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/kururie.png \
    usr/share/doc/kururie/copyright usr/share/doc/kururie/changelog.gz usr/share/man/man1/kururie.1.gz; do
    grep -qx "\./$path" <<<"$contents" || fail "$path is not in the package"
done

for expected in Package=kururie Version="$version" Architecture="$architecture"; do
    actual=$(dpkg-deb --field "$deb" "${expected%%=*}")
    [ "$actual" = "${expected#*=}" ] || fail "${expected%%=*} is '$actual', not '${expected#*=}'"
done
depends=$(dpkg-deb --field "$deb" Depends)
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libpng16-16 fonts-ipafont-gothic qt6-translations-l10n; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package"
done
lintian --display-info --pedantic "$deb" | tee "$out/lintian.log"
grep -q '^E:' "$out/lintian.log" && fail "lintian reported errors"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package is complete"

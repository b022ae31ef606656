#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its benchmarks need; only what is missing.
set -euo pipefail
packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libpng-dev qt6-qpa-plugins qt6-wayland
    qt6-translations-l10n fonts-ipafont-gothic
    desktop-file-utils appstream dpkg-dev lintian
    python3 python3-levenshtein python3-tabulate xvfb xauth xdotool xclip imagemagick librsvg2-bin openbox weston
    sway wtype wl-clipboard grim
    at-spi2-core dbus-daemon libglib2.0-bin python3-pyatspi
    adwaita-qt6 qt6ct qt6-gtk-platformtheme libqt6svg6 qt6-image-formats-plugins
    clang libclang-rt-14-dev gcovr
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Mozai needs.
# Idempotent: returns at once when everything is already there.
set -euo pipefail

packages=(
    # build
    cmake g++ make pkg-config
    qt6-base-dev libqt6opengl6-dev libxcb1-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # tests and running without a desktop
    xvfb xauth xdotool openbox picom trayer x11-utils imagemagick
    fonts-dejavu-core fonts-ipafont-gothic libgl1-mesa-dri
    # checks of the installed tree and the Debian package
    desktop-file-utils appstream lintian man-db dpkg-dev fakeroot
    # leak checking under the sanitizers; the fuzz targets (clang's libFuzzer)
    libclang-rt-14-dev clang
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Quorvel needs.
# Idempotent: returns at once when everything is present.
set -euo pipefail

PACKAGES=(
    build-essential cmake make pkg-config ninja-build
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
    libavfilter-dev ffmpeg
    libmediainfo-dev libmediainfo0v5
    libpugixml-dev libsdl2-dev libdlib-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-ipafont-gothic binutils ccache dpkg-dev file
    qt6-svg-dev libqt6svg6 qt6-translations-l10n
    clang-14 libclang-rt-14-dev llvm-14
    xvfb openbox xdotool wmctrl x11-utils imagemagick desktop-file-utils poppler-utils
    tesseract-ocr tesseract-ocr-eng tesseract-ocr-jpn
)

missing=()
for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$pkg")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"

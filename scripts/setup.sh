#!/usr/bin/env bash
# Installs the Debian packages Lumetra needs to build, test and run.
# Idempotent: only packages that are missing are installed. As root apt-get is
# called directly, otherwise through sudo.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-image-formats-plugins
  qt6-l10n-tools qt6-translations-l10n
  libcurl4-openssl-dev
  libturbojpeg0-dev libjpeg62-turbo-dev libexif-dev libtiff-dev
  libavcodec-dev libavformat-dev libavutil-dev libswscale-dev
  libopencv-imgproc-dev
  libplist-dev libplist-utils
  libv4l-dev
  libcpp-httplib-dev
  nlohmann-json3-dev
  fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-format-14
  ffmpeg xvfb xauth libtiff-tools
  fusefat dosfstools python3
  clang libclang-rt-14-dev
  appstream desktop-file-utils dpkg-dev debootstrap xdotool
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

SUDO=()
if [ "$(id -u)" -ne 0 ]; then SUDO=(sudo); fi
echo "setup: installing ${missing[*]}"
"${SUDO[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Builds the Debian package, installs it with apt into a fresh Debian 12 root made by
# debootstrap, and starts the installed program there in demo mode under Xvfb until it
# has saved a screenshot. Needs root (debootstrap, chroot, mounts) and the network to the
# Debian mirror that apt is configured with. Not part of .ci/run: it is slow.
#
#   scripts/check-package.sh [work-folder]     (default /var/tmp/lumetra-package-check)
#
# The first run bootstraps a pristine root into work-folder/pristine and keeps it; every
# run installs into a fresh copy of it (work-folder/root). The package is built in
# build-package/, the screenshot lands in build-package/package-demo.png.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-/var/tmp/lumetra-package-check}
build=${BUILD_DIR:-$src/build-package}
if [ "$(id -u)" -ne 0 ]; then
  echo "check-package: needs root (debootstrap, chroot)" >&2
  exit 1
fi

"$src/scripts/setup.sh"
# An existing build folder (BUILD_DIR) is used as it is configured.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMETRA_BUILD_TESTS=OFF \
    -DLUMETRA_BUILD_BENCH=OFF
fi
cmake --build "$build" --target lumetra
rm -f "$build"/lumetra_*.deb
(cd "$build" && cpack -G DEB)
deb=$(echo "$build"/lumetra_*.deb)
dpkg-deb --field "$deb" Depends

# The mirror apt uses here (deb822 sources first, then the classic list).
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1)
mirror=${mirror:-http://deb.debian.org/debian}

if [ ! -x "$work/pristine/usr/bin/apt-get" ]; then
  rm -rf "$work/pristine"
  mkdir -p "$work"
  debootstrap --variant=minbase bookworm "$work/pristine" "$mirror"
fi
root=$work/root
rm -rf "$root"
cp -a "$work/pristine" "$root"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT
for fs in proc dev dev/pts; do
  case $fs in
    proc) mount -t proc proc "$root/proc" ;;
    *) mount --bind "/$fs" "$root/$fs" ;;
  esac
  mounted+=("$root/$fs")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }
in_root apt-get update -q
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  "/tmp/$(basename "$deb")" xvfb xauth
in_root lumetra --version
in_root mkdir -p /tmp/home
in_root env HOME=/tmp/home xvfb-run -a -s "-screen 0 1600x1000x24" \
  lumetra --demo --screenshot /tmp/package-demo.png
cp "$root/tmp/package-demo.png" "$build/package-demo.png"
echo "check-package: the installed program ran; screenshot: $build/package-demo.png"

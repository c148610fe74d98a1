#!/bin/sh
# Installs the Debian packages the build, the game and the tests need.
# Quiet and quick when everything is already there; uses sudo when not root.
# Usage: install-deps.sh run|test|bench|fuzz|dist|cross [ARCH]|port
# `cross ARCH` (armhf, arm64) adds the cross compiler, the user-mode emulator and the ARM
# library tree (pkg/cross/sysroot.sh, in $FRETFALL_SYSROOTS/ARCH); `dist` what makes a
# bundle of this machine's build; `port` what makes and checks the handheld port, with its
# Debian 11 build root (pkg/port/root.sh, in $FRETFALL_SYSROOTS/debian11). `test` includes
# `port`.
set -e
here=$(dirname "$0")

RUN_PKGS="cmake g++ make pkg-config libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libpng-dev libjpeg-dev libvorbis-dev libogg-dev libmp3lame-dev libopusfile-dev libmpg123-dev fonts-lato fonts-open-sans"
TEST_PKGS="libgtest-dev libopusenc-dev googletest xvfb xdotool x11-utils jwm imagemagick clang libclang-rt-14-dev clang-format"
BENCH_PKGS="valgrind time"
FUZZ_PKGS="clang libclang-rt-14-dev"
# A bundle's libraries get their run path from patchelf.
DIST_PKGS="patchelf"
# One static emulator serves both the emulated test runs and the glibc-only chroot the
# bundle is proven in.
CROSS_PKGS="qemu-user-static $DIST_PKGS"
# The port's build root is unpacked from Debian 11's packages (pkg/port/root.sh); the
# checker reads port.json and gameinfo.xml with Python's own parsers; the launcher's test
# runs the ARM launcher and the game it starts under proot, which puts the emulator beneath
# each.
PORT_PKGS="qemu-user-static patchelf zip unzip imagemagick python3 xvfb xdotool x11-utils proot"
SYSROOTS=${FRETFALL_SYSROOTS:-/opt/fretfall-cross}

case "${1:-run}" in
  run) want="$RUN_PKGS" ;;
  test) want="$RUN_PKGS $TEST_PKGS $PORT_PKGS" ;;
  bench) want="$RUN_PKGS $TEST_PKGS $BENCH_PKGS" ;;
  fuzz) want="$RUN_PKGS $FUZZ_PKGS" ;;
  dist) want="$RUN_PKGS $DIST_PKGS" ;;
  cross) want="$RUN_PKGS $CROSS_PKGS" ;;
  port) want="$RUN_PKGS $PORT_PKGS" ;;
  *) echo "usage: $0 run|test|bench|fuzz|dist|cross [ARCH]|port" >&2; exit 2 ;;
esac
cross_arch=""
case "$1" in
  cross) cross_arch=${2:-armhf} ;;
esac
case "$cross_arch" in
  "") ;;
  armhf) want="$want $CROSS_PKGS g++-arm-linux-gnueabihf" ;;
  arm64) want="$want $CROSS_PKGS g++-aarch64-linux-gnu" ;;
  *) echo "$0: unknown architecture $cross_arch (armhf or arm64)" >&2; exit 2 ;;
esac
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

missing=""
for p in $want; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO apt-get update -qq
    # The SDL 1.2 packages must be named together: named apart, apt prefers the
    # unmaintained classic SDL 1.2 over the compatibility layer over SDL2.
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
# The ARM libraries are unpacked, not installed: see pkg/cross/sysroot.sh.
if [ -n "$cross_arch" ]; then
    $SUDO sh "$here/cross/sysroot.sh" "$cross_arch" "$SYSROOTS/$cross_arch"
fi
case "$1" in
  test|port) $SUDO sh "$here/port/root.sh" "$SYSROOTS/debian11" ;;
esac

#!/bin/sh
# Installs the Debian packages the build, the game and the tests need.
# Quiet and quick when everything is already there; uses sudo when not root.
# Usage: install-deps.sh run|test|bench
set -e

RUN_PKGS="cmake g++ make pkg-config libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libpng-dev libjpeg-dev libvorbis-dev libogg-dev libmp3lame-dev fonts-lato"
TEST_PKGS="libgtest-dev googletest xvfb xdotool imagemagick clang libclang-rt-14-dev"
BENCH_PKGS="valgrind time"
FUZZ_PKGS="clang libclang-rt-14-dev"

case "${1:-run}" in
  run) want="$RUN_PKGS" ;;
  test) want="$RUN_PKGS $TEST_PKGS" ;;
  bench) want="$RUN_PKGS $TEST_PKGS $BENCH_PKGS" ;;
  fuzz) want="$RUN_PKGS $FUZZ_PKGS" ;;
  *) echo "usage: $0 run|test|bench|fuzz" >&2; exit 2 ;;
esac

missing=""
for p in $want; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO apt-get update -qq
# The SDL 1.2 packages must be named together: named apart, apt prefers the
# unmaintained classic SDL 1.2 over the compatibility layer over SDL2.
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null

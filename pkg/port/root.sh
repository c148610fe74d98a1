#!/bin/sh
# Makes the port's build root: a Debian 11 (glibc 2.31) amd64 system holding Debian 11's
# cross compilers, and in it the ARM library trees the port compiles and links against,
# /opt/arm64 and /opt/armhf (Debian 11's packages, unpacked by pkg/cross/sysroot.sh), each
# with sdl12-compat built from pkg/deps/ over Debian 11's SDL2 headers. Programs linked
# there need nothing newer than Debian 11's glibc, and the compilers run at native speed.
# The user-mode emulators of this machine are copied in, so the ARM test programs run
# inside the root too.
#
#   root.sh DIR      quick when DIR is already complete and made from the same inputs
set -e
dest=${1:?usage: root.sh DIR}
here=$(cd "$(dirname "$0")/../.." && pwd)
MIRROR=http://deb.debian.org/debian
TOOLS="g++-aarch64-linux-gnu g++-arm-linux-gnueabihf cmake make pkg-config"
# The port's libraries, what the build's own tools and tests link to, and for the tests'
# stand-in firmware the shell and tools the launcher runs with and udev, which every
# firmware's SDL2 loads (without it Debian 11's SDL2 crashes when its joysticks stop).
LIBS="libsdl2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libpng-dev
libjpeg-dev libvorbis-dev libogg-dev libmp3lame-dev libgtest-dev bash coreutils libudev1"
compat=$here/pkg/deps/sdl12-compat-1.2.60.tar.gz

# The stamp names what the root was made from, so a changed input remakes it.
want="bullseye $TOOLS / $(echo $LIBS) / $(sha256sum "$compat" | cut -c1-16) $(
    cat "$here/pkg/cross/sysroot.sh" "$0" | sha256sum | cut -c1-16)"
[ -f "$dest/.fretfall-root" ] && [ "$(cat "$dest/.fretfall-root")" = "$want" ] && exit 0

parent=$(dirname "$dest")
mkdir -p "$parent"
# Checkouts that start at once wait for each other; the first one's root serves them all.
exec 9>"$parent/.$(basename "$dest").lock"
flock 9
[ -f "$dest/.fretfall-root" ] && [ "$(cat "$dest/.fretfall-root")" = "$want" ] && exit 0

echo "Making the Debian 11 build root in $dest (a few minutes, once)"
work=$(mktemp -d "$parent/.root.XXXXXX")
trap 'rm -rf "$work"' EXIT
# The packages are kept beside the root, so remaking it downloads only what changed.
mkdir -p "$parent/.debian11-debs"
debootstrap --variant=minbase --cache-dir="$parent/.debian11-debs" \
    --include="$(echo $TOOLS | tr ' ' ,)" bullseye "$work" "$MIRROR" >"$work.log" 2>&1 || { tail -n 20 "$work.log" >&2; rm -f "$work.log"; exit 1; }
rm -f "$work.log"
cp /usr/bin/qemu-aarch64-static /usr/bin/qemu-arm-static "$work/usr/bin/"
mkdir -p "$work/tmp/make"
cp "$here/pkg/cross/sysroot.sh" "$compat" "$work/tmp/make/"
# sdl12-compat replaces the classic SDL 1.2 that Debian's SDL_image, SDL_mixer and SDL_ttf
# bring in as their dependency; its library has the same name and interface.
cat >"$work/tmp/make/compat.sh" <<'SCRIPT'
set -e
arch=$1 triplet=$2 tree=/opt/$1
sh /tmp/make/sysroot.sh "$arch" "$tree" $LIBS
lib=$tree/usr/lib/$triplet
rm -rf "$lib"/libSDL-1.2.so* "$lib"/libSDL.so "$lib"/libSDL.a "$lib"/libSDLmain.a \
    "$lib/pkgconfig/sdl.pc" "$tree/usr/bin/sdl-config"
mkdir -p /tmp/make/$arch && cd /tmp/make/$arch
tar xzf /tmp/make/sdl12-compat-1.2.60.tar.gz
cmake -S sdl12-compat-1.2.60 -B build -DCMAKE_BUILD_TYPE=Release -DSDL12TESTS=OFF \
    -DCMAKE_C_COMPILER=$triplet-gcc -DCMAKE_SYSTEM_NAME=Linux \
    -DCMAKE_C_FLAGS="-idirafter $tree/usr/include/$triplet -idirafter $tree/usr/include" \
    -DSDL2_INCLUDE_DIR=$tree/usr/include/SDL2 \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_LIBDIR=lib/$triplet >/dev/null
cmake --build build -j2 >/dev/null
DESTDIR=$tree cmake --install build >/dev/null
sed 's/^Name:.*/Name: sdl/' "$lib/pkgconfig/sdl12_compat.pc" >"$lib/pkgconfig/sdl.pc"
sed -i '/^libsdl1.2/d' "$tree/.fretfall-files"
echo "sdl12-compat /usr/lib/$triplet/libSDL-1.2.so.0" >>"$tree/.fretfall-files"
SCRIPT
for pair in arm64:aarch64-linux-gnu armhf:arm-linux-gnueabihf; do
    chroot "$work" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LIBS="$LIBS" \
        sh /tmp/make/compat.sh "${pair%%:*}" "${pair#*:}"
done
rm -rf "$work/tmp/make" "$work"/var/cache/apt/archives/*.deb
echo "$want" >"$work/.fretfall-root"
rm -rf "$dest"
mv "$work" "$dest"
trap - EXIT

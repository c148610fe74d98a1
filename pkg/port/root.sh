#!/bin/sh
# Makes the port's build root: Debian 11's (glibc 2.31) cross compilers and build tools,
# unpacked into a directory to chroot into, and in it the ARM library trees the port
# compiles and links against, /opt/arm64 and /opt/armhf, each with sdl12-compat built from
# pkg/deps/ over Debian 11's SDL2 headers. Programs linked there need nothing newer than
# Debian 11's glibc, and the compilers run at native speed. Nothing is installed: the three
# trees are Debian 11's packages, downloaded side by side by pkg/cross/sysroot.sh and
# unpacked with dpkg-deb, only those the build and the tests use. This machine's user-mode
# emulators are copied in, so the ARM test programs run inside the root too.
#
#   root.sh DIR      quick when DIR is already complete and made from the same inputs
set -e
dest=${1:?usage: root.sh DIR}
here=$(cd "$(dirname "$0")/../.." && pwd)
# The compilers and what the build runs: cmake, make, pkg-config, a shell and the tools the
# build's scripts call; ldconfig makes the loader's cache.
TOOLS="g++-aarch64-linux-gnu g++-arm-linux-gnueabihf cmake make pkg-config dash bash coreutils
sed grep tar gzip findutils diffutils mawk libc-bin"
# The ARM libraries the programs and tests load, with what they need; SDL2 and udev also
# for the tests' stand-in firmware, with the shell and tools its launcher runs with (every
# firmware's SDL2 loads udev; without it Debian 11's SDL2 crashes when its joysticks stop).
LIBS="libsdl2-2.0-0 libsdl-image1.2 libsdl-mixer1.2 libsdl-ttf2.0-0 libpng16-16 libjpeg62-turbo
libvorbisfile3 libvorbisenc2 libopusfile0 libmpg123-0 libmp3lame0 libudev1 bash
coreutils"
# Their headers, pkg-config files and link names, without the development packages' own
# dependencies (SDL2's alone would bring Mesa, Wayland and GLib headers); SDL2's window
# manager header, which sdl12-compat includes, takes Xlib's.
DEVS="libsdl2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev libpng-dev
zlib1g-dev libjpeg62-turbo-dev libvorbis-dev libogg-dev libopusfile-dev libopus-dev
libmpg123-dev libmp3lame-dev libgtest-dev libgmock-dev libx11-dev x11proto-dev"
compat=$here/pkg/deps/sdl12-compat-1.2.60.tar.gz

# The stamp names what the root was made from, so a changed input remakes it.
want="bullseye $(echo $TOOLS) / $(echo $LIBS) / $(echo $DEVS) / $(sha256sum "$compat" | cut -c1-16) $(
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
export FRETFALL_SUITE=bullseye
sh "$here/pkg/cross/sysroot.sh" amd64 "$work/root" $TOOLS >"$work/tools.log" 2>&1 &
tools=$!
sh "$here/pkg/cross/sysroot.sh" arm64 "$work/arm64" $LIBS --alone $DEVS >"$work/arm64.log" 2>&1 &
arm64=$!
sh "$here/pkg/cross/sysroot.sh" armhf "$work/armhf" $LIBS --alone $DEVS >"$work/armhf.log" 2>&1 &
armhf=$!
for tree in tools:$tools arm64:$arm64 armhf:$armhf; do
    wait "${tree#*:}" || { cat "$work/${tree%%:*}.log" "$work"/*.log >&2; exit 1; }
done
root=$work/root
mkdir -p "$root/opt"
mv "$work/arm64" "$work/armhf" "$root/opt/"
[ -e "$root/usr/bin/awk" ] || ln -s mawk "$root/usr/bin/awk"
mkdir -p "$root/tmp" "$root/proc" "$root/dev" "$root/root"
chmod 1777 "$root/tmp"
chroot "$root" /sbin/ldconfig
cp /usr/bin/qemu-aarch64-static /usr/bin/qemu-arm-static "$root/usr/bin/"
mkdir -p "$root/tmp/make"
cp "$compat" "$root/tmp/make/"
# sdl12-compat replaces the classic SDL 1.2 that Debian's SDL_image, SDL_mixer and SDL_ttf
# bring in as their dependency; its library has the same name and interface.
cat >"$root/tmp/make/compat.sh" <<'SCRIPT'
set -e
arch=$1 triplet=$2 tree=/opt/$1
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
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin sh /tmp/make/compat.sh "${pair%%:*}" "${pair#*:}"
done
rm -rf "$root/tmp/make"
echo "$want" >"$root/.fretfall-root"
rm -rf "$dest"
mv "$root" "$dest"

#!/bin/bash
# Makes the self-contained bundle of one architecture: a tarball holding one folder
# fretfall/ with both programs, the asset tree, the font and its licence, the device
# README, the launcher and lib/, every shared library the programs load that is not part of
# glibc. The programs find lib/ through their run path ($ORIGIN/lib) and each library finds
# its neighbours through its own ($ORIGIN), so nothing of the machine is needed but glibc.
#
#   dist.sh ARCH BUILD_DIR TARBALL     ARCH is amd64, armhf or arm64; BUILD_DIR/game holds
#                                      the programs and the asset tree
#
# The libraries come from the machine itself for amd64 and from the ARM library tree of
# pkg/cross/sysroot.sh for the others.
set -euo pipefail
arch=${1:?usage: dist.sh ARCH BUILD_DIR TARBALL}
game=$(cd "${2:?build dir}/game" && pwd)
tarball=${3:?tarball}
here=$(cd "$(dirname "$0")/.." && pwd)
case "$arch" in
  amd64) triplet=x86_64-linux-gnu root="" ;;
  armhf) triplet=arm-linux-gnueabihf root=${FRETFALL_SYSROOTS:-/opt/fretfall-cross}/armhf ;;
  arm64) triplet=aarch64-linux-gnu root=${FRETFALL_SYSROOTS:-/opt/fretfall-cross}/arm64 ;;
  *) echo "dist.sh: unknown architecture $arch (amd64, armhf or arm64)" >&2; exit 2 ;;
esac
strip=$(command -v "$triplet-strip" || command -v strip)
cc=$(command -v "$triplet-gcc" || command -v cc)

work=$(mktemp -d /tmp/fretfall-dist-XXXXXX)
trap 'rm -rf "$work"' EXIT
out=$work/fretfall
mkdir -p "$out/lib"

# The programs, without their debugging information.
for program in fretfall fretfall-replay; do
    "$strip" -o "$out/$program" "$game/$program"
done
cp -rL "$game/img" "$game/song" "$game/audio" "$game/ariblk.ttf" "$game/fonts-LICENSE.txt" "$out/"
cp "$here/dist/README.txt" "$out/README.txt"
cp "$here/install/fretfall.sh" "$out/fretfall.sh"
chmod 755 "$out/fretfall.sh"

source "$here/dist/glibc.sh"
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
# A library's own run path (libpulse finds its private library that way), inside the root.
runpath_dirs() {
    readelf -d "$1" | sed -n 's/.*R\(UN\)*PATH).*\[\(.*\)\]/\2/p' | tr ':' '\n' | sed "s|^|$root|"
}
# Where a library named by its soname is, as the loader would find it: the naming object's
# run path, then the system directories of the architecture.
find_lib() {
    local name=$1 from=$2 dir
    for dir in $(runpath_dirs "$from") "$root/usr/lib/$triplet" "$root/lib/$triplet" \
               "$root/usr/lib" "$root/lib"; do
        [ -e "$dir/$name" ] && { echo "$dir/$name"; return 0; }
    done
    return 1
}

# SDL_mixer links to a MIDI synthesizer and a tracker-module player that the game never
# uses, and which bring a seventh of the bundle with them; small libraries of the same names
# (no_midi.c, no_mod.c) take their place, failing as the real ones do when they cannot start.
stand_in() {
    case "$1" in
      libfluidsynth.so.3) echo "$here/dist/no_midi.c" ;;
      libmikmod.so.3) echo "$here/dist/no_mod.c" ;;
      *) return 1 ;;
    esac
}

# The closure of what the programs need, and of the library sdl12-compat opens at run time
# (SDL2). What SDL2 opens at run time itself is the device's: its GPU driver's EGL and GL,
# Vulkan, PipeWire with its modules, udev; without them SDL2 uses other drivers.
todo=()
while read -r name; do todo+=("$name:$game/fretfall"); done < <(needed "$game/fretfall")
while read -r name; do todo+=("$name:$game/fretfall-replay"); done < <(needed "$game/fretfall-replay")
todo+=("libSDL2-2.0.so.0:$game/fretfall")
declare -A seen
while [ ${#todo[@]} -gt 0 ]; do
    item=${todo[0]}
    todo=("${todo[@]:1}")
    name=${item%%:*} from=${item#*:}
    is_glibc "$name" && continue
    [ -n "${seen[$name]:-}" ] && continue
    seen[$name]=1
    if source=$(stand_in "$name"); then
        "$cc" -std=c99 -O2 -fPIC -shared -s -Wall -Wextra -Werror -Wl,-soname,"$name" \
            -o "$out/lib/$name" "$source"
        chmod 644 "$out/lib/$name"
        continue
    fi
    path=$(find_lib "$name" "$from") || { echo "dist.sh: $name (needed by $from) not found" >&2; exit 1; }
    cp -L "$path" "$out/lib/$name"
    chmod 644 "$out/lib/$name"
    while read -r next; do todo+=("$next:$path"); done < <(needed "$path")
done

for lib in "$out"/lib/*; do patchelf --set-rpath '$ORIGIN' "$lib"; done
for program in fretfall fretfall-replay; do patchelf --set-rpath '$ORIGIN/lib' "$out/$program"; done

# The same files give the same tarball: fixed order, owner and times.
mkdir -p "$(dirname "$tarball")"
stamp=$(git -C "$here/.." log -1 --format=%ct 2>/dev/null || echo 0)
tar --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$stamp" -C "$work" -cf - fretfall |
    gzip -9n >"$tarball.part"
mv "$tarball.part" "$tarball"
echo "$tarball: $(du -k "$tarball" | cut -f1) KB, $(ls "$out/lib" | wc -l) libraries in lib/"

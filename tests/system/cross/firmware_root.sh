#!/bin/bash
# Makes a stand-in for a handheld's firmware of the oldest kind the port is for: a root
# holding only Debian 11's glibc and SDL2 (2.0.14) with the libraries SDL2 links to and
# udev, which it loads, for one ARM architecture, taken from the port's Debian 11 library
# tree, plus a shell, mkdir and tee for the launcher, and the static user-mode emulator at
# /QEMU. No C++ runtime.
#
#   firmware_root.sh TREE TRIPLET QEMU DIR
set -euo pipefail
tree=${1:?tree} triplet=${2:?triplet} qemu=${3:?qemu} dest=${4:?dir}
here=$(cd "$(dirname "$0")/../../.." && pwd)
source "$here/pkg/dist/glibc.sh"
mkdir -p "$dest/lib/$triplet" "$dest/usr/lib/$triplet" "$dest/bin" "$dest/usr/bin" "$dest/tmp"
for lib in "$tree/lib/$triplet"/*.so* "$tree/lib/$triplet"/ld-linux*; do
    is_glibc "$(basename "$lib")" && cp -L "$lib" "$dest/lib/$triplet/"
done
for loader in "$dest/lib/$triplet"/ld-linux*; do ln -sf "$triplet/$(basename "$loader")" "$dest/lib/"; done
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
# Each file at its place in the tree, then every library it needs that is not yet there,
# found where the loader finds it: the system directories, or the file's own run path
# (libpulse's private library).
todo=("usr/lib/$triplet/libSDL2-2.0.so.0" "usr/lib/$triplet/libudev.so.1" bin/bash bin/mkdir usr/bin/tee)
while [ ${#todo[@]} -gt 0 ]; do
    path=${todo[0]}
    todo=("${todo[@]:1}")
    [ -e "$dest/$path" ] && continue
    mkdir -p "$dest/$(dirname "$path")"
    cp -L "$tree/$path" "$dest/$path"
    runpath=$(readelf -d "$tree/$path" | sed -n 's/.*R\(UN\)*PATH).*\[\(.*\)\]/\2/p' | tr ':' ' ')
    while read -r name; do
        [ -e "$dest/lib/$triplet/$name" ] && continue # glibc's
        for dir in usr/lib/$triplet lib/$triplet $runpath; do
            dir=${dir#/}
            [ -e "$tree/$dir/$name" ] && { todo+=("$dir/$name"); continue 2; }
        done
        echo "firmware_root.sh: $name (needed by $path) not found" >&2
        exit 1
    done < <(needed "$tree/$path")
done
ln -sf bash "$dest/bin/sh"
cp "$(command -v "$qemu")" "$dest/$qemu"
! ls "$dest"/usr/lib/"$triplet"/libstdc++* >/dev/null 2>&1 || { echo "firmware_root.sh: libstdc++ came in" >&2; exit 1; }

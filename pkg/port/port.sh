#!/bin/bash
# Makes the port for the handhelds' port collection from the ARM builds of the Debian 11
# build root (root.sh):
#   OUT/port/fretfall/   the port as submitted: port.json, README.md, gameinfo.xml,
#                        screenshot.png, cover.png, Fretfall.sh and the port directory
#                        fretfall/ (programs of both architectures, libs.ARCH/, the asset
#                        tree, licenses/)
#   OUT/fretfall.zip     what a device installs: Fretfall.sh and fretfall/ at its root, the
#                        collection's files moved into fretfall/ (port.md the README)
# The libraries are what the programs need that the firmware does not give: never SDL2,
# glibc, the C++ runtime (linked into the programs), graphics, sound or system libraries.
#
#   port.sh NATIVE_BUILD ROOT AARCH64_BUILD ARMHF_BUILD OUT
set -euo pipefail
native=$(cd "${1:?native build}" && pwd)
root=${2:?build root}
declare -A builds=([aarch64]=$(cd "${3:?aarch64 build}" && pwd) [armhf]=$(cd "${4:?armhf build}" && pwd))
out=${5:?output directory}
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
declare -A triplets=([aarch64]=aarch64-linux-gnu [armhf]=arm-linux-gnueabihf)
declare -A trees=([aarch64]=$root/opt/arm64 [armhf]=$root/opt/armhf)
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d "$out/.port-XXXXXX")
trap 'rm -rf "$work"' EXIT
port=$work/fretfall
game=$port/fretfall
mkdir -p "$game/licenses"
source "$here/libs.sh"

for arch in aarch64 armhf; do
    triplet=${triplets[$arch]}
    for program in fretfall fretfall-replay; do
        "$here/inroot.sh" "$root" "$top" "$triplet-strip" -o "$game/$program.$arch" \
            "${builds[$arch]}/game/$program"
        patchelf --set-rpath "\$ORIGIN/libs.$arch" "$game/$program.$arch"
    done
    bundle_libs "${trees[$arch]}" "$triplet" "$game/libs.$arch" "$game/licenses" \
        "$game/fretfall.$arch" "$game/fretfall-replay.$arch"
done
cp -rL "$native/game/img" "$native/game/song" "$native/game/audio" "$native/game/ariblk.ttf" "$game/"
cp "$native/game/fonts-LICENSE.txt" "$game/licenses/LICENSE.font.txt"
cp "$top/pkg/deps/LICENSE.sdl12-compat.txt" "$game/licenses/"
cp "$here/port.json" "$here/README.md" "$here/gameinfo.xml" "$here/Fretfall.sh" "$port/"
chmod 755 "$port/Fretfall.sh"

# The screenshot: half a minute into a song, every note hit, by the headless driver; the
# cover: the title splash. Both scaled to the devices' 640x480 by whole pixels.
shots=$work/shots
mkdir -p "$shots/data"
for entry in img audio song ariblk.ttf; do ln -s "$native/game/$entry" "$shots/$entry"; done
replay=$native/game/fretfall-replay
hitscript=$native/bench/fretfall-hitscript
{ "$hitscript" prefix 1; echo "wait 12000"; } >"$shots/prefix.script"
"$replay" --dir "$shots" --trace "$shots/prefix.trace" "$shots/prefix.script"
frame0=$(grep -m1 '"screen":"song"' "$shots/prefix.trace" | sed 's/^{"t":\([0-9]*\),.*/\1/')
{ "$hitscript" play 1 "$frame0" 600 2>/dev/null; printf 'shot %s\nwait 100\n' "$shots/play.png"; } \
    >"$shots/play.script"
"$replay" --dir "$shots" --trace /dev/null "$shots/play.script"
convert "$shots/play.png" -sample 200% "$port/screenshot.png"
convert "$native/game/img/intro/splash_320.png" -sample 200% "$port/cover.png"

# Fixed order, times and modes: the same files give the same zip.
stamp=$(git -C "$top" log -1 --format=%ct 2>/dev/null || echo 0)
find "$port" -exec touch -h -d "@$stamp" {} +
rm -rf "$out/port" "$out/fretfall.zip"
mkdir -p "$out/port"
cp -a "$port" "$out/port/fretfall"
zipdir=$work/zip
mkdir -p "$zipdir"
cp -a "$game" "$zipdir/fretfall"
cp -a "$port/Fretfall.sh" "$zipdir/"
for f in port.json gameinfo.xml screenshot.png cover.png; do cp -a "$port/$f" "$zipdir/fretfall/"; done
cp -a "$port/README.md" "$zipdir/fretfall/fretfall.md"
touch -h -d "@$stamp" "$zipdir/fretfall"
(cd "$zipdir" && find Fretfall.sh fretfall | LC_ALL=C sort | zip -q -X -y -9 "$out/fretfall.zip" -@)
echo "$out/fretfall.zip: $(du -k "$out/fretfall.zip" | cut -f1) KB;" \
    "aarch64: $(ls "$game/libs.aarch64" | wc -l) libraries, armhf: $(ls "$game/libs.armhf" | wc -l)"

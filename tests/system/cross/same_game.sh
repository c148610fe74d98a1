#!/bin/bash
# The handheld port plays the same game as the native build: the same scripts run on both,
# and their traces, the hash of every presented screen, screenshots and the files the game
# wrote (game_save, data/*.dat) must be byte-identical.
#
#   same_game.sh NATIVE_BUILD PORT_BUILD ARCH ROOT ZIP
#
# ARCH is aarch64 or armhf, PORT_BUILD its build in the port's Debian 11 root ROOT. Two
# scripts: the soak generator's tour of every screen (every song started, the tutorial won
# and named again and again, a failed song, the gallery, the key configuration, the game
# look, the volume, the save menu's save, load and clear, the credits); and For Whom the
# Bell Tolls played whole with every note hit, then named. The tour runs the build's driver
# under qemu with the Debian 11 library tree. The whole song runs the port's own driver from
# the zip, unpacked into a stand-in firmware (firmware_root.sh): a chroot of Debian 11's
# glibc and SDL2 alone and the static emulator, so it also proves that the port needs
# nothing else, on glibc 2.31 and the oldest SDL2 a firmware has.
set -euo pipefail
native=$(cd "${1:?native build}" && pwd)
cross=$(cd "${2:?port build}" && pwd)
arch=${3:?arch}
buildroot=$(cd "${4:?build root}" && pwd)
zip=$(readlink -f "${5:?zip}")
case "$arch" in
  armhf) triplet=arm-linux-gnueabihf qemu=qemu-arm-static sysroot=$buildroot/opt/armhf ;;
  aarch64) triplet=aarch64-linux-gnu qemu=qemu-aarch64-static sysroot=$buildroot/opt/arm64 ;;
  *) echo "same_game.sh: unknown architecture $arch" >&2; exit 2 ;;
esac
here=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d /tmp/fretfall-cross-XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
started=$(date +%s)

# A game directory with the native asset tree and an empty data/.
game_dir() {
    mkdir -p "$1/data"
    for entry in img audio song ariblk.ttf; do ln -s "$native/game/$entry" "$1/$entry"; done
}
# Screenshots of the next presented screen after every COUNT-th line of a script.
with_shots() {
    awk -v every="$1" '{ print } NR % every == 0 && $1 == "wait" { printf "shot shot%04d.png\n", NR }'
}
replay_native=$native/game/fretfall-replay

# The tour, ended by the driver's end of script.
"$native/tests/support/soak/fretfall-soakgen" --events 0 | with_shots 40 >tour.script

# The whole song: frame 0 found from a run of the keys that reach it, then a press for
# every note, the results and the name 000.
game_dir prefix
{ "$native/bench/fretfall-hitscript" prefix 4; echo "wait 12000"; } >prefix.script
"$replay_native" --dir prefix --trace prefix.trace prefix.script
frame0=$(grep -m1 '"screen":"song"' prefix.trace | sed 's/^{"t":\([0-9]*\),.*/\1/')
{
    "$native/bench/fretfall-hitscript" play 4 "$frame0" 6181 8000 2>/dev/null
    printf 'tap LCTRL\nwait 60\ntap LCTRL\nwait 60\ntap LCTRL\nwait 1000\n'
} | with_shots 500 >whole.script

# The stand-in firmware with the port unpacked into its ports folder.
root=$work/root
bash "$here/tests/system/cross/firmware_root.sh" "$sysroot" "$triplet" "$qemu" "$root"
mkdir -p "$root/roms/ports"
unzip -q "$zip" -d "$root/roms/ports"
cp whole.script "$root/whole.script"
sdl2=$(readlink "$sysroot/usr/lib/$triplet/libSDL2-2.0.so.0")

# Native and ARM runs side by side; each run writes into a directory of its own.
run() { # NAME DIR SCRIPT COMMAND...
    local name=$1 dir=$2 script=$3
    shift 3
    (cd "$dir" && "$@" --dir . --trace "$work/$name.trace" --hashes "$work/$name.hashes" \
        "$work/$script" >/dev/null 2>"$work/$name.err") || fail "$name run: $(cat "$name.err")"
}
game_dir native-tour
game_dir arm-tour
game_dir native-whole
port=$root/roms/ports/fretfall
mkdir -p "$port/data"
run native-tour native-tour tour.script "$replay_native" &
p1=$!
run arm-tour arm-tour tour.script "$qemu" -L "$sysroot" "$cross/game/fretfall-replay" &
p2=$!
run native-whole native-whole whole.script "$replay_native" &
p3=$!
(chroot "$root" "/$qemu" "/roms/ports/fretfall/fretfall-replay.$arch" --dir /roms/ports/fretfall \
    --trace /whole.trace --hashes /whole.hashes /whole.script >/dev/null 2>"$work/arm-whole.err") ||
    fail "port run in the chroot: $(cat "$work/arm-whole.err")"
for p in $p1 $p2 $p3; do wait "$p" || exit 1; done
# The port's SDL_mixer decodes the game's Ogg and MP3 music (a file it cannot play is
# reported on stderr; the trace alone would not show it).
! grep -q "cannot play" "$work/arm-whole.err" || fail "port music: $(cat "$work/arm-whole.err")"
mv "$root/whole.trace" arm-whole.trace
mv "$root/whole.hashes" arm-whole.hashes
# The port's folder is the game directory of that run; its screenshots are named from
# where the driver started, the chroot's root.
mkdir -p arm-whole
mv "$port/data" "$root"/shot*.png arm-whole/
[ ! -e "$port/game_save" ] || mv "$port/game_save" arm-whole/

# What the native runs must have done, or the comparison proves little.
grep -q '"sound":"PTRUIM"' native-tour.trace || fail "no song was failed in the tour"
grep -q '"screen":"key_config"' native-tour.trace || fail "the tour left out the key configuration"
grep -q '"screen":"save_menu"' native-tour.trace || fail "the tour left out the save menu"
[ -f native-tour/game_save ] || fail "the tour saved no progress"
[ -s native-tour/data/DATA6.dat ] || fail "no tutorial's name was written"
last=$(grep '"screen":"song"' native-whole.trace | tail -n 1)
echo "$last" | grep -q '"hits":858' || fail "the whole song was not hit through: $last"
[ -s native-whole/data/DATA4.dat ] || fail "the whole song's name was not written"

for run in tour whole; do
    for what in trace hashes; do
        cmp -s "native-$run.$what" "arm-$run.$what" || fail "the $run runs' ${what}s differ: $(
            cmp "native-$run.$what" "arm-$run.$what" 2>&1 | head -n 1)"
    done
    # Screenshots and written files: the same names, the same bytes.
    files() { (cd "$1" && find . -path ./img -prune -o -path ./song -prune -o -path ./audio -prune \
        -o -type f -print | sort); }
    [ "$(files "native-$run")" = "$(files "arm-$run")" ] ||
        fail "the $run runs wrote different files: $(files "native-$run" | tr '\n' ' ') / $(
            files "arm-$run" | tr '\n' ' ')"
    for f in $(files "native-$run"); do
        cmp -s "native-$run/$f" "arm-$run/$f" || fail "$run: $f differs"
    done
    echo "$run: $(wc -l <"native-$run.trace") trace lines, $(wc -l <"native-$run.hashes") screens," \
        "$(files "native-$run" | wc -l) files identical"
done
echo "same game on $arch and natively, in $(($(date +%s) - started)) s; the port's run on $sdl2"

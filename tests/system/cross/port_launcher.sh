#!/bin/bash
# The port's launcher as a device runs it: the zip unpacked into the ports folder of a
# stand-in firmware (firmware_root.sh: Debian 11's arm64 glibc and SDL2 alone), a stand-in
# port collection folder whose control.txt gives a 640x480 aarch64 device, its controller
# mapping and the collection's functions, and an X display of 640x480 with no window
# manager. The launcher must take the collection's steps in order and start the game full
# screen: the first screen's picture fills the display at twice 320x240, every game pixel
# a 2x2 block. SIGTERM, the firmware's exit hot-key, ends the game and the launcher
# finishes. The ARM programs run under qemu through proot, which follows the launcher's
# start of the game (proot and its own amd64 libraries are copied into the stand-in; it
# starts in the port folder, since it leaves relative paths of some calls to the real
# working directory).
#
#   port_launcher.sh ROOT ZIP NATIVE_BUILD     ROOT the port's build root
set -euo pipefail
buildroot=$(cd "${1:?build root}" && pwd)
zip=$(readlink -f "${2:?zip}")
native=$(cd "${3:?native build}" && pwd)
here=$(cd "$(dirname "$0")/../../.." && pwd)
work=$(mktemp -d /tmp/fretfall-launcher-XXXXXX)
xvfb_pid="" launcher_pid=""
cleanup() {
    [ -z "$launcher_pid" ] || kill -KILL "$launcher_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ ! -f "$work/log.txt" ] || sed 's/^/  log: /' "$work/log.txt"
    exit 1
}

fw=$work/root
bash "$here/tests/system/cross/firmware_root.sh" "$buildroot/opt/arm64" aarch64-linux-gnu qemu-aarch64-static "$fw"
mkdir -p "$fw/roms/ports/PortMaster" "$fw/root" "$fw/proc"
cp /usr/bin/proot "$fw/proot"
for lib in $(ldd /usr/bin/proot | grep -o '/[^ ]*'); do
    mkdir -p "$fw$(dirname "$lib")"
    cp -L "$lib" "$fw$lib"
done
unzip -q "$zip" -d "$fw/roms/ports"
cat >"$fw/roms/ports/PortMaster/control.txt" <<'CONTROL'
# A stand-in for the port collection's control.txt: a 640x480 aarch64 device.
directory=roms
controlfolder=/roms/ports/PortMaster
ESUDO=""
GPTOKEYB="gptokeyb_stand_in"
CFW_NAME=TestOS
CFW_VERSION=1
CFW_GLIBC=231
DEVICE_NAME=TestDevice
DEVICE_CPU=RK3326
DEVICE_ARCH=aarch64
DEVICE_RAM=1
DISPLAY_WIDTH=640
DISPLAY_HEIGHT=480
ASPECT_X=4
ASPECT_Y=3
ANALOG_STICKS=1
step() { echo "$*" >>/tmp/steps; }
get_controls() {
    step get_controls
    sdl_controllerconfig="19000000010000000100000000010000,TestPad,a:b1,b:b0,x:b2,y:b3,back:b8,start:b9,leftshoulder:b4,rightshoulder:b5,dpup:b13,dpdown:b14,dpleft:b15,dpright:b16,leftx:a0,lefty:a1,platform:Linux,"
    SDL_GAMECONTROLLERCONFIG_FILE=""
}
gptokeyb_stand_in() { step "gptokeyb $*"; }
pm_platform_helper() { step "pm_platform_helper $*"; }
pm_finish() { step "pm_finish ${SDL_GAMECONTROLLERCONFIG%%,*} $LD_LIBRARY_PATH"; }
pm_message() { :; }
bind_directories() { :; }
bind_files() { :; }
CONTROL
echo 'step "mod_TestOS"' >"$fw/roms/ports/PortMaster/mod_TestOS.txt"

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"

started=$(date +%s)
env -i PATH=/usr/bin:/bin HOME=/root DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy fw="$fw" \
    unshare --mount sh -c 'mount -t proc proc "$fw/proc" && exec unshare --root="$fw" \
        --wd=/roms/ports/fretfall /proot -w /roms/ports/fretfall -q /qemu-aarch64-static \
        /bin/bash /roms/ports/Fretfall.sh' >"$work/launcher.out" 2>&1 &
launcher_pid=$!
port=$fw/roms/ports/fretfall
# The first screen, a splash fading in: wait for a picture of many colours.
measured=""
for _ in $(seq 600); do
    kill -0 "$launcher_pid" 2>/dev/null || { cp "$port/log.txt" "$work/" 2>/dev/null || true
        fail "the launcher ended: $(cat "$work/launcher.out")"; }
    if import -window root "$work/shot.png" 2>/dev/null &&
        measured=$("$native/tests/system/window/fretfall-shotcheck" scaled "$work/shot.png" 2>&1); then
        break
    fi
    measured=""
    sleep 0.2
done
[ -n "$measured" ] || { cp "$port/log.txt" "$work/" 2>/dev/null || true; fail "no full-screen picture came"; }
[ "$measured" = "640x480+0+0 2" ] || fail "the picture is $measured, not 640x480+0+0 2"
echo "launcher: the first screen at $measured after $(($(date +%s) - started)) s"

# The game: the emulator's process running fretfall.aarch64 under the launcher.
descendants() { local p; for p in $(ps -o pid= --ppid "$1"); do echo "$p"; descendants "$p"; done; }
game=""
for p in $(descendants "$launcher_pid"); do
    if tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q 'fretfall\.aarch64 --fullscreen'; then game=$p; fi
done
[ -n "$game" ] || fail "no game process under the launcher"
kill -TERM "$game"
for _ in $(seq 50); do kill -0 "$launcher_pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$launcher_pid" 2>/dev/null || fail "the launcher did not end within 5 s of SIGTERM"
wait "$launcher_pid" || true
launcher_pid=""

# The steps in order; gptokeyb runs in the background, so its own place may vary.
grep -qxF "gptokeyb fretfall.aarch64" "$fw/tmp/steps" || fail "gptokeyb was not started on the game"
steps=$(grep -v '^gptokeyb' "$fw/tmp/steps")
want="mod_TestOS
get_controls
pm_platform_helper /roms/ports/fretfall/fretfall.aarch64
pm_finish 19000000010000000100000000010000 /roms/ports/fretfall/libs.aarch64:"
[ "$steps" = "$want" ] || fail "the launcher's steps were: $(tr '\n' ';' <"$fw/tmp/steps")"
[ -f "$port/log.txt" ] || fail "no log.txt in the port folder"
[ -d "$port/data" ] && [ -d "$port/songs" ] || fail "no data/ or songs/ in the port folder"
echo "launcher test passed"

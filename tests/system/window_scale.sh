#!/bin/bash
# The real game's window on a 1920x1080 desktop: scaled by 4, full screen with F11 and back.
#
# Xvfb with a window manager: the window opens at 1280x960, four times 320x240, every game
# pixel a 4x4 block of one colour; F11 makes it full screen, the picture still scaled by 4
# in the middle of a black border, and F11 brings the window back.
# Usage: window_scale.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
if grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "window scale test runs in the normal build only"
    exit 0
fi
game=$build/game
tmp=$(mktemp -d /tmp/fretfall-scale-XXXXXX)
xvfb_pid="" wm_pid="" game_pid=""
# The game is killed outright: once its display is gone it would not be asked to quit.
cleanup() {
    [ -z "$game_pid" ] || kill -KILL "$game_pid" 2>/dev/null || true
    for pid in $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    [ ! -f "$tmp/shot.png" ] || cp "$tmp/shot.png" "$build/window-scale-failure.png"
    exit 1
}

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(cat "$tmp/display")"
# Full screen is the window manager's business on X11.
HOME=$tmp jwm >"$tmp/wm.log" 2>&1 &
wm_pid=$!

mkdir -p "$tmp/game/data"
for entry in img audio song ariblk.ttf; do ln -s "$game/$entry" "$tmp/game/$entry"; done
(cd "$tmp/game" && exec env -u SDL12COMPAT_WINDOW_SCALING -u SDL12COMPAT_SCALE_METHOD \
    SDL_AUDIODRIVER=dummy "$game/fretfall") >"$tmp/game.log" 2>&1 &
game_pid=$!
wid=$(timeout 20 xdotool search --sync --name '^Fretfall$' | head -n 1) || true
[ -n "$wid" ] || fail "no window named Fretfall: $(cat "$tmp/game.log")"

# The window's size; "x" while it is not yet there to be measured.
size() { { xwininfo -id "$wid" 2>/dev/null || true; } | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
# Waits up to 10 s for the window to measure $1.
wait_size() {
    for _ in $(seq 100); do [ "$(size)" = "$1" ] && return 0; sleep 0.1; done
    fail "the window measures $(size), not $1"
}
# The picture in region $1 of shot $2 is made of 4x4 blocks, and is not one colour.
check_blocks() {
    convert "$2" -crop "$1" +repage "$tmp/region.png"
    convert "$tmp/region.png" -sample 25% -sample 400% "$tmp/blocks.png"
    local differ
    differ=$(compare -metric AE "$tmp/region.png" "$tmp/blocks.png" null: 2>&1) || true
    [ "$differ" = 0 ] || fail "$differ pixels of $1 break the 4x4 blocks"
    local colours
    colours=$(convert "$tmp/region.png" -format '%k' info:)
    [ "$colours" -gt 8 ] || fail "the picture in $1 has only $colours colours"
}

wait_size 1280x960
timeout 10 xdotool windowfocus --sync "$wid" || fail "cannot give the window the keyboard focus"
# The first splash fades in: wait for a picture of many colours.
for _ in $(seq 50); do
    import -window "$wid" "$tmp/shot.png"
    [ "$(convert "$tmp/shot.png" -format '%k' info:)" -gt 8 ] && break
    sleep 0.1
done
check_blocks 1280x960+0+0 "$tmp/shot.png"
echo "window: 1280x960 in 4x4 blocks"

xdotool key F11
wait_size 1920x1080
sleep 0.3
import -window root "$tmp/shot.png"
check_blocks 1280x960+320+60 "$tmp/shot.png"
for border in 320x1080+0+0 320x1080+1600+0 1920x60+0+0 1920x60+0+1020; do
    convert "$tmp/shot.png" -crop "$border" +repage "$tmp/border.png"
    [ "$(convert "$tmp/border.png" -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
        fail "the full-screen border $border is not black"
done
echo "full screen: 1920x1080, the picture 1280x960 in 4x4 blocks on black"

xdotool key F11
wait_size 1280x960
echo "window scale test passed"

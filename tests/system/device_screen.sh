#!/bin/bash
# The game on a handheld's display, an X server with no window manager: started with
# --fullscreen on screens of 640x480, 720x720 and 1280x720 it fills each with the largest
# whole multiple of 320x240, centred on black, every game pixel a k x k block. On the last,
# the X server is stopped under the running, recording game: it ends within a second with
# one line on stderr and a non-zero status, and its recording replays up to the loss.
# Usage: device_screen.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
if grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "device screen test runs in the normal build only"
    exit 0
fi
game=$build/game
check=$build/tests/system/window/fretfall-shotcheck
tmp=$(mktemp -d /tmp/fretfall-device-XXXXXX)
xvfb_pid="" game_pid=""
cleanup() {
    [ -z "$game_pid" ] || kill -KILL "$game_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$tmp/game/data"
for entry in img audio song ariblk.ttf; do ln -s "$game/$entry" "$tmp/game/$entry"; done

for screen in "640x480 640x480+0+0 2" "720x720 640x480+40+120 2" "1280x720 960x720+160+0 3"; do
    read -r size want_place want_k <<<"$screen"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
    [ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
    export DISPLAY=":$(cat "$tmp/display")"
    (cd "$tmp/game" && exec env SDL_AUDIODRIVER=dummy "$game/fretfall" --fullscreen \
        --record "$tmp/lost.rec") >"$tmp/game.out" 2>"$tmp/game.err" &
    game_pid=$!
    # The first splash fades in: wait (up to half a minute on a busy machine) for a whole
    # picture of many colours.
    measured=""
    for _ in $(seq 300); do
        if import -window root "$tmp/shot.png" 2>/dev/null &&
            measured=$("$check" scaled "$tmp/shot.png" 2>&1); then break; fi
        measured=""
        sleep 0.1
    done
    [ -n "$measured" ] || fail "$size: no whole picture: $("$check" scaled "$tmp/shot.png" 2>&1)"
    [ "$measured" = "$want_place $want_k" ] || fail "$size: the picture is $measured, not $want_place $want_k"
    echo "$size: the picture at $measured"
    if [ "$size" != 1280x720 ]; then
        kill -KILL "$game_pid"
        wait "$game_pid" 2>/dev/null || true
        game_pid=""
        kill "$xvfb_pid"
        wait "$xvfb_pid" 2>/dev/null || true
        rm -f "$tmp/display"
    fi
done

# The display goes away under the game; what it said before (a missing settings file) is
# not counted.
said=$(wc -l <"$tmp/game.err")
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
status=0
for _ in $(seq 10); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$game_pid" 2>/dev/null || fail "the game still runs a second after its display went"
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -ne 0 ] || fail "the game ended with status 0 when its display went"
[ "$(($(wc -l <"$tmp/game.err") - said))" -eq 1 ] ||
    fail "the game wrote other than one line at the loss: $(cat "$tmp/game.err")"
(cd "$tmp" && "$game/fretfall-replay" --play lost.rec --trace /dev/null) 2>"$tmp/replay.err" ||
    fail "the recording does not replay: $(cat "$tmp/replay.err")"
grep -q "replayed to there" "$tmp/replay.err" || fail "the replay: $(cat "$tmp/replay.err")"
echo "display lost: status $status, stderr: $(tail -n 1 "$tmp/game.err")"

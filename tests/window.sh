#!/bin/bash
# The real game in a real X window: Xvfb, the game binary and key events from xdotool.
# Skips the intro, checks the main menu's pixels, starts Paranoid and checks the fret row,
# a falling note and the HUD of a song frame, leaves it from the pause screen, wins the
# tutorial with q, enters the name AB1, leaves through the exit entry and checks the exit
# status and the highscore line. Screens are recognised from screenshots, not from sleeps.
# Usage: window.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
if grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "window test runs in the normal build only"
    exit 0
fi
game=$build/game
check=$build/tests/window/fretfall-shotcheck
tmp=$(mktemp -d /tmp/fretfall-window-XXXXXX)
xvfb_pid="" game_pid=""
cleanup() {
    [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# On a failure the last screenshot is kept in the build directory.
fail() {
    echo "FAIL: $*"
    [ ! -f "$tmp/shot.png" ] || cp "$tmp/shot.png" "$build/window-failure.png"
    exit 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A display of our own: Xvfb picks a free number and writes it to fd 3 once it is ready.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(cat "$tmp/display")"

# The game directory: links to the generated assets and an empty data/.
mkdir -p "$tmp/game/data"
for entry in img audio song ariblk.ttf; do ln -s "$game/$entry" "$tmp/game/$entry"; done
launched=$(now_ms)
(cd "$tmp/game" && SDL_AUDIODRIVER=dummy exec "$game/fretfall") >"$tmp/game.log" 2>&1 &
game_pid=$!
wid=$(timeout 20 xdotool search --sync --name '^Fretfall$' | head -n 1) || true
[ -n "$wid" ] || fail "no window named Fretfall: $(cat "$tmp/game.log")"
timeout 10 xdotool windowfocus --sync "$wid" || fail "cannot give the window the keyboard focus"

key() { xdotool key --delay 40 "$@"; }
shot() { import -window "$wid" "$tmp/shot.png"; }

img=$game/img
screens=("$img"/intro/*.png "$img/menus/menu1.png" "$img/menus/menu1.1.png"
         "$img/menus/select_song_band.png" "$img/menus/rank_score.png")
# The file name of the full-screen picture the window shows, or "none".
showing() {
    shot
    basename "$("$check" which "$tmp/shot.png" "${screens[@]}")"
}
# Waits up to $2 seconds until the window shows picture $1.
wait_for() {
    local until=$(($(now_ms) + 1000 * $2))
    while [ "$(showing)" != "$1" ]; do
        [ "$(now_ms)" -lt "$until" ] || fail "waited $2 s for $1, the window shows $(showing)"
        sleep 0.05
    done
}

# Intro: one press of A per splash. A splash also ends by itself after 100 passes (the
# fifth after 500, at least 8.5 s after the start), so presses stop 6 s after the start:
# a press that came as the last splash ended would open the play submenu instead.
while :; do
    now=$(showing)
    case $now in
    menu1.png) break ;;
    none) ;;
    *.png)
        if [ $(($(now_ms) - launched)) -lt 6000 ]; then
            key Control_L
            for _ in $(seq 40); do [ "$(showing)" != "$now" ] && break; sleep 0.05; done
        fi ;;
    esac
    [ $(($(now_ms) - launched)) -lt 20000 ] || fail "the intro did not end, the window shows $now"
    sleep 0.05
done

# Main menu: the backdrop everywhere, the cursor on the play entry (retried while the
# first pass may still be drawing the cursor).
ok=0
for _ in $(seq 20); do
    shot
    if "$check" menu "$tmp/shot.png" "$game" >"$tmp/check.log"; then ok=1; break; fi
    sleep 0.1
done
[ "$ok" = 1 ] || fail "main menu: $(cat "$tmp/check.log")"

# Play submenu, song selection, Paranoid.
key Control_L
wait_for menu1.1.png 5
key Down Control_L
wait_for select_song_band.png 5
key Control_L

# A song frame with a lane 1 note: its first spawns 2995 ms after the music starts, which
# follows 2.2 s of loading and 3 s of countdown.
until=$(($(now_ms) + 25000))
while :; do
    [ "$(now_ms)" -lt "$until" ] || fail "no song frame with a lane 1 note: $(cat "$tmp/check.log")"
    shot
    status=0
    "$check" song "$tmp/shot.png" "$game" >"$tmp/check.log" || status=$?
    [ "$status" = 0 ] && break
    [ "$status" = 3 ] || fail "song frame: $(cat "$tmp/check.log")"
    sleep 0.05
done
echo "song frame: $(tr '\n' ' ' <"$tmp/check.log")"

# Pause and leave the song; the main menu shows again with its cursor on the play entry.
key Return Escape
wait_for menu1.png 10

# The tutorial, won at once with q (taken by its first frame), then 2 s + 4 s of results.
key Control_L
wait_for menu1.1.png 5
key Down Down Control_L q
wait_for rank_score.png 25

# Name entry: A (row 1, column 0), B (one to the right), 1 (row 0, column 1); each press
# of A confirms one letter, the third writes the line.
key Down Control_L Right Control_L Up Control_L
wait_for menu1.png 10

# Exit entry: four down from the play entry.
key Down Down Down Down Control_L
status=0
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs after the exit entry"
wait "$game_pid" || status=$?
game_pid=""
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$tmp/game.log")"

expected=$(printf '  %s%33s%d%35s' AB1 "" 0 "")
[ -f "$tmp/game/data/DATA6.dat" ] || fail "no data/DATA6.dat"
printf '%s\n' "$expected" | cmp - "$tmp/game/data/DATA6.dat" ||
    fail "DATA6.dat holds '$(cat -A "$tmp/game/data/DATA6.dat")'"
echo "window test passed"

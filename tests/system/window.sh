#!/bin/bash
# The real game in a real X window, played with xdotool and replayed from its recording.
#
# The real game in a real X window: Xvfb, the game binary and key events from xdotool,
# recorded with --record and --trace. Skips the intro and checks the main menu's pixels;
# plays the tutorial with misses and a pause and wins it with q; enters the name AB1;
# starts Paranoid, checks the fret row, a falling note and the HUD of a song frame, hits
# its first notes with a run of lane 1 presses that goes on until the song fails; saves
# from the options and leaves through the exit entry. Then the recording replays to the
# same trace, game_save and highscore line; and a second session on a display of its own,
# killed with SIGKILL in the middle of a song meanwhile, replays up to the cut. Screens are
# recognised from screenshots or from the trace, not from sleeps.
# Usage: window.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
if grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "window test runs in the normal build only"
    exit 0
fi
game=$build/game
check=$build/tests/system/window/fretfall-shotcheck
tmp=$(mktemp -d /tmp/fretfall-window-XXXXXX)
replay=$game/fretfall-replay
session=play xvfb_pids="" game_pid="" killed_pid=""
cleanup() {
    [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
    [ -z "$killed_pid" ] || kill "$killed_pid" 2>/dev/null || true
    for pid in $xvfb_pids; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT

# On a failure the session's last screenshot is kept in the build directory.
fail() {
    echo "FAIL: $*"
    [ ! -f "$tmp/$session.png" ] || cp "$tmp/$session.png" "$build/window-failure-$session.png"
    exit 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A display for session $1: Xvfb picks a free number and writes it to fd 3 once it is ready.
start_display() {
    Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$tmp/$1.display" 2>"$tmp/$1.xvfb.log" &
    xvfb_pids="$xvfb_pids $!"
    for _ in $(seq 100); do [ -s "$tmp/$1.display" ] && break; sleep 0.1; done
    [ -s "$tmp/$1.display" ] || fail "Xvfb did not start: $(cat "$tmp/$1.xvfb.log")"
}

key() { xdotool key --delay 40 "$@"; }
shot() { import -window "$wid" "$tmp/$session.png"; }

# Starts session $1 of the game on its display, in a game directory of its own, $tmp/$1
# (links to the generated assets and an empty data/), recording into $tmp/$1.rec and
# tracing into $tmp/$1.trace, and gives its window the keyboard focus.
launch() {
    session=$1
    export DISPLAY=":$(cat "$tmp/$session.display")"
    mkdir -p "$tmp/$session/data"
    for entry in img audio song ariblk.ttf; do ln -s "$game/$entry" "$tmp/$session/$entry"; done
    launched=$(now_ms)
    (cd "$tmp/$session" && SDL_AUDIODRIVER=dummy exec "$game/fretfall" --record "$tmp/$session.rec" \
        --trace "$tmp/$session.trace") >"$tmp/$session.log" 2>&1 &
    game_pid=$!
    wid=$(timeout 20 xdotool search --sync --pid "$game_pid" --name '^Fretfall$' | head -n 1) || true
    [ -n "$wid" ] || fail "no window named Fretfall: $(cat "$tmp/$session.log")"
    timeout 10 xdotool windowfocus --sync "$wid" || fail "cannot give the window the keyboard focus"
}

img=$game/img
screens=("$img"/intro/*.png "$img/menus/menu1.png" "$img/menus/menu1.1.png"
         "$img/menus/select_song_band.png" "$img/menus/rank_score.png" "$img/menus/main3.png"
         "$img/menus/menu_save.png")
# The file name of the full-screen picture the window shows, or "none".
showing() {
    shot
    basename "$("$check" which "$tmp/$session.png" "${screens[@]}")"
}
# Waits up to $2 seconds until the window shows picture $1.
wait_for() {
    local until=$(($(now_ms) + 1000 * $2))
    while [ "$(showing)" != "$1" ]; do
        [ "$(now_ms)" -lt "$until" ] || fail "waited $2 s for $1, the window shows $(showing)"
        sleep 0.05
    done
}
# Waits up to $2 seconds until the session's trace, written out at least once a second,
# holds a line matching $1.
wait_trace() {
    local until=$(($(now_ms) + 1000 * $2))
    until grep -q "$1" "$tmp/$session.trace" 2>/dev/null; do
        [ "$(now_ms)" -lt "$until" ] || fail "waited $2 s for a trace line with $1"
        sleep 0.1
    done
}

# Intro: one press of A per splash. A splash also ends by itself after 100 passes (the
# fifth after 500, at least 8.5 s after the start), so presses stop 6 s after the start:
# a press that came as the last splash ended would open the play submenu instead.
skip_intro() {
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
}

# Waits for the game to end by itself and checks its status.
wait_exit() {
    local status=0
    for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null && fail "the game still runs after the exit entry"
    wait "$game_pid" || status=$?
    game_pid=""
    [ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$tmp/$session.log")"
}

# A second session on a display of its own, beside the first: killed with SIGKILL a second
# into Paranoid, its recording replays up to the cut, and the two traces agree as far as
# both go.
killed_session() {
    trap '[ -z "$game_pid" ] || kill -KILL "$game_pid" 2>/dev/null || true' EXIT
    trap 'exit 1' TERM
    launch killed
    skip_intro
    key Control_L
    wait_for menu1.1.png 5
    key Down Control_L
    wait_for select_song_band.png 5
    key Control_L
    wait_trace '"screen":"song"' 15
    sleep 1.2
    kill -KILL "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=""
    status=0
    "$replay" --play "$tmp/killed.rec" --trace "$tmp/killed-replay.trace" 2>"$tmp/killed-replay.log" || status=$?
    [ "$status" = 0 ] || fail "the killed session's replay ended with status $status: $(cat "$tmp/killed-replay.log")"
    grep -q 'the recording ends after' "$tmp/killed-replay.log" ||
        fail "the killed session's replay did not say where it ended: $(cat "$tmp/killed-replay.log")"
    grep -q '"screen":"song"' "$tmp/killed-replay.trace" || fail "the killed session's replay reached no song frame"
    cmp "$tmp/killed.trace" "$tmp/killed-replay.trace" >"$tmp/cmp.log" 2>&1 || grep -q EOF "$tmp/cmp.log" ||
        fail "the killed session's traces differ: $(cat "$tmp/cmp.log")"
    echo "killed session: $(sed 's/^fretfall-replay: //' "$tmp/killed-replay.log")"
}

start_display play
start_display killed
killed_session >"$tmp/killed.out" 2>&1 &
killed_pid=$!
launch play
skip_intro

# Main menu: the backdrop everywhere, the cursor on the play entry (retried while the
# first pass may still be drawing the cursor).
ok=0
for _ in $(seq 20); do
    shot
    if "$check" menu "$tmp/play.png" "$game" >"$tmp/check.log"; then ok=1; break; fi
    sleep 0.1
done
[ "$ok" = 1 ] || fail "main menu: $(cat "$tmp/check.log")"

# The tutorial, whose first note comes after a minute: three lane presses in its first
# frames are misses; a pause, resumed; then q wins it, and 2 s + 4 s of results follow.
key Control_L
wait_for menu1.1.png 5
key Down Down Control_L
wait_trace '"screen":"song"' 15
key a s d Return
wait_trace '"screen":"pause"' 5
key Return q
wait_for rank_score.png 25

# Name entry: A (row 1, column 0), B (one to the right), 1 (row 0, column 1); each press
# of A confirms one letter, the third writes the line.
key Down Control_L Right Control_L Up Control_L
wait_for menu1.png 10

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
    shot_at=$(now_ms)
    shot
    status=0
    "$check" song "$tmp/play.png" "$game" >"$tmp/check.log" || status=$?
    [ "$status" = 0 ] && break
    [ "$status" = 3 ] || fail "song frame: $(cat "$tmp/check.log")"
    sleep 0.05
done
echo "song frame: $(tr '\n' ' ' <"$tmp/check.log")"

# Lane 1 presses every 100 ms, two frames each (press and release), from the moment the
# lowest lane 1 note seen, falling 200 pixels a second, reaches y 185, so that the first
# presses meet it on the target (y 200 to 230): the notes of lane 1 that reach the target
# meanwhile (every 560 ms) are hit, the other presses and the notes of lanes 2 and 3 miss,
# until the rock meter runs empty; after 3 s of the failure banner the main menu shows.
y=$(sed -n 's/^lane 1 note at y \([0-9]*\)$/\1/p' "$tmp/check.log" | sort -n | tail -n 1)
wait_ms=$(((185 - y) * 5 - ($(now_ms) - shot_at)))
[ "$wait_ms" -le 0 ] || sleep "$(printf '0.%03d' "$wait_ms")"
for _ in $(seq 10); do
    grep -q '"sound":"PTRUIM"' "$tmp/play.trace" && break
    xdotool key --delay 100 a a a a a a a a a a
done
wait_for menu1.png 10

# Options, the save menu (its cursor on the back entry), save, back, and the exit entry.
key Down Down Control_L
wait_for main3.png 5
key Down Down Down Control_L
wait_for menu_save.png 5
key Up Up Up Control_L
key Down Down Down Control_L
wait_for menu1.png 10
key Down Down Down Down Control_L
wait_exit

expected=$(printf '  %s%33s%d%35s' AB1 "" 0 "")
[ -f "$tmp/play/data/DATA6.dat" ] || fail "no data/DATA6.dat"
printf '%s\n' "$expected" | cmp - "$tmp/play/data/DATA6.dat" ||
    fail "DATA6.dat holds '$(cat -A "$tmp/play/data/DATA6.dat")'"
printf '0\n1' | cmp - "$tmp/play/game_save" || fail "game_save holds '$(cat -A "$tmp/play/game_save")'"
for want in '"screen":"pause"' '"sound":"ERRO4"' '"sound":"PTRUIM"' '"hits":[1-9]' '"exit":0'; do
    grep -q "$want" "$tmp/play.trace" || fail "the session's trace has no $want"
done

# The replay: the same trace byte for byte, and the same files.
mkdir "$tmp/replayed"
started=$(now_ms)
"$replay" --play "$tmp/play.rec" --dir "$tmp/replayed" --trace "$tmp/replayed.trace" \
    2>"$tmp/replayed.log" || fail "the replay ended with status $?: $(cat "$tmp/replayed.log")"
replay_ms=$(($(now_ms) - started))
cmp "$tmp/play.trace" "$tmp/replayed.trace" || fail "the replay's trace differs"
for file in game_save data/DATA6.dat; do
    cmp "$tmp/play/$file" "$tmp/replayed/$file" || fail "the replay's $file differs"
done
hits=$(grep -o '"hits":[0-9]*' "$tmp/play.trace" | cut -d: -f2 | sort -n | tail -n 1)
echo "session: $hits hits, $(stat -c %s "$tmp/play.rec") bytes recorded, $(grep -c . "$tmp/play.trace") trace lines, replayed in $replay_ms ms"

status=0
wait "$killed_pid" || status=$?
killed_pid=""
cat "$tmp/killed.out"
[ "$status" = 0 ] || fail "the killed session failed"
echo "window test passed"

#!/bin/bash
# Instructions of one song frame at a chosen frame of a song, measured with callgrind.
#
# Instructions per song frame (the 50 ms pacing is a virtual wait, so it costs nothing) at a
# chosen frame of a song, measured with callgrind on the headless driver: two runs that end
# HALF frames before and after the frame, the song loop's inclusive cost subtracted.
#
#   tests/support/measure/song_frame_cost.sh BUILD_DIR [SONG [FRAME [HALF]]]
#
# Defaults: song 4 (forwhomthebellstolls) at frame 5760 (msec 288000), where ten notes are
# on screen and 799 have spawned. To live that long the player holds lanes 1 to 4 and
# presses a key of no lane every fifth frame: the two-lane pairs keep the meter up. The
# four held lanes add four pressed-fret flips to every frame.
set -euo pipefail
build=$(cd "${1:?build dir}" && pwd)
song=${2:-4}
frame=${3:-5760}
half=${4:-50}
game=$build/game
work=$(mktemp -d /tmp/frame-cost-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data"
for entry in img audio song ariblk.ttf; do ln -s "$game/$entry" "$work/$entry"; done

prefix=$'tap LCTRL\ntap LCTRL\ntap LCTRL\ntap LCTRL\ntap LCTRL\n'   # intro
prefix+=$'tap LCTRL\ntap DOWN\ntap LCTRL\n'                           # song selection
for ((i = 0; i < song; ++i)); do prefix+=$'tap RIGHT\n'; done
prefix+=$'tap LCTRL\n'

printf '%swait 12000\n' "$prefix" > "$work/start.script"
"$game/fretfall-replay" --dir "$work" --trace "$work/start.trace" "$work/start.script"
frame0=$(grep -m1 '"screen":"song"' "$work/start.trace" | sed 's/^{"t":\([0-9]*\),.*/\1/')

# A script that plays until song frame $1.
write_script() {
    local last=$1 clock=0 at out="$work/to$1.script"
    printf '%s' "$prefix" > "$out"
    emit() { at=$((frame0 + 50 * $1)); echo "wait $((at - clock))" >> "$out"; echo "$2" >> "$out"; clock=$at; }
    emit 1 "down a"; emit 2 "down s"; emit 3 "down d"; emit 4 "down f"
    for ((k = 10; k < last; k += 5)); do emit $k "down z"; done
    echo "wait $((frame0 + 50 * last + 1 - clock))" >> "$out"
}

cost() {
    write_script "$1"
    valgrind --tool=callgrind --callgrind-out-file="$work/cg$1.out" \
        "$game/fretfall-replay" --dir "$work" --trace "$work/cg$1.trace" "$work/to$1.script" \
        > "$work/cg$1.log" 2>&1
    callgrind_annotate --inclusive=yes "$work/cg$1.out" 2>/dev/null |
        awk '/song\.cpp:play_song\(\)/ && !seen { gsub(",", "", $1); print $1; seen = 1 }'
}

before=$(cost $((frame - half)))
after=$(cost $((frame + half)))
last_frame=$(grep '"screen":"song"' "$work/cg$((frame + half)).trace" | tail -1)
echo "last song frame: $last_frame"
echo "song loop, frames $((frame - half))..$((frame + half)): $(( (after - before) / (2 * half) )) instructions per frame"

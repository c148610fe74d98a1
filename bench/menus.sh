#!/bin/bash
# Instructions of one pass of every menu screen, headless: callgrind's main-thread count of
# two runs that idle on the screen for different lengths, the difference divided by the
# passes between them (a menu pass is paced to 17 virtual ms). The name entry draws only on
# an event, so its two runs differ in the number of key presses instead.
#
#   bench/menus.sh BUILD_DIR [OUT_DIR]
#
# Prints one "SCREEN INSTRUCTIONS" line per screen, then the highscore table's pass with a
# 2.5-million-line (200 MB) file, made in a temporary directory and deleted afterwards. With
# LIBRARY_DIR set, the library screen's pass in that game directory as well.
set -euo pipefail
build=$(cd "${1:?build dir}" && pwd)
game=$build/game
replay=$game/fretfall-replay
work=$(mktemp -d /tmp/fretfall-menus-XXXXXX)
trap 'rm -rf "$work"' EXIT
out=${2:-$work}

# A game directory with a saved progress of five wins (the first guitar unlocks) and the
# highscore file of page 0 holding `lines` entry lines.
make_dir() {
    local dir=$1 lines=$2
    mkdir -p "$dir/data"
    for entry in img audio song ariblk.ttf; do ln -sfn "$game/$entry" "$dir/$entry"; done
    printf '5\n0\n' >"$dir/game_save"
    # 80-byte lines of the stored layout, scores rising so every line is ranked.
    awk -v n="$lines" 'BEGIN { for (i = 1; i <= n; i++)
        printf "  ABC                                 %-8d                                   \n", i }' \
        >"$dir/data/DATA0.dat"
}

intro="tap LCTRL
tap LCTRL
tap LCTRL
tap LCTRL
tap LCTRL"
# Main menu to the options, and the options menu's entries.
options="tap DOWN
tap DOWN
tap LCTRL"
# Loads the saved progress (save menu entry 1) and comes back to the main menu.
load="$options
tap DOWN
tap DOWN
tap DOWN
tap LCTRL
tap UP
tap UP
tap LCTRL
wait 600
tap DOWN
tap DOWN
tap LCTRL"

instr() { # NAME SCRIPT-TEXT DIR: main-thread instructions of the run
    printf '%s\n' "$2" >"$work/$1.script"
    valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$work/$1.cg" \
        "$replay" --dir "$3" --trace /dev/null "$work/$1.script" >"$work/$1.log" 2>&1
    awk '/^(summary|totals):/ { print $2; exit }' "$work/$1.cg-01"
    rm -f "$work/$1.cg"*
}

# Idle passes: runs of PASSES_A and PASSES_B passes on the screen after its keys and a
# settling wait.
PASSES_A=${PASSES_A:-50}
PASSES_B=${PASSES_B:-250}
# ONLY=REGEX measures only the screens whose names match (highscore_table_big: the big file).
idle_pass() { # NAME KEYS DIR
    local a b
    [[ $1 =~ ${ONLY:-.} ]] || return 0
    a=$(instr "$1.a" "$intro
$2
wait ${SETTLE_MS:-1000}
wait $((17 * PASSES_A))" "$3")
    b=$(instr "$1.b" "$intro
$2
wait ${SETTLE_MS:-1000}
wait $((17 * PASSES_B))" "$3")
    echo "$1 $(((b - a) / (PASSES_B - PASSES_A)))"
}

# The name entry: the tutorial won with its q key, then 20 or 120 RIGHT presses (two events
# and two drawn passes each) on the grid.
key_pass() { # DIR
    [[ name_entry =~ ${ONLY:-.} ]] || return 0
    local won a b
    won="$intro
tap LCTRL
tap DOWN
tap DOWN
tap LCTRL
wait 6000
tap q
wait 7000"
    a=$(instr name_entry.a "$won
$(for _ in $(seq 20); do echo "tap RIGHT"; done)
wait 2000" "$1")
    b=$(instr name_entry.b "$won
$(for _ in $(seq 120); do echo "tap RIGHT"; done)
wait 2000" "$1")
    echo "name_entry $(((b - a) / 200))"
}

small=$work/small
make_dir "$small" 10
{
    idle_pass main_menu "" "$small"
    idle_pass play_submenu "tap LCTRL" "$small"
    idle_pass career "tap LCTRL
tap LCTRL" "$small"
    idle_pass song_selection "tap LCTRL
tap DOWN
tap LCTRL" "$small"
    idle_pass highscore_table "tap LCTRL
tap DOWN
tap DOWN
tap DOWN
tap LCTRL" "$small"
    idle_pass gallery "$load
tap DOWN
tap LCTRL" "$small"
    idle_pass options_menu "$options" "$small"
    idle_pass key_configuration "$options
tap LCTRL" "$small"
    idle_pass game_look "$options
tap DOWN
tap LCTRL" "$small"
    idle_pass volume "$options
tap DOWN
tap DOWN
tap LCTRL" "$small"
    idle_pass save_menu "$options
tap DOWN
tap DOWN
tap DOWN
tap LCTRL" "$small"
    idle_pass credits "tap DOWN
tap DOWN
tap DOWN
tap LCTRL" "$small"
    key_pass "$small"
} | tee "$out/menus.txt"

# The library screen's pass, in LIBRARY_DIR (a game directory holding songs/ and its cache,
# made by the caller): song selection, LEFT to the library's page, A opens the list.
if [[ -n ${LIBRARY_DIR:-} && library =~ ${ONLY:-.} ]]; then
    for entry in img audio song ariblk.ttf; do ln -sfn "$game/$entry" "$LIBRARY_DIR/$entry"; done
    idle_pass library "tap LCTRL
tap DOWN
tap LCTRL
tap LEFT
tap LCTRL" "$LIBRARY_DIR" | tee "$out/library_pass.txt"
fi

if [[ highscore_table_big =~ ${ONLY:-.} ]]; then
    big=$work/big
    make_dir "$big" 2500000
    idle_pass highscore_table_big "tap LCTRL
tap DOWN
tap DOWN
tap DOWN
tap LCTRL" "$big" | tee "$out/hiscore_big.txt"
    rm -rf "$big"
fi

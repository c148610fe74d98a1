#!/bin/bash
# The benchmark behind `make bench`: figures of the headless game, printed as one table
# with the command behind each figure, then one "NAME VALUE UNIT" line per figure.
#
#   bench/run.sh BUILD_DIR
#
# Every song run plays forwhomthebellstolls (song 4) with a script from its chart that hits
# every note. The headless driver's clock is virtual: a song frame's 50 ms pacing costs
# nothing, so its time and instructions are the frame's work.
set -euo pipefail
build=$(cd "${1:?build dir}" && pwd)
bench=$(cd "$(dirname "$0")" && pwd)
game=$build/game
replay=$game/fretfall-replay
hitscript=$build/bench/fretfall-hitscript
present=$build/bench/fretfall-present
song=4
work=$(mktemp -d /tmp/fretfall-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/game/data"
for entry in img audio song ariblk.ttf; do ln -s "$game/$entry" "$work/game/$entry"; done
cd "$work"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
play() { "$replay" --dir "$work/game" --trace /dev/null "$1"; }

# Frame 0 of the song on the virtual clock, from a run of the keys that reach it.
{ "$hitscript" prefix $song; echo "wait 12000"; } >prefix.script
"$replay" --dir "$work/game" --trace prefix.trace prefix.script
frame0=$(grep -m1 '"screen":"song"' prefix.trace | sed 's/^{"t":\([0-9]*\),.*/\1/')
read -r first last notes < <("$hitscript" densest $song 10)
frames=$((last - first))
"$hitscript" play $song "$frame0" "$first" >to_first.script 2>/dev/null
"$hitscript" play $song "$frame0" "$last" >to_last.script 2>/dev/null
# The whole song: its end at 309 s is frame 6180; the win and results follow.
"$hitscript" play $song "$frame0" 6181 8000 >whole.script 2>hitscript.log

# The whole song must be won with its notes hit, or the figures measure something else.
"$replay" --dir "$work/game" --trace whole.trace whole.script
end_line=$(grep '"screen":"song"' whole.trace | tail -n 1)
grep -q '"screen":"name_entry"' whole.trace || { echo "the whole song was not won: $end_line"; exit 1; }
hits=$(echo "$end_line" | sed 's/.*"hits":\(-*[0-9]*\).*/\1/')

# 1. Instructions per song frame: callgrind on runs that end at the window's start and end.
# Only the main thread counts: the mixer's thread decodes music by the wall clock, which
# under callgrind runs many times slower than the game's virtual one.
instr() {
    valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$work/cg.$1.out" \
        "$replay" --dir "$work/game" --trace /dev/null "$1.script" >"$work/cg.$1.log" 2>&1
    awk '/^(summary|totals):/ { print $2; exit }' "$work/cg.$1.out-01"
}
i_first=$(instr to_first)
i_last=$(instr to_last)
frame_instructions=$(((i_last - i_first) / frames))
# Where they go: inclusive instructions per frame of the game's functions below the song
# loop, the same difference of the two runs (callgrind_annotate).
for run in to_first to_last; do
    callgrind_annotate --inclusive=yes "$work/cg.$run.out-01" >"$work/$run.inclusive" 2>/dev/null
done
awk -v frames="$frames" -v total="$frame_instructions" '
    FNR == 1 { file++ }
    /^ *[0-9,]+ +\(/ && !/=>/ {
        v = $1; gsub(",", "", v)
        name = $0; sub(/^ *[0-9,]+ +\([^)]*\) +/, "", name)
        sub(/ \[.*$/, "", name); sub(/^.*\/src\//, "src/", name); sub(/^\?\?\?:/, "", name)
        if (file == 1) first[name] = v; else last[name] = v
    }
    END {
        for (k in last) {
            if (k !~ /^src\// || k ~ /:main$|run_flow|fretfall_main/) continue
            d = (last[k] - first[k]) / frames
            if (d >= 0.02 * total) printf "%10d  %s\n", d, k
        }
    }' "$work/to_first.inclusive" "$work/to_last.inclusive" | sort -rn >breakdown.txt

# What one present costs inside SDL (the conversion of the 16-bit screen for the window),
# which the headless driver leaves out: two runs of fretfall-present, 10 and 60 presents.
present_instr() {
    SDL_VIDEODRIVER=dummy valgrind --tool=callgrind --separate-threads=yes \
        --callgrind-out-file="$work/cg.present$1.out" \
        "$present" "$1" >/dev/null 2>&1
    awk '/^(summary|totals):/ { print $2; exit }' "$work/cg.present$1.out-01"
}
present_instructions=$((($(present_instr 60) - $(present_instr 10)) / 50))

# 2. Wall time per song frame: the driver notes every present (--presents: virtual ms, wall
# clock); a song frame's presents share its virtual ms, frame k's being frame0 + 50 k. The
# median of the window's frame-to-frame times (first present to first present) in each of
# five runs of to_last.script, and the median of those; and the most presents of one frame.
lo=$((frame0 + 50 * (first + 1)))
hi=$((frame0 + 50 * last))
for _ in $(seq 5); do
    "$replay" --dir "$work/game" --trace /dev/null --presents presents.txt to_last.script >/dev/null 2>&1
    awk -v lo="$lo" -v hi="$hi" '$1 != t { if ($1 >= lo && $1 <= hi) printf "%.3f\n", ($2 - w) * 1e6; t = $1; w = $2 }' \
        presents.txt | median
done >frame_us.txt
frame_us=$(median <frame_us.txt)
presents_per_frame=$(awk -v lo="$((lo - 50))" -v hi="$hi" '$1 >= lo && $1 <= hi { n[$1]++ }
    END { m = 0; for (t in n) if (n[t] > m) m = n[t]; print m }' presents.txt)

# 3. Start-up: process start to the first presented intro frame (the first line of
# --presents), median of ten runs; the script ends at the intro's second pass.
echo "wait 1" >startup.script
for _ in $(seq 10); do
    t0=$EPOCHREALTIME
    "$replay" --dir "$work/game" --trace /dev/null --presents startup.txt.1 startup.script >/dev/null 2>&1 || true
    awk -v a="$t0" 'NR == 1 { printf "%.3f %.3f\n", ($2 - a) * 1000, $3 }' startup.txt.1
done >startup.txt
startup_ms=$(awk '{ print $1 }' startup.txt | median)
startup_cpu_ms=$(awk '{ print $2 }' startup.txt | median)

# 4. Peak resident memory over the whole song.
/usr/bin/time -v "$replay" --dir "$work/game" --trace /dev/null whole.script 2>time.txt >/dev/null
peak_rss_mb=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f\n", $2 / 1024 }' time.txt)

# 5. The whole song through the driver, median of three runs; the CPU seconds (user +
# system, the mixer's thread included) beside it show what the machine's load added.
for _ in 1 2 3; do
    /usr/bin/time -f "%e %U %S" -o whole.time "$replay" --dir "$work/game" --trace /dev/null \
        whole.script >/dev/null 2>&1
    cat whole.time
done >whole.txt
song_sim_s=$(awk '{ print $1 }' whole.txt | median)
song_cpu_s=$(awk '{ printf "%.2f\n", $2 + $3 }' whole.txt | median)

# 6. One pass of every menu screen, and of the highscore table with a 200 MB file
# (bench/menus.sh, which makes and deletes that file).
bash "$bench/menus.sh" "$build" "$work" >menus.log 2>&1 || { cat menus.log; exit 1; }
read -r menu_costliest menu_pass_instructions < <(sort -k2,2n menus.txt | tail -n 1)
hiscore_pass_instructions=$(awk '$1 == "highscore_table" { print $2 }' menus.txt)
hiscore_pass_instructions_big=$(awk '{ print $2 }' hiscore_big.txt)

# 7. The song library: 5,000 generated song folders (song.ini and a .chart of 300 expert
# notes each, 10 per artist folder), loaded as the game's start does. CPU ms of the load
# (user + system): with no cache (every folder read) per song, and with the cache of an
# unchanged library; medians of three and five runs.
librarybench=$build/bench/fretfall-librarybench
library_songs=5000
"$librarybench" make "$work/library" $library_songs
for _ in 1 2 3; do
    rm -f "$work/library/data/library.cache"
    "$librarybench" load "$work/library"
done >library_cold.txt
library_cold_scan_ms_per_song=$(awk -v n=$library_songs '{ printf "%.3f\n", $1 / n }' library_cold.txt | median)
for _ in 1 2 3 4 5; do "$librarybench" load "$work/library"; done >library_warm.txt
library_warm_start_ms=$(awk '{ print $1 }' library_warm.txt | median)
# The library screen's pass over those 5,000 songs, measured as the menu passes are (the
# cache of the runs above makes the start-up read no folder).
mkdir -p "$work/librarypass"
ONLY='^library$' LIBRARY_DIR="$work/library" bash "$bench/menus.sh" "$build" "$work/librarypass" \
    >librarypass.log 2>&1 || { cat librarypass.log; exit 1; }
library_pass_instructions=$(awk '$1 == "library" { print $2 }' "$work/librarypass/library_pass.txt")
# 8. The stem mixer of library songs (bench/stems.cpp): callgrind instructions per second of
# audio mixing four stereo Vorbis stems (q8, 44.1 kHz) to 22050 Hz, the difference of 12 s
# and 2 s; and the peak memory of mixing a whole seven-minute song of six stems, added to
# the game's own peak above (the mixer's process less the same process mixing nothing).
stembench=$build/bench/fretfall-stembench
mkdir -p "$work/stems" "$work/long"
"$stembench" make "$work/stems" 12 guitar.ogg song.ogg bass.ogg drums.ogg
vorbis4=("$work"/stems/{guitar,song,bass,drums}.ogg)
stem_instr() {
    valgrind --tool=callgrind --callgrind-out-file="$work/cg.stems$1.out" "$stembench" mix "$1" \
        "${vorbis4[@]}" >/dev/null 2>&1
    awk '/^(summary|totals):/ { print $2; exit }' "$work/cg.stems$1.out"
}
stem_instructions_per_s=$((($(stem_instr 12) - $(stem_instr 2)) / 10))
# Six decoders cost the same whether or not two read one file: the Vorbis file plays thrice.
"$stembench" make "$work/long" 420 song.ogg rhythm.opus &
making=$!
"$stembench" make "$work/long" 420 drums.mp3 keys.wav
wait $making
long6=("$work"/long/{song.ogg,song.ogg,song.ogg,rhythm.opus,drums.mp3,keys.wav})
stem_rss_kb() {
    /usr/bin/time -f %M -o "$work/stems.rss" "$stembench" mix 420 "$@" >/dev/null 2>&1
    cat "$work/stems.rss"
}
stems_rss_kb=$(stem_rss_kb "${long6[@]}")
stems_base_kb=$(stem_rss_kb)
stems_added_mb=$(awk -v a="$stems_rss_kb" -v b="$stems_base_kb" 'BEGIN { printf "%.1f\n", (a - b) / 1024 }')
stems_game_peak_mb=$(awk -v g="$peak_rss_mb" -v s="$stems_added_mb" 'BEGIN { printf "%.1f\n", g + s }')

# 9. The densest library song (bench/densechart.cpp): ten minutes at 20 notes a second,
# chords of two and three lanes and sustains, played through --song; instructions per frame
# as in 1, over song frames 600..800 (30 to 40 s).
densechart=$build/bench/fretfall-densechart
"$densechart" make "$work/dense" 10
echo "wait 12000" >dense_prefix.script
"$replay" --dir "$work/game" --trace dense_prefix.trace --song "$work/dense" dense_prefix.script 2>/dev/null
dense0=$(grep -m1 '"screen":"song"' dense_prefix.trace | sed 's/^{"t":\([0-9]*\),.*/\1/')
"$densechart" play "$work/dense" "$dense0" 600 >dense_first.script 2>/dev/null
"$densechart" play "$work/dense" "$dense0" 800 >dense_last.script 2>densechart.log
dense_instr() {
    valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$work/cg.$1.out" \
        "$replay" --dir "$work/game" --trace /dev/null --song "$work/dense" "$1.script" >/dev/null 2>&1
    awk '/^(summary|totals):/ { print $2; exit }' "$work/cg.$1.out-01"
}
library_densest_frame_instructions=$((($(dense_instr dense_last) - $(dense_instr dense_first)) / 200))

load_after=$(cut -d' ' -f1-3 /proc/loadavg)
cpu=$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)
verdict() { awk -v v="$1" -v g="$2" 'BEGIN { print (v <= g) ? "met" : "MISSED" }'; }

cat <<EOF
Machine: $cpu, $(nproc) cores; load average $load_before before, $load_after after.
Song: forwhomthebellstolls, $(sed 's/^fretfall-hitscript: //' hitscript.log); $hits hits at its end.
Densest ten seconds: song frames $first..$last ($notes notes spawn), frame 0 at virtual ms $frame0.

| Figure | Value | Goal | | Command |
|---|---|---|---|---|
| frame_instructions | $frame_instructions | 1000000 | $(verdict "$frame_instructions" 1000000) | (main-thread Ir of \`valgrind --tool=callgrind --separate-threads=yes fretfall-replay to_last.script\` - the same of to_first.script) / $frames |
| present_instructions | $present_instructions | | | (main-thread Ir of \`valgrind --tool=callgrind --separate-threads=yes fretfall-present 60\` - the same of \`fretfall-present 10\`) / 50: SDL's work for one present, which the headless driver leaves out |
| presents_per_frame | $presents_per_frame | 2 | $(verdict "$presents_per_frame" 2) | most presents of one window frame in \`fretfall-replay --presents F to_last.script\` |
| frame_us | $frame_us | | | median of 5 runs of the median time between the window's frames, from \`fretfall-replay --presents F to_last.script\` |
| startup_ms | $startup_ms | 150 | $(verdict "$startup_ms" 150) | median of 10 runs of \`fretfall-replay --presents F startup.script\`: shell start to the first present (CPU $startup_cpu_ms ms) |
| peak_rss_mb | $peak_rss_mb | 40 | $(verdict "$peak_rss_mb" 40) | Maximum resident set size of \`/usr/bin/time -v fretfall-replay whole.script\` / 1024 |
| song_cpu_s | $song_cpu_s | 1.5 | $(verdict "$song_cpu_s" 1.5) | median of 3 runs: user + system seconds of \`/usr/bin/time fretfall-replay whole.script\` (309 s of song, won) |
| song_sim_s | $song_sim_s | 2 | $(verdict "$song_sim_s" 2) | median of 3 runs: elapsed of the same |
| menu_pass_instructions | $menu_pass_instructions | 300000 | $(verdict "$menu_pass_instructions" 300000) | the costliest pass ($menu_costliest) of \`bench/menus.sh\`: (main-thread Ir of a run idling 250 passes on the screen - the same of 50 passes) / 200 |
| library_cold_scan_ms_per_song | $library_cold_scan_ms_per_song | 2 | $(verdict "$library_cold_scan_ms_per_song" 2) | median of 3 runs: CPU ms (user + system) of \`fretfall-librarybench load\` with no cache, over $library_songs generated song folders, / $library_songs |
| library_warm_start_ms | $library_warm_start_ms | 50 | $(verdict "$library_warm_start_ms" 50) | median of 5 runs: CPU ms of the same with the cache of the unchanged library |
| library_pass_instructions | $library_pass_instructions | 300000 | $(verdict "$library_pass_instructions" 300000) | the library screen's pass as the menu passes above, with the $library_songs songs of the library figures |
| stem_instructions_per_s | $stem_instructions_per_s | | | (Ir of \`valgrind --tool=callgrind fretfall-stembench mix 12 FOUR_OGG\` - the same of \`mix 2\`) / 10: four stereo Vorbis q8 stems, 44.1 kHz, mixed to 22050 Hz |
| stems_game_peak_mb | $stems_game_peak_mb | 64 | $(verdict "$stems_game_peak_mb" 64) | peak_rss_mb + $stems_added_mb MB: Maximum resident set size of \`fretfall-stembench mix 420 SIX_STEMS\` (Vorbis thrice, Opus, MP3, WAV; seven minutes) less that of \`mix 420\` |
| library_densest_frame_instructions | $library_densest_frame_instructions | 1000000 | $(verdict "$library_densest_frame_instructions" 1000000) | (main-thread Ir of \`valgrind --tool=callgrind --separate-threads=yes fretfall-replay --song DENSE dense_last.script\` - the same of dense_first.script) / 200: \`fretfall-densechart make DENSE 10\` (12,000 notes, 20 a second, chords and sustains), song frames 600..800, $(sed 's/^fretfall-densechart: //' densechart.log) |
| hiscore_pass_instructions_big | $hiscore_pass_instructions_big | $((2 * hiscore_pass_instructions)) | $(verdict "$hiscore_pass_instructions_big" $((2 * hiscore_pass_instructions))) | the highscore table's pass as above with a 2,500,000-line (200 MB) file; goal twice the pass with ten lines |

Instructions per frame by function (inclusive, at least 2% of the frame):
$(cat breakdown.txt)

Instructions per menu pass by screen (the name entry's pass is one drawn on a key press):
$(cat menus.txt)

Scripts: \`fretfall-hitscript play 4 $frame0 LAST\` with LAST $first (to_first), $last (to_last), 6181 and 8000 ms more (whole).
frame_instructions $frame_instructions instructions
present_instructions $present_instructions instructions
presents_per_frame $presents_per_frame presents
frame_us $frame_us us
startup_ms $startup_ms ms
peak_rss_mb $peak_rss_mb MB
song_cpu_s $song_cpu_s s
song_sim_s $song_sim_s s
menu_pass_instructions $menu_pass_instructions instructions
hiscore_pass_instructions_big $hiscore_pass_instructions_big instructions
library_cold_scan_ms_per_song $library_cold_scan_ms_per_song ms
library_warm_start_ms $library_warm_start_ms ms
library_pass_instructions $library_pass_instructions instructions
stem_instructions_per_s $stem_instructions_per_s instructions
stems_game_peak_mb $stems_game_peak_mb MB
library_densest_frame_instructions $library_densest_frame_instructions instructions
EOF

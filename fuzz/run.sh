#!/bin/bash
# Builds the fuzz targets with clang++ into BUILD_DIR and runs each for SECONDS, starting
# from the seed corpus of valid files. Fails when a target finds a crash, a sanitizer
# report or a broken invariant; the input that did it is left in BUILD_DIR as crash-*.
# Usage: fuzz/run.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 >/dev/null

# Longest input of each target: past the 4096 bytes the progress and settings readers look
# at, and across two of the 8192-byte blocks in which the highscore reader takes its file; a
# recording's header, a few small starting files and some hundred records; song.ini,
# .chart and MIDI charts of some dozen lines, notes and events; a library cache of a few
# dozen folders; a WAV or AIFF header with a few chunks and some blocks of samples.
declare -A max_len=([progress]=5000 [settings]=5000 [hiscore]=20000 [recording]=4096
                    [songini]=4096 [chart]=8192 [midi]=4096 [librarycache]=8192 [pcm]=16384)
status=0
for target in progress settings hiscore recording songini chart midi librarycache pcm; do
    corpus="$build/corpus-$target"
    mkdir -p "$corpus"
    log="$build/fuzz_$target.log"
    if "$build/fuzz_$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" \
        -print_final_stats=1 -artifact_prefix="$build/crash-$target-" \
        "$corpus" "$here/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz_$target: $runs executions in $seconds s, no crash"
    else
        echo "FAIL: fuzz_$target (log: $log):"
        tail -n 40 "$log"
        status=1
    fi
done
exit $status

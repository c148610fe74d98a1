#!/bin/bash
# The house rules, checked on the sources.
#
# .clang-format is followed; no `extern` in a .cpp; only src/platform/ calls SDL's clock,
# waits, event poll and flip; and no folder of src/ includes one above it in app -> menus,
# nameentry -> game -> store -> songs -> engine -> platform (headless/ and app/ may include
# everything; the files of store/ keep what songs/ describes).
# Usage: style.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
cd "${2:?source dir}" || exit 2
status=0
fail() { echo "$*"; status=1; }

mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c' 2>/dev/null ||
    find src tests tools bench fuzz pkg -name '*.cpp' -o -name '*.h' -o -name '*.c')

command -v clang-format >/dev/null || fail "clang-format is not installed"
unformatted=$(clang-format --dry-run -Werror "${sources[@]}" 2>&1 |
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' | sort -u)
for f in $unformatted; do fail "$f: not laid out as .clang-format says"; done

# Globals are declared in headers; extern "C" definitions are not declarations.
grep -nE '^\s*extern\s+[^" ]' $(printf '%s\n' "${sources[@]}" | grep '\.cpp$') |
    while read -r line; do echo "$line: extern in a .cpp, declare it in the header"; done |
    grep . && status=1

grep -nE '\bSDL_(GetTicks|Delay|PollEvent|WaitEvent|PeepEvents|PumpEvents|Flip|UpdateRects?)\b' \
    $(printf '%s\n' "${sources[@]}" | grep '^src/' | grep -v '^src/platform/') |
    while read -r line; do echo "$line: SDL clock, wait, poll or flip outside src/platform/"; done |
    grep . && status=1

rank() {
    case $1 in
    platform) echo 0 ;; engine) echo 1 ;; songs) echo 2 ;; store) echo 3 ;; game) echo 4 ;;
    menus | nameentry) echo 5 ;; app | headless) echo 6 ;; *) echo 9 ;;
    esac
}
while IFS=: read -r file line include; do
    from=${file#src/} from=${from%%/*}
    to=${include#*\"} to=${to%%/*}
    [ "$from" != "$to" ] || continue
    case $from in app | headless) continue ;; esac
    [ "$(rank "$to")" -lt "$(rank "$from")" ] ||
        fail "$file:$line: $from includes $to, which is not below it"
done < <(grep -nE '^#include "[a-z]+/' $(printf '%s\n' "${sources[@]}" | grep '^src/'))

exit $status

#!/bin/bash
# The committed chart tables are exactly what the chart composer writes, byte for byte.
# Usage: charts_current.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
src=$2
composer=$build/tools/chartcomposer/fretfall-chartcomposer
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$composer" "$scratch" >/dev/null
count=0
for made in "$scratch"/chart_*.cpp; do
    cmp "$made" "$src/src/songs/$(basename "$made")"
    count=$((count + 1))
done
if [ "$count" -ne 6 ]; then
    echo "the composer wrote $count charts, not 6" >&2
    exit 1
fi

#!/bin/bash
# The file readers' fuzz targets, thirty seconds each (or as told), beside the sanitizer build.
#
# They are built with clang++ in a project of their own inside the sanitizer build's directory.
# Usage: fuzz.sh BUILD_DIR SOURCE_DIR [SECONDS]
set -euo pipefail
build=$1
src=$2
if ! grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "the fuzzers run beside the sanitizer build only"
    exit 0
fi
bash "$src/fuzz/run.sh" "$build/fuzz" "${3:-30}"

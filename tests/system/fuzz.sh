#!/bin/bash
# The fuzz targets of the file readers, thirty seconds each (or as told), built with
# clang++ in a project of their own inside the sanitizer build's directory.
# Usage: fuzz.sh BUILD_DIR SOURCE_DIR [SECONDS]
set -euo pipefail
build=$1
src=$2
if ! grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "the fuzzers run beside the sanitizer build only"
    exit 0
fi
bash "$src/fuzz/run.sh" "$build/fuzz" "${3:-30}"

#!/bin/bash
# Soak: random key events through the sanitizer build's driver, watched for faults and growth.
#
# A seeded script of 20,000 events unless told otherwise. Fails on a sanitizer report, a
# screen never reached, or resident memory that grows by 1 MB or more over a run.
# Usage: soak.sh BUILD_DIR SOURCE_DIR [EVENTS [SEED]]
set -euo pipefail
build=$1
events=${3:-20000}
seed=${4:-1}
if ! grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "the soak runs in the sanitizer build only"
    exit 0
fi
work=$(mktemp -d /tmp/fretfall-soak-XXXXXX)
"$build/tests/support/soak/fretfall-soakgen" --seed "$seed" --events "$events" >"$work/script"
if "$build/tests/support/soak/fretfall-soak" --replay "$build/game/fretfall-replay" \
    --assets "$build/game" --script "$work/script" --work "$work/game"; then
    rm -rf "$work"
else
    echo "script, traces' stderr and the game directory kept in $work"
    exit 1
fi

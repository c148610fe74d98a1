#!/bin/sh
# Fretfall launcher. The game reads and writes relative to its working directory, so each
# player gets a directory of their own ($XDG_DATA_HOME/fretfall) holding links to the
# installed read-only assets beside their own progress file and highscores.
set -e
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
assets="$prefix/share/fretfall"
home="${XDG_DATA_HOME:-$HOME/.local/share}/fretfall"

mkdir -p "$home/data"
for entry in img song audio ariblk.ttf; do
    # Refreshed on every start, so the links follow a reinstalled or moved game.
    ln -sfn "$assets/$entry" "$home/$entry"
done
cd "$home"
exec "$prefix/lib/fretfall/fretfall" "$@"

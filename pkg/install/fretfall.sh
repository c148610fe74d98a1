#!/bin/sh
# Fretfall launcher, for the installed game (PREFIX/bin/fretfall) and for the self-contained
# folder of a bundle (fretfall/fretfall.sh). The game reads and writes relative to its
# working directory. A bundle keeps the player's files beside the game, as a handheld has
# one player; an installed game, or a bundle on a read-only medium, gives each player a
# directory of their own ($XDG_DATA_HOME/fretfall) holding links to the read-only assets
# beside their own progress file and highscores.
set -e
here=$(dirname "$(readlink -f "$0")")
if [ -f "$here/fretfall" ] && [ -d "$here/img" ]; then
    assets="$here"
    game="$here/fretfall"
    # The game saves by renaming a new game_save over the old, so the folder and its data/
    # must be writable; game_save itself need not be.
    if [ -w "$here" ] && mkdir -p "$here/data" 2>/dev/null && [ -w "$here/data" ]; then
        cd "$here"
        exec "$game" "$@"
    fi
else
    prefix=$(dirname "$here")
    assets="$prefix/share/fretfall"
    game="$prefix/lib/fretfall/fretfall"
fi
home="${XDG_DATA_HOME:-$HOME/.local/share}/fretfall"

mkdir -p "$home/data"
for entry in img song audio ariblk.ttf; do
    # Refreshed on every start, so the links follow a reinstalled or moved game.
    ln -sfn "$assets/$entry" "$home/$entry"
done
cd "$home"
exec "$game" "$@"

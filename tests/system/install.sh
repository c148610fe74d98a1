#!/bin/bash
# Installation into a temporary prefix, and the launcher started headless for two players.
#
# Each player gets a directory of their own with links to the shared assets and a data/ folder.
# Usage: install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
if grep -q '^FRETFALL_SANITIZE:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "install test runs in the normal build only"
    exit 0
fi
tmp=$(mktemp -d /tmp/fretfall-install-XXXXXX)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
for f in bin/fretfall lib/fretfall/fretfall share/fretfall/img/menus/menu1.png \
         share/fretfall/audio/menu1.mp3 share/fretfall/ariblk.ttf \
         share/applications/fretfall.desktop share/icons/hicolor/64x64/apps/fretfall.png; do
    [ -e "$prefix/$f" ] || fail "missing $f"
done

# Runs the launcher for a few seconds with no display and no sound card; the game is
# still running on its intro when the timeout ends it (status 124).
play() {
    local status=0
    env -u XDG_DATA_HOME HOME="$1" ${2:+XDG_DATA_HOME="$2"} SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
        timeout 2 "$prefix/bin/fretfall" 2>"$tmp/err" || status=$?
    [ "$status" -eq 124 ] || fail "launcher ended with $status: $(cat "$tmp/err")"
    # A new player has no settings file yet: the game says so once and plays on.
    local none="fretfall: there is no settings file; the default settings apply"
    [ "$(grep -cxF "$none" "$tmp/err")" = 1 ] || fail "no word of the missing settings file"
    [ -z "$(grep -vxF "$none" "$tmp/err")" ] || fail "launcher wrote errors: $(cat "$tmp/err")"
}

play "$tmp/alice"
user="$tmp/alice/.local/share/fretfall"
[ -d "$user/data" ] || fail "no data directory for the first player"
[ "$(readlink -f "$user/img")" = "$(readlink -f "$prefix/share/fretfall/img")" ] || fail "img is not linked"

play "$tmp/bob" "$tmp/bob-data"
[ -d "$tmp/bob-data/fretfall/data" ] || fail "XDG_DATA_HOME is not honoured"
[ ! -e "$tmp/bob/.local/share/fretfall" ] || fail "second player wrote into the default place"

# A second start reuses the directory and keeps what the player wrote.
echo "3" > "$user/game_save"
play "$tmp/alice"
[ "$(cat "$user/game_save")" = "3" ] || fail "the player's progress was touched"
# The same launcher in a bundle's folder (fretfall/fretfall.sh beside the game and its
# assets) starts the game in that folder from any working directory, unless the folder is
# read-only, when the player's directory is used as above.
bundle="$tmp/bundle/fretfall"
mkdir -p "$bundle/img" "$bundle/song" "$bundle/audio"
touch "$bundle/ariblk.ttf"
cp "$2/pkg/install/fretfall.sh" "$bundle/fretfall.sh"
printf '#!/bin/sh\npwd >"%s/started-in"\n' "$tmp" >"$bundle/fretfall"
chmod 755 "$bundle/fretfall"
(cd / && HOME="$tmp/carol" "$bundle/fretfall.sh")
[ "$(cat "$tmp/started-in")" = "$bundle" ] || fail "the bundle did not start in its folder"
[ -d "$bundle/data" ] || fail "the bundle's folder got no data directory"
# Read-only: by permission for a user, by a read-only mount for root (who may write into any
# folder), in a mount namespace of its own.
start_read_only() {
    if [ "$(id -u)" -ne 0 ]; then
        chmod a-w "$bundle"
        (cd / && env -u XDG_DATA_HOME HOME="$tmp/carol" "$bundle/fretfall.sh")
        chmod u+w "$bundle"
    else
        unshare -m sh -c "mount --bind -o ro '$bundle' '$bundle' && cd / &&
            env -u XDG_DATA_HOME HOME='$tmp/carol' '$bundle/fretfall.sh'"
    fi
}
if start_read_only; then
    [ "$(cat "$tmp/started-in")" = "$tmp/carol/.local/share/fretfall" ] ||
        fail "a read-only bundle did not start in the player's directory"
    [ "$(readlink "$tmp/carol/.local/share/fretfall/img")" = "$bundle/img" ] || fail "img is not linked"
else
    echo "no read-only mount here: the read-only bundle is not tried"
fi
echo "install test passed"

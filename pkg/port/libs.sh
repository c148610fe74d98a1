# The port's library folders: what the programs load that the firmware does not give.
# Sourced by port.sh and check.sh.

source "$(dirname "${BASH_SOURCE[0]}")/../dist/glibc.sh"

# What every firmware has, and what the port collection's rules forbid a port to bundle:
# glibc, the C++ runtime, SDL2 (the firmware's drives its display and sound) and the
# graphics, display, sound and system libraries beneath it.
is_firmware() {
    is_glibc "$1" && return 0
    case "$1" in
      libstdc++.so.*|libgcc_s.so.*|libSDL2-2.0.so.*|libGL.so.*|libGLX*|libGLdispatch.so.*|\
      libOpenGL.so.*|libEGL.so.*|libGLES*|libmali*|libdrm*|libgbm.so.*|libX*|libxcb*|\
      libwayland-*|libdecor*|libxkbcommon*|libpulse*|libasound.so.*|libpipewire*|\
      libdbus-*|libsystemd.so.*|libudev.so.*) return 0 ;;
    esac
    return 1
}

# SDL_mixer links to a MIDI synthesizer and a tracker-module player that the game never
# uses and that bring a dozen libraries with them; small libraries of the same names
# (pkg/dist/no_midi.c, no_mod.c) take their place, failing as the real ones do.
stand_in_source() {
    local dist
    dist=$(dirname "${BASH_SOURCE[0]}")/../dist
    case "$1" in
      libfluidsynth.so.*) echo "$dist/no_midi.c" ;;
      libmikmod.so.*) echo "$dist/no_mod.c" ;;
      *) return 1 ;;
    esac
}

needed_libs() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }

#   bundle_libs TREE TRIPLET LIBDIR LICDIR PROGRAM...
# (with $root the build root, and LIBDIR inside the project, where the root's compiler
# makes the stand-ins) copies into LIBDIR every library the programs need, from the ARM tree TREE
# (pkg/cross/sysroot.sh), each with the run path $ORIGIN, and into LICDIR the Debian
# copyright file of each library's package as LICENSE.<package>.txt.
bundle_libs() {
    local tree=$1 triplet=$2 libdir=$3 licdir=$4
    shift 4
    mkdir -p "$libdir" "$licdir"
    local -a todo=()
    local -A seen=()
    local program name path source package dir
    for program in "$@"; do
        while read -r name; do todo+=("$name"); done < <(needed_libs "$program")
    done
    while [ ${#todo[@]} -gt 0 ]; do
        name=${todo[0]}
        todo=("${todo[@]:1}")
        [ -n "${seen[$name]:-}" ] && continue
        seen[$name]=1
        is_firmware "$name" && continue
        if source=$(stand_in_source "$name"); then
            "$(dirname "${BASH_SOURCE[0]}")/inroot.sh" "$root" "$(cd "$(dirname "$source")" && pwd)" \
                "$triplet-gcc" -std=c99 -O2 -fPIC -shared -s -Wall -Wextra -Werror \
                -Wl,-soname,"$name" -o "$libdir/$name" "$(basename "$source")"
            chmod 644 "$libdir/$name"
            continue
        fi
        path=""
        for dir in "$tree/usr/lib/$triplet" "$tree/lib/$triplet" "$tree/usr/lib"; do
            [ -e "$dir/$name" ] && { path=$dir/$name; break; }
        done
        [ -n "$path" ] || { echo "bundle_libs: $name not found in $tree" >&2; return 1; }
        cp -L "$path" "$libdir/$name"
        chmod 644 "$libdir/$name"
        patchelf --set-rpath '$ORIGIN' "$libdir/$name"
        package=$(awk -v n="/$name" 'substr($2, length($2) - length(n) + 1) == n { print $1; exit }' \
            "$tree/.fretfall-files")
        if [ -n "$package" ] && [ -f "$tree/usr/share/doc/$package/copyright" ]; then
            cp -L "$tree/usr/share/doc/$package/copyright" "$licdir/LICENSE.$package.txt"
        fi
        while read -r next; do todo+=("$next"); done < <(needed_libs "$path")
    done
}

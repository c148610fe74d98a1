#!/bin/sh
# Builds the ARM library tree the cross builds compile and link against, and that the
# emulated runs load: Debian's packages of one architecture, downloaded with a private apt
# state and unpacked with dpkg-deb, never installed. Installing the ARM development
# packages through multiarch cannot work beside the native ones (libsdl-mixer1.2-dev needs
# libmad0-dev, which is not multiarch, so each install removes the other's), and a private
# apt state leaves the machine's own package set and architectures as they were.
#
#   sysroot.sh ARCH DIR [PACKAGE...] [--alone PACKAGE...]
#
# ARCH is armhf, arm64 or amd64; quick when DIR is already complete. The packages default
# to the native build's; those after --alone come without their dependencies (headers and
# link files of libraries whose runtime packages are named before). FRETFALL_SUITE names a
# Debian release to take the packages from (e.g. bullseye) instead of the machine's own.
set -e

usage="usage: sysroot.sh armhf|arm64|amd64 DIR [PACKAGE...] [--alone PACKAGE...]"
arch=${1:?$usage}
dest=${2:?$usage}
shift 2
case "$arch" in
  armhf|arm64|amd64) ;;
  *) echo "sysroot.sh: unknown architecture $arch" >&2; exit 2 ;;
esac

# The native build's libraries, for the other architecture, and the test framework.
PKGS="libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev
libpng-dev libjpeg-dev libvorbis-dev libogg-dev libmp3lame-dev libopusfile-dev libmpg123-dev
libopusenc-dev libgtest-dev"
ALONE=""
if [ $# -gt 0 ]; then
    PKGS=""
    while [ $# -gt 0 ] && [ "$1" != --alone ]; do PKGS="$PKGS $1"; shift; done
    [ $# -eq 0 ] || { shift; ALONE="$*"; }
fi
suite=${FRETFALL_SUITE:-}
# The C library's headers and link files come with the cross compiler; unpacking Debian's
# copies as well would put a second set of C headers ahead of the compiler's own.
SKIP="libc6-dev libc-dev-bin linux-libc-dev libcrypt-dev libnsl-dev libtirpc-dev rpcsvc-proto"

# The stamp names what the tree was made from, so a changed package list remakes it.
want="$arch${suite:+ $suite} $(echo $PKGS)${ALONE:+ / $ALONE} / $(echo $SKIP)"
[ -f "$dest/.fretfall-sysroot" ] && [ "$(cat "$dest/.fretfall-sysroot")" = "$want" ] && exit 0

parent=$(dirname "$dest")
mkdir -p "$parent"
# Builds started at once by several checkouts wait for each other, and the first one's
# tree serves them all.
exec 9>"$parent/.$(basename "$dest").lock"
flock 9
[ -f "$dest/.fretfall-sysroot" ] && [ "$(cat "$dest/.fretfall-sysroot")" = "$want" ] && exit 0

echo "Making the $arch library tree in $dest"
work=$(mktemp -d "$parent/.sysroot-$arch.XXXXXX")
chmod 755 "$work" # apt fetches as its own user
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/root"
: >"$work/status"
# An empty package status: apt resolves the whole dependency closure for that architecture
# alone, from the machine's own sources or the named release's.
sources=""
if [ -n "$suite" ]; then
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main" \
        >"$work/sources.list"
    sources="-o Dir::Etc::SourceList=$work/sources.list -o Dir::Etc::SourceParts=$work/lists/partial"
fi
apt_private() {
    apt-get -qq -o Dir::State::Lists="$work/lists" -o Dir::State::status="$work/status" \
        -o Dir::Cache="$work/cache" -o APT::Architecture="$arch" \
        -o APT::Architectures="$arch" -o Acquire::Languages=none -o Debug::NoLocking=1 \
        -o APT::Sandbox::User=root $sources "$@"
}
# A mirror caught mid-sync answers with an index of the wrong size for a while: try again.
# When one suite's index stays broken, the tree is made from the indexes that did arrive.
for try in 1 2 3; do
    apt_private update && break
    if [ "$try" -eq 3 ]; then
        ls "$work"/lists/*_Packages* >/dev/null 2>&1 || exit 1
        echo "sysroot.sh: going on with the package indexes that could be fetched" >&2
        break
    fi
    echo "sysroot.sh: the package index could not be fetched; trying again in $((try * 10)) s" >&2
    sleep $((try * 10))
done
apt_private -y --no-install-recommends --download-only install $PKGS >/dev/null
[ -z "$ALONE" ] || (cd "$work/cache/archives" && apt_private download $ALONE >/dev/null)
for deb in "$work"/cache/archives/*.deb; do
    name=$(dpkg-deb -f "$deb" Package)
    case " $(echo $SKIP) " in *" $name "*) continue ;; esac
    dpkg-deb -x "$deb" "$work/root"
    # Which package each file came from, for the licences of what a bundle takes.
    dpkg-deb -c "$deb" | awk -v p="$name" '{ sub(/^\./, "", $6); print p, $6 }' >>"$work/files"
done
mv "$work/files" "$work/root/.fretfall-files"
# Links that point at absolute paths (libz.so -> /lib/...) are made relative, so that they
# resolve inside the tree.
find "$work/root" -type l -lname '/*' | while read -r link; do
    target=$(readlink "$link")
    ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$work/root$target")" "$link"
done
echo "$want" >"$work/root/.fretfall-sysroot"
rm -rf "$dest"
mv "$work/root" "$dest"

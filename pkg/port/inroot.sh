#!/bin/sh
# Runs a command inside the port's Debian 11 build root (root.sh), with the project's folder
# at the same path as outside, so the build directories the command writes work from both
# sides. The mounts exist only in a private mount namespace that ends with the command:
# nothing stays mounted, and removing the root never reaches into the project.
#
#   inroot.sh ROOT DIR COMMAND [ARG...]     runs COMMAND in DIR (inside the project)
set -e
root=${1:?usage: inroot.sh ROOT DIR COMMAND...}
dir=${2:?usage: inroot.sh ROOT DIR COMMAND...}
shift 2
top=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$root/.fretfall-root" ] || { echo "inroot.sh: no build root in $root (pkg/port/root.sh)" >&2; exit 1; }
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
mkdir_in_root() { [ -d "$root$1" ] || $SUDO mkdir -p "$root$1"; }
mkdir_in_root "$top"
exec $SUDO unshare --mount sh -c '
    root=$1 top=$2 dir=$3
    shift 3
    mount --make-rprivate /
    mount --bind "$top" "$root$top"
    mount -t proc proc "$root/proc"
    mount --bind /dev "$root/dev"
    # The fonts the asset tests compare with, as the native tests see them.
    mkdir -p "$root/usr/share/fonts" && mount --bind -o ro /usr/share/fonts "$root/usr/share/fonts"
    exec chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        sh -c "cd \"\$0\" && exec \"\$@\"" "$dir" "$@"
' inroot "$root" "$top" "$dir" "$@"

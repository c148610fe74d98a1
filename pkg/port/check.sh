#!/bin/bash
# Checks the port against the port collection's rules and the firmwares it is for:
# the required files and clean names, port.json and gameinfo.xml, the launcher's line
# endings, no file over 90 MB, every ELF file needing nothing newer than GLIBC_2.30 and
# finding every library it names in its libs.ARCH/ or on the firmware, no library there
# that the firmware provides, and the zip's layout and size.
#
#   check.sh PORT_DIR ZIP      PORT_DIR is dist/port/fretfall
set -euo pipefail
port=$(cd "${1:?port directory}" && pwd)
zip=${2:?zip}
source "$(dirname "$0")/libs.sh"
name=$(basename "$port")
errors=0
fail() { echo "port check: $*"; errors=$((errors + 1)); }

[[ $name =~ ^[a-z0-9][a-z0-9._]*$ ]] || fail "the port's name $name is not clean"
for f in port.json README.md screenshot.png gameinfo.xml Fretfall.sh "$name/"; do
    [ -e "$port/$f" ] || fail "$f is missing"
done
for f in "$port"/*.sh; do
    [[ $(basename "$f") =~ ^[A-Z][A-Za-z0-9._\ -]*\.sh$ ]] || fail "launcher name $(basename "$f") is not capitalised"
    ! grep -q $'\r' "$f" || fail "$(basename "$f") has CR line endings"
    [ -x "$f" ] || fail "$(basename "$f") is not executable"
done
big=$(find "$port" -type f -size +90M)
[ -z "$big" ] || fail "files over 90 MB: $big"

# port.json (version 4) and gameinfo.xml, read by Python's own parsers.
python3 - "$port" "$name" <<'PY' || errors=$((errors + 1))
import json, os, struct, sys
import xml.etree.ElementTree as ET
port, name = sys.argv[1], sys.argv[2]
bad = []
try:
    meta = json.load(open(os.path.join(port, "port.json")))
except ValueError as e:
    sys.exit(f"port check: port.json is not JSON: {e}")
launchers = sorted(f for f in os.listdir(port) if f.endswith(".sh"))
attr = meta.get("attr", {})
if meta.get("version") != 4: bad.append("port.json version is not 4")
if meta.get("name") != name + ".zip": bad.append(f"port.json name is not {name}.zip")
if sorted(meta.get("items", [])) != sorted(launchers + [name + "/"]):
    bad.append(f"port.json items {meta.get('items')} are not {launchers + [name + '/']}")
for key, kind in [("title", str), ("desc", str), ("inst", str), ("porter", list), ("genres", list),
                  ("image", dict), ("rtr", bool), ("exp", bool), ("runtime", list), ("reqs", list),
                  ("arch", list), ("min_glibc", str)]:
    if not isinstance(attr.get(key), kind) or (kind in (str, list) and key not in ("runtime", "reqs") and not attr[key]):
        bad.append(f"port.json attr.{key} is missing or not a {kind.__name__}")
if sorted(attr.get("arch", [])) != ["aarch64", "armhf"]: bad.append("port.json arch is not aarch64 and armhf")
if attr.get("min_glibc") != "2.30": bad.append("port.json min_glibc is not 2.30")
try:
    game = ET.parse(os.path.join(port, "gameinfo.xml")).getroot().find("game")
    if game is None: raise ValueError("no <game>")
except (ET.ParseError, ValueError) as e:
    sys.exit(f"port check: gameinfo.xml: {e}")
if game.findtext("path") not in ["./" + l for l in launchers]:
    bad.append(f"gameinfo.xml path {game.findtext('path')} is not a launcher")
for tag in ("name", "desc", "developer", "genre", "image"):
    if not (game.findtext(tag) or "").strip(): bad.append(f"gameinfo.xml has no {tag}")
for tag in ("image", "thumbnail"):
    path = game.findtext(tag)
    # Images are named as installed: inside the port directory, beside the launcher.
    if path and not os.path.exists(os.path.join(port, path.replace(f"./{name}/", "./", 1))):
        bad.append(f"gameinfo.xml names {path}, which the port lacks")
with open(os.path.join(port, "screenshot.png"), "rb") as f:
    head = f.read(24)
if head[:8] != b"\x89PNG\r\n\x1a\n" or struct.unpack(">II", head[16:24]) != (640, 480):
    bad.append("screenshot.png is not a 640x480 PNG")
for b in bad: print("port check: " + b)
sys.exit(1 if bad else 0)
PY

# Every ELF file: glibc 2.30 at most, every library it needs bundled or the firmware's, and
# nothing of the firmware's bundled.
newest=""
while IFS= read -r -d '' f; do
    [ "$(head -c 4 "$f" | od -An -tx1 | tr -d ' \n')" = 7f454c46 ] || continue
    rel=${f#"$port"/}
    versions=$(objdump -T "$f" | { grep -o 'GLIBC_[0-9.]*' || true; } | sort -u -V)
    top=$(echo "$versions" | tail -n 1)
    echo "$rel: ${top:-no glibc symbols}"
    while read -r version; do
        [ -n "$version" ] || continue
        if [ "$(printf '%s\nGLIBC_2.30\n' "$version" | sort -V | tail -n 1)" != GLIBC_2.30 ]; then
            fail "$rel needs $version: $(objdump -T "$f" | grep -F "($version)" | awk '{print $NF}' | tr '\n' ' ')"
        fi
    done <<<"$versions"
    arch=${rel%%/*}
    case "$rel" in
      */libs.*/*) libs=$(dirname "$f"); is_firmware "$(basename "$f")" && fail "$rel is the firmware's" ;;
      */*.aarch64|*/*.armhf) libs=$(dirname "$f")/libs.${f##*.} ;;
      *) fail "$rel: an ELF file outside the programs and libs.ARCH/"; continue ;;
    esac
    while read -r lib; do
        is_firmware "$lib" || [ -f "$libs/$lib" ] || fail "$rel needs $lib, which is neither bundled nor the firmware's"
    done < <(needed_libs "$f")
    for lib in libstdc++.so.6 libgcc_s.so.1; do
        ! needed_libs "$f" | grep -qxF "$lib" || fail "$rel needs $lib: the C++ runtime must be linked in"
    done
done < <(find "$port" -type f -print0 | sort -z)

# The zip: the launcher and the port directory at its root, the collection's files inside.
listing=$(unzip -Z1 "$zip")
for f in Fretfall.sh "$name/" "$name/port.json" "$name/$name.md" "$name/gameinfo.xml" \
         "$name/screenshot.png" "$name/cover.png" "$name/$name.aarch64" "$name/$name.armhf"; do
    grep -qxF "$f" <<<"$listing" || fail "the zip lacks $f"
done
! grep -v -e '^Fretfall\.sh$' -e "^$name/" <<<"$listing" | grep -q . || fail "the zip holds more at its root"
size=$(stat -c %s "$zip")
[ "$size" -lt $((20 * 1024 * 1024)) ] || fail "the zip is $size bytes, over 20 MB"
echo "$(basename "$zip"): $((size / 1024)) KB"
[ "$errors" -eq 0 ] || { echo "FAIL: $errors port check(s) failed"; exit 1; }
echo "port check passed"

#!/usr/bin/env bash
# Writes what the image service serves for the update (its data folder's prg/):
#   ver.txt                  the version, e.g. 2.01
#   koloN_NN.bin             the program, named as Kolo asks for it (2.01 -> kolo2_01.bin,
#                            2.10 -> kolo2_1.bin, 2.00 -> kolo2.bin)
#   each with FILE.sig       its detached signature by the release key (scripts/sign-release.sh)
# Usage: scripts/update-files.sh Kolo.exe VERSION PRIVATE_KEY.pem OUT_DIR
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 Kolo.exe VERSION PRIVATE_KEY.pem OUT_DIR" >&2; exit 2; }
exe=$1 version=$2 key=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
[[ "$version" =~ ^[0-9]+\.[0-9]{2}$ ]] || { echo "update-files: version '$version' is not N.NN" >&2; exit 2; }
name=kolo$(echo "$version" | sed -e 's/0*$//' -e 's/\.$//' -e 's/\./_/').bin
mkdir -p "$out"
printf '%s\n' "$version" >"$out/ver.txt"
cp "$exe" "$out/$name"
"$here/sign-release.sh" "$key" "$out/ver.txt" >/dev/null
"$here/sign-release.sh" "$key" "$out/$name" >/dev/null
echo "update files: $out/ver.txt, $out/$name and their signatures"

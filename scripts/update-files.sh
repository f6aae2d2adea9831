#!/usr/bin/env bash
# update-files.sh KOLO_EXE MAJOR.MINOR PRIVATE_KEY OUT_DIR: the files the update
# service serves under /kolo/prg/: "ver.txt" (the newest version) and the
# versioned program "kolo<version with _>.bin", each with its detached
# signature (".sig", made by scripts/sign-release.sh). The version is written
# as the program writes it: two decimals without trailing zeros (1.10 -> 1.1).
set -euo pipefail
exe=$1 version=$2 key=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
text=$(printf '%.2f' "$version" | sed -e 's/0*$//' -e 's/\.$//')
mkdir -p "$out"
printf '%s\n' "$text" >"$out/ver.txt"
cp "$exe" "$out/kolo${text//./_}.bin"
for f in "$out/ver.txt" "$out/kolo${text//./_}.bin"; do
  "$here/sign-release.sh" "$key" "$f" "$f.sig" >/dev/null
done
echo "update files for $text in $out"

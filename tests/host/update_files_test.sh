#!/usr/bin/env bash
# The update files a release hands the service: the names Kolo asks for, the
# version text it reads, and signatures that an independent checker (OpenSSL)
# accepts with the key's public half and refuses for a changed program.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/kolo-update.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
key="$root/tests/data/publish/test_release_key.pem"
pub="$root/tests/data/publish/test_release_key.pub.pem"
printf 'MZ a program' >"$work/Kolo.exe"

# Version, the name Kolo asks for, and ver.txt as the program writes versions.
for case in "2.01 kolo2_01.bin 2.01" "2.10 kolo2_1.bin 2.1" "3.00 kolo3.bin 3"; do
  set -- $case
  "$root/scripts/update-files.sh" "$work/Kolo.exe" "$1" "$key" "$work/$1" >/dev/null
  [ -f "$work/$1/$2" ] || fail "version $1 gave $(ls "$work/$1"), not $2"
  [ "$(cat "$work/$1/ver.txt")" = "$3" ] || fail "ver.txt of $1 reads $(cat "$work/$1/ver.txt")"
  openssl dgst -sha256 -verify "$pub" -signature "$work/$1/$2.sig" "$work/$1/$2" >/dev/null ||
    fail "the signature of $2 does not verify"
done
printf 'MZ another program' >"$work/2.01/kolo2_01.bin"
openssl dgst -sha256 -verify "$pub" -signature "$work/2.01/kolo2_01.bin.sig" "$work/2.01/kolo2_01.bin" >/dev/null 2>&1 &&
  fail "a changed program still verifies"
# The service serves exactly these names.
ROOT="$root" /usr/bin/python3 -c '
import os, sys
sys.path.insert(0, os.path.join(os.environ["ROOT"], "server"))
import kolo_service
names = sorted(os.listdir(sys.argv[1]))
bad = [n for n in names if not kolo_service.PROGRAM_FILE.match(n)]
sys.exit("the service would not serve: %s" % bad if bad else 0)
' "$work/2.01"
echo "update files: names, versions and signatures are right"

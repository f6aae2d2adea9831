#!/usr/bin/env bash
# kolocli's promises to scripts: one tab-separated line per colour, errors on
# stderr with exit status 1, 257 lines from "palette show", a one-line reason
# when a conversion fails and no file left behind. $1 is the host build folder.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-$root/build/host}"
kolocli="$build/tools/kolocli/kolocli"
[ -x "$kolocli" ] || { echo "FAIL: $kolocli is not built"; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/kolo-cli.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# color: the text, then formats 0..12.
out=$("$kolocli" color ff8000 '  Navy  ')
want=$'ff8000\tFF8000\t255,128,0\t#FF8000\t$0080FF\t$FFFF8000\t0x0080FF\t0&0080FF&\t30,100,100\t67,43,74\t30,50,100\t0,50,100,0\t0,127,255\t171,143,23'
[ "$(sed -n 1p <<<"$out")" = "$want" ] || fail "color line for ff8000: $(sed -n 1p <<<"$out" | cat -A)"
[ "$(sed -n 2p <<<"$out" | cut -f1,2)" = $'  Navy  \t000080' ] || fail "color keeps the text as given"
# --format decides how three numbers are read.
[ "$("$kolocli" color --format 7 30,100,100 | cut -f2)" = FF7F00 ] || fail "--format 7 reads HSB"
[ "$("$kolocli" color 30,100,100 | cut -f2)" = 1E6464 ] || fail "format 0 reads three numbers as RGB"

set +e
"$kolocli" color red nonsense blue >"$work/out" 2>"$work/err"; status=$?
set -e
[ $status = 1 ] || fail "a bad colour text must exit 1, got $status"
[ "$(wc -l <"$work/out")" = 2 ] || fail "good texts around a bad one are still printed"
grep -q "nonsense" "$work/err" || fail "the bad text is named on stderr"

set +e
"$kolocli" color --format 13 red >/dev/null 2>&1; s1=$?
"$kolocli" frobnicate >/dev/null 2>&1; s2=$?
"$kolocli" >/dev/null 2>&1; s3=$?
set -e
[ $s1 = 2 ] && [ $s2 = 2 ] && [ $s3 = 2 ] || fail "usage errors exit 2 ($s1 $s2 $s3)"

# palette show / convert.
printf 'FF0000;00FF00\r\n0000FF' >"$work/p.csv"
"$kolocli" palette show --format 2 "$work/p.csv" >"$work/show"
[ "$(wc -l <"$work/show")" = 257 ] || fail "show prints 257 lines"
[ "$(head -4 "$work/show" | tr '\n' ' ')" = "-1 #FF0000 #00FF00 #0000FF " ] || fail "show: $(head -4 "$work/show")"
[ "$(tail -1 "$work/show")" = empty ] || fail "show marks empty cells"

"$kolocli" palette convert "$work/p.csv" "$work/p.kpt"
[ "$(stat -c %s "$work/p.kpt")" = 1028 ] || fail "kpt written by convert is not 1028 bytes"
"$kolocli" palette convert --format 1 "$work/p.kpt" "$work/q.csv"
[ "$(cat "$work/q.csv")" = "255,0,0;0,255,0;0,0,255" ] || fail "csv in format 1: $(cat "$work/q.csv")"

# Other tools' forms: through gpl and ase and back to csv; css is written only.
"$kolocli" palette convert "$work/p.csv" "$work/p.gpl"
"$kolocli" palette convert "$work/p.gpl" "$work/p.ase"
"$kolocli" palette convert --format 1 "$work/p.ase" "$work/r.csv"
[ "$(cat "$work/r.csv")" = "255,0,0;0,255,0;0,0,255" ] || fail "csv through gpl and ase: $(cat "$work/r.csv")"
"$kolocli" palette convert "$work/p.ase" "$work/p.css"
grep -qx '  --kolo-2: #0000FF;' "$work/p.css" || fail "css: $(cat "$work/p.css")"

printf 'FF0000;bogus' >"$work/bad.csv"
printf 'GIMP Palette\n1 2\n' >"$work/bad.gpl"
for args in "$work/bad.csv $work/out.act" "$work/p.csv $work/out.gif" "$work/missing.kpt $work/out.pal" \
            "$work/p.csv $work/no/such/dir/out.act" "$work/p.css $work/out.kpt" "$work/bad.gpl $work/out.ase"; do
  set +e
  # shellcheck disable=SC2086
  "$kolocli" palette convert $args >"$work/out" 2>"$work/err"; status=$?
  set -e
  [ $status = 1 ] || fail "convert $args must exit 1, got $status"
  [ "$(wc -l <"$work/err")" = 1 ] || fail "convert $args: reason is not one line: $(cat "$work/err")"
done
ls "$work" | grep -q '^out\.' && fail "a failed conversion left a file: $(ls "$work")"
echo "kolocli: ok"

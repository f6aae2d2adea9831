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
# palette new: the built-in palettes against their tables, worked out here on
# their own; random draws the same colours for the same seed and never FFFFFF.
for kind in empty web windows mac gray; do
  "$kolocli" palette new --kind $kind "$work/$kind.kpt" || fail "palette new --kind $kind failed"
done
"$kolocli" palette new --kind random --seed 42 "$work/r1.kpt"
"$kolocli" palette new --kind random --seed 42 "$work/r2.kpt"
"$kolocli" palette new --kind random --seed 43 "$work/r3.kpt"
cmp -s "$work/r1.kpt" "$work/r2.kpt" || fail "the same seed drew different random palettes"
cmp -s "$work/r1.kpt" "$work/r3.kpt" && fail "two seeds drew the same random palette"
python3 - "$work" <<'PY' || fail "a built-in palette differs from its table"
import struct, sys
w = sys.argv[1]
def cells(name):
    data = open(f"{w}/{name}.kpt", "rb").read()
    assert data[:4] == b"KOLO", name
    return list(struct.unpack("<256I", data[4:]))
def rgb(h): return (h >> 16) | (h & 0xFF00) | ((h & 0xFF) << 16)  # RRGGBB -> TColor
E = 0x10000000
lv = [0xFF, 0xCC, 0x99, 0x66, 0x33, 0x00]
web = [rgb(r << 16 | g << 8 | b) for r in lv for g in lv for b in lv]
assert cells("empty") == [E] * 256
assert cells("web") == web + [E] * 40
assert cells("gray") == [i * 0x010101 for i in range(256)]
ramp = [0xEE, 0xDD, 0xBB, 0xAA, 0x88, 0x77, 0x55, 0x44, 0x22, 0x11]
mac = web[:215] + [rgb(v << 16) for v in ramp] + [rgb(v << 8) for v in ramp] + [rgb(v) for v in ramp] \
    + [rgb(v * 0x010101) for v in ramp] + [0]
assert cells("mac") == mac
win = cells("windows")
head = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080, 0xC0DCC0, 0xA6CAF0]
tail = [0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]
assert win[:10] == [rgb(c) for c in head] and win[246:] == [rgb(c) for c in tail]
assert win[16:20] == [rgb(c) for c in (0x2A7F00, 0x2A7F55, 0x2A7FAA, 0x2A7FFF)]
assert win[180] == rgb(0xFF0055) and win[212:214] == [rgb(0xCCCCFF), rgb(0xFFCCFF)]
assert len(set(win)) == 255  # 808080 is there twice
r = cells("r1")
assert all(c <= 0xFFFFFE for c in r) and len(set(r)) > 250
PY
"$kolocli" palette new --kind plaid "$work/x.kpt" 2>/dev/null && fail "an unknown --kind was accepted"

# palette gradient: the corners are the four colours exactly (0 top-left,
# 1 top-right, 2 bottom-right, 3 bottom-left), in any colour notation.
"$kolocli" palette gradient '#102030' 'navy' 255,128,0 0x0000FF "$work/g.kpt" || fail "palette gradient failed"
show=$("$kolocli" palette show "$work/g.kpt")
[ "$(sed -n 2p <<<"$show")$(sed -n 17p <<<"$show")$(sed -n 257p <<<"$show")$(sed -n 242p <<<"$show")" = \
  102030000080FF8000FF0000 ] || fail "the gradient's corner cells are not the four colours"
"$kolocli" palette gradient red red red nocolor "$work/x.kpt" 2>/dev/null && fail "a wrong colour text was accepted"

# harmony: the colour is slot 0 and stays as given; triads of red on the RGB
# wheel are blue and green; the lines follow --format and the type's slot count.
[ "$("$kolocli" harmony --type 3 red | tr '\n' ' ')" = "FF0000 0000FF 00FF00 " ] || fail "triads of red: $("$kolocli" harmony --type 3 red)"
[ "$("$kolocli" harmony --type 5 --format 2 '#123456' | wc -l)" = 4 ] || fail "a tetrad prints four colours"
[ "$("$kolocli" harmony --type 5 --format 2 '#123456' | head -1)" = "#123456" ] || fail "slot 0 is not the colour given"
# On Johannes Itten's wheel the complement of its red is its green.
[ "$("$kolocli" harmony --type 2 --preset 3 DF1A19 | sed -n 2p)" = 00834E ] || fail "the complement on the Itten wheel"
set +e
"$kolocli" harmony --type 0 red >/dev/null 2>&1; h1=$?
"$kolocli" harmony --type 3 --preset 4 red >/dev/null 2>&1; h2=$?
"$kolocli" harmony --type 3 nocolor >/dev/null 2>&1; h3=$?
set -e
[ $h1 = 2 ] && [ $h2 = 2 ] && [ $h3 = 1 ] || fail "harmony's errors exit with $h1 $h2 $h3"

# contrast: two decimals never rounded up, then the AA and AAA verdicts.
want=$'ratio\t4.54\nAA\tnormal pass\tlarge pass\nAAA\tnormal fail\tlarge pass'
[ "$("$kolocli" contrast 767676 white)" = "$want" ] || fail "contrast of #767676 on white: $("$kolocli" contrast 767676 white)"
[ "$("$kolocli" contrast 777777 FFFFFF | head -1)" = $'ratio\t4.47' ] || fail "#777777 must not round up to a pass"
[ "$("$kolocli" contrast black white | head -1)" = $'ratio\t21.00' ] || fail "black on white is 21:1"
echo "kolocli: ok"

#!/usr/bin/env bash
# A new palette with real input: the strip's new-palette button opens the
# dialog centred over the main window; a click on the drop button opens the
# list of palettes under the name box; "Grayscale" is picked from it and
# confirmed with OK. The strip then holds the 256 greys and the settings keep
# the choice. Cancel afterwards changes neither.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d $wx /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d $wy /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.5

click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.6; }

# The strip's new-palette button: column at x 335 of the strip at (2, 277).
click $((wx + 2 + 347)) $((wy + 277 + 7))
wait_window "New palette" || fail "the new-palette dialog did not open"
id=$(xdotool search --onlyvisible --name '^New palette$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$id")"
# Centred over the 364x320 main window: 209x222 at (177, 149).
[ "$X,$Y,$WIDTH,$HEIGHT" = "177,149,209,222" ] || fail "the dialog is at $X,$Y ${WIDTH}x$HEIGHT, not centred over the main window"
dx=$X; dy=$Y
sleep 0.5
xdotool mousemove $((dx + 100)) $((dy + 8)); sleep 0.3  # over its title strip first

# The drop button at the right end of the name box (52, 7) of the body under the 15-pixel strip.
click $((dx + 52 + 142)) $((dy + 15 + 7 + 8))
shot="$E2E_DIR/list.png"
import -window root "$shot"
# The list opens right under the box, white, with its first row ("Empty", selected) in the frame colour.
[ "$(pixel_of "$shot" $((dx + 52 + 120)) $((dy + 15 + 7 + 16 + 60)))" = FFFFFF ] || fail "no list under the name box"
[ "$(pixel_of "$shot" $((dx + 52 + 140)) $((dy + 15 + 7 + 16 + 6)))" = 0080C0 ] || fail "the current palette is not selected in the list"
# Rows of 13 or 14 pixels: "Grayscale" is the fifth.
click $((dx + 52 + 40)) $((dy + 15 + 7 + 16 + 4 * 14 + 4))
shot="$E2E_DIR/grayscale.png"
import -window root "$shot"
# The preview's first swatch is black, the last (row 15, column 15) white.
[ "$(pixel_of "$shot" $((dx + 52 + 6)) $((dy + 15 + 27 + 6)))" = 000000 ] || fail "the preview does not start with black"
[ "$(pixel_of "$shot" $((dx + 52 + 9 * 15 + 6)) $((dy + 15 + 27 + 9 * 15 + 6)))" = FFFFFF ] || fail "the preview does not end with white"

click $((dx + 67 + 32)) $((dy + 15 + 181 + 10))  # OK
for _ in $(seq 1 25); do xdotool search --onlyvisible --name '^New palette$' >/dev/null 2>&1 || break; sleep 0.2; done
xdotool search --onlyvisible --name '^New palette$' >/dev/null 2>&1 && fail "OK did not close the dialog"

# Cancel keeps everything: open it again, pick "Web", cancel.
click $((wx + 2 + 347)) $((wy + 277 + 7))
wait_window "New palette" || fail "the dialog did not open a second time"
sleep 0.5
xdotool mousemove $((dx + 100)) $((dy + 8)); sleep 0.3
click $((dx + 52 + 142)) $((dy + 15 + 7 + 8))
click $((dx + 52 + 40)) $((dy + 15 + 7 + 16 + 1 * 14 + 4))
click $((dx + 137 + 32)) $((dy + 15 + 181 + 10))  # Cancel

probe send-close >/dev/null
for _ in $(seq 1 50); do probe state | grep -q '^found=0' && break; sleep 0.2; done
probe state | grep -q '^found=0' || fail "Kolo did not close"

[ "$(probe reg newPalette)" = 4 ] || fail "newPalette is $(probe reg newPalette), not 4 (Grayscale)"
colors=$(wine reg query 'HKCU\Software\Velmora\Kolo' /v colors 2>/dev/null | tr -d '\r' | sed -n 's/.*colors *REG_BINARY *//p')
python3 - "$colors" <<'PY' || fail "the strip does not hold the 256 greys"
import struct, sys
cells = struct.unpack("<256I", bytes.fromhex(sys.argv[1]))
bad = [i for i, c in enumerate(cells) if c != i * 0x010101]
assert not bad, f"cells {bad[:5]} are not grey"
PY
note "passed"

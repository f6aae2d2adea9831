#!/usr/bin/env bash
# The road of one pick, with real input: another program shows four stripes of
# known colours; the magnifier shows them while the pointer moves over them;
# the click that ends the pick never reaches that program; a click on a cell
# makes its colour the current one, and the slot's copy button puts its text on
# the clipboard. Escape ends a pick, and keys reach other programs meanwhile.
. "$(dirname "$0")/lib.sh"
use_virtual_desktop

trap 'helper close >/dev/null 2>&1 || true; stop_all' EXIT
LOG="$E2E_DIR/target.log"
SHOT="$E2E_DIR/screen.png"

# The helper's stripes: 100 pixels each from x = 40, y 40..279.
RED=C81E28 GREEN=1EAA3C FRAME=0080C0
start_stripes "$LOG"
E2E_PIDS+=("$STRIPES_PID")

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
click_at() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click 1; sleep 0.4; }
# The tab buttons sit in the title strip, 19 pixels wide from x = 6 with a pitch of 21.
S=$KOLO_SCALE  # on a dense screen Kolo's pixels are S x S; the screen's stay as they are
tab_button() { click_at $((kx + (6 + 21 * $1 + 9) * S)) $((ky + 8 * S)); }
centre_of() { read -r x y w h <<<"$1"; echo "$((x + w / 2)) $((y + h / 2))"; }

tab_button 4
pick=$(helper locate-text "get colors from screen") || fail "the pick button is not on the screen colour tab"
read -r ix iy _ _ <<<"$(helper locate-size $((256 * S)) $((256 * S)))" || fail "no main image"
[ -n "${ix:-}" ] || fail "no main image"

# --- a pick over the boundary of the red and green stripes ---
click_at $(centre_of "$pick")
xdotool mousemove 130 150; sleep 0.3
xdotool mousemove 136 150; sleep 0.6
import -window root "$SHOT"
# 16 cells of 16 pixels around x = 136: pixels 128..139 are red, 140..143 green
# (screen pixels at any density: each is one cell).
[ "$(pixel_of "$SHOT" $((ix + 5 * S)) $((iy + 5 * S)))" = $RED ] || fail "the grid's first cell is not the red stripe"
[ "$(pixel_of "$SHOT" $((ix + (11 * 16 + 5) * S)) $((iy + 120 * S)))" = $RED ] || fail "cell 12 is not red"
[ "$(pixel_of "$SHOT" $((ix + (12 * 16 + 5) * S)) $((iy + 120 * S)))" = $GREEN ] || fail "cell 13 is not green"
[ "$(pixel_of "$SHOT" $((ix + (12 * 16 + 14) * S)) $((iy + 5 * S)))" = $FRAME ] || fail "no outline at the cell's far edge"

# The click that ends the pick is swallowed; the grid keeps the last capture.
xdotool click 1; sleep 0.6
grep -q '^down' "$LOG" && fail "the click that ended the pick reached the other program"
xdotool mousemove 330 150; sleep 0.4
import -window root "$SHOT"
[ "$(pixel_of "$SHOT" $((ix + 5 * S)) $((iy + 5 * S)))" = $RED ] || fail "the grid changed after the pick ended"

# --- a click on a green cell makes it the current colour ---
click_at $((ix + (13 * 16 + 5) * S)) $((iy + 100 * S))
copy=$(helper slot-copy 1) || fail "the first colour slot's copy button is not on the main window"
click_at $(centre_of "$copy")
text=$(xclip -o -selection clipboard 2>/dev/null | tr -d '#\r\n' | tr a-f A-F)
[ "$text" = $GREEN ] || fail "the clipboard holds '$text', not the picked $GREEN"
# Switching tabs saves the settings: the slot holds the colour as 0x00BBGGRR.
tab_button 0
[ "$(probe reg color1 | tr -d '\r')" = $((0x3CAA1E)) ] || fail "color1 is $(probe reg color1), not the picked green"
grep -q '^down' "$LOG" && fail "a click inside Kolo reached the other program"

# --- keys pass during a pick, and Escape ends it ---
tab_button 4
click_at $(centre_of "$pick")
xdotool mousemove 300 150; sleep 0.3
xdotool key F9; sleep 0.5
grep -q '^hotkey' "$LOG" || fail "a key pressed during the pick did not reach the other program"
xdotool key Escape; sleep 0.6
click_at 320 160
grep -q '^down 280 120' "$LOG" || fail "after Escape a click still did not reach the other program"
note "passed"

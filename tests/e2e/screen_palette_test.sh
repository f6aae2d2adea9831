#!/usr/bin/env bash
# Palette from the screen with real input: another program shows stripes of
# known colours; on the fixed-palette tab the screen-palette button starts the
# pick, the pointer rests inside one stripe and a click ends it. The grid then
# holds that one colour and 255 empty cells, and the settings keep them.
. "$(dirname "$0")/lib.sh"
use_virtual_desktop

trap 'helper close >/dev/null 2>&1 || true; stop_all' EXIT
LOG="$E2E_DIR/target.log"
# Stripes of 100 pixels from x = 40, y 40..279; the first is red C81E28.
start_stripes "$LOG"
E2E_PIDS+=("$STRIPES_PID")

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
click_at() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }
click_at $((kx + 6 + 21 * 2 + 9)) $((ky + 8))  # tab button 2
btn=$(helper locate-text "get palette from screen") || fail "no screen-palette button on the fixed-palette tab"
read -r x y w h <<<"$btn"
click_at $((x + w / 2)) $((y + h / 2))
# The default 32-pixel square rests inside the red stripe (x 40..139).
xdotool mousemove 85 150; sleep 0.3
xdotool mousemove 90 150; sleep 0.6
xdotool click 1; sleep 0.6
grep -q '^down' "$LOG" && fail "the click that ended the pick reached the other program"

click_at $((kx + 6 + 21 * 0 + 9)) $((ky + 8))  # another tab: the settings are saved
[ "$(probe reg FX_paletteType)" = 4 ] || fail "FX_paletteType is $(probe reg FX_paletteType), not 4"
cells=$(wine reg query 'HKCU\Software\Velmora\Kolo' /v FX_customColors 2>/dev/null | tr -d '\r' |
        sed -n 's/.*FX_customColors *REG_BINARY *//p')
python3 - "$cells" <<'PY' || fail "the grid does not hold the stripe's colour and 255 empty cells"
import struct, sys
cells = struct.unpack("<256I", bytes.fromhex(sys.argv[1]))
assert cells[0] == 0x281EC8, f"cell 0 is {cells[0]:08X}"
rest = [i for i, c in enumerate(cells[1:], 1) if c != 0x10000000]
assert not rest, f"cells {rest[:5]} are not empty"
PY
note "passed"

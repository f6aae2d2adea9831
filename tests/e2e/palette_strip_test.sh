#!/usr/bin/env bash
# The palette strip with real input: a palette file opened through the open
# dialog; the wheel scrolls it; a cell dragged onto another cell (a copy), into
# a gap (a move), out over the main image and back into a gap (a move), out and
# dropped over the main image (nothing changes), and onto a colour slot (the
# slot takes it); a right click's menu copies a cell; a broken file reports
# "Failed to open file." and changes nothing; the strip saved through the save
# dialog as kpt and act, the act file equal to what kolocli makes from the saved
# kpt; the cells, folder and file type kept in the settings.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
place_kolo $wx $wy
[ -f "$KOLOCLI" ] || fail "kolocli.exe is not built"

# 40 colours, cell 12 the transparent one, the rest empty.
python3 - "$E2E_DIR/input.kpt" <<'EOF'
import struct, sys
cells = [0x10000000] * 256
for i in range(40):
    cells[i] = (i * 6) | ((255 - i * 6) << 8) | (((i * 37) % 256) << 16)
cells[12] |= 0x20000000
open(sys.argv[1], "wb").write(b"KOLO" + struct.pack("<256I", *cells))
EOF
printf 'NOT A PALETTE' > "$E2E_DIR/broken.kpt"

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.5

# The strip sits at (2, 277) of the window; buttons in the column at x 335.
sx=$((wx + 2)); sy=$((wy + 277))
cell_x() { echo $((sx + ($1 % 16) * 20 + 12)); }
cell_y() { echo $((sy + ($1 / 16) * 20 + 11)); }
gap_x() { echo $((sx + ($1 % 16) * 20 + 3)); }   # the gap before cell N
button() { xdotool mousemove $((sx + 335 + 12)) $((sy + $1 + 6)) click 1; }  # 1 new, 15 open, 29 save
image_x=$((wx + 132)); image_y=$((wy + 147))

drag() { # X1 Y1 [X Y]... : press at the first point, move through the others, release at the last
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mousemove $(($1 + 6)) "$2"  # past the 4-pixel threshold
  sleep 0.2
  shift 2
  while [ $# -ge 2 ]; do
    xdotool mousemove "$1" "$2"; sleep 0.2
    xdotool mousemove $(($1 + 1)) "$2"; sleep 0.2
    xdotool mousemove "$1" "$2"; sleep 0.2
    shift 2
  done
  xdotool mouseup 1
  sleep 0.4
}

# A broken file first: the message, and nothing else happens.
button 15
file_dialog Open "$E2E_DIR/broken.kpt"
wait_window Error || fail "no error message for a broken palette file"
xdotool key Return
gone_window Error || fail "the error message did not close"

button 15
file_dialog Open "$E2E_DIR/input.kpt"

# The wheel over the strip scrolls it a row at a time: cell 16 comes to the top
# left, and back. (Cell i is i*6 red, 255-i*6 green, (i*37)%256 blue.)
top_left() { # -> the colour drawn in the strip's first visible cell
  xdotool mousemove $((wx + 420)) $((wy + 340)); sleep 0.4
  screenshot_kolo "$E2E_DIR/strip.png" || fail "no screenshot of the window"
  pixel_of "$E2E_DIR/strip.png" $((2 + 12)) $((277 + 11))
}
[ "$(top_left)" = 00FF00 ] || fail "the strip does not start with cell 0 ($(top_left))"
xdotool mousemove "$(cell_x 5)" "$(cell_y 5)" click 5
[ "$(top_left)" = 609F50 ] || fail "the wheel did not scroll the strip a row down ($(top_left))"
xdotool mousemove "$(cell_x 5)" "$(cell_y 5)" click 4
[ "$(top_left)" = 00FF00 ] || fail "the wheel did not scroll the strip back up ($(top_left))"

drag "$(cell_x 2)" "$(cell_y 2)" "$(cell_x 9)" "$(cell_y 9)"                     # copy onto cell 9
drag "$(cell_x 3)" "$(cell_y 3)" "$(gap_x 6)" "$(cell_y 6)"                      # move 3 before 6
drag "$(cell_x 20)" "$(cell_y 20)" $image_x $image_y "$(gap_x 17)" "$(cell_y 17)"  # out and back
drag "$(cell_x 8)" "$(cell_y 8)" $image_x $image_y                                # out only
drag "$(cell_x 7)" "$(cell_y 7)" $((wx + 264 + 11)) $((wy + 19 + 3 * 18 + 9))       # onto slot 4's swatch

# A right click on a cell opens the strip's menu there; "Copy" copies the cell.
xdotool mousemove "$(cell_x 1)" "$(cell_y 1)" click 3
sleep 0.6
menu=$(probe menu 5 | sed -n 's/^rect=//p' || true)
[ "$(echo "$menu" | cut -d, -f1,2)" = "$(cell_x 1),$(cell_y 1)" ] || fail "no strip menu at cell 1 (menu: '$menu')"
xdotool key Down Return
copied=""
for _ in $(seq 1 25); do
  copied=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
  [ "$copied" = 06F925 ] && break
  sleep 0.2
done
[ "$copied" = 06F925 ] || fail "Copy on cell 1 put '$copied' on the clipboard, not 06F925"

button 29
file_dialog "Save As" "$E2E_DIR/out.kpt"
button 29
file_dialog "Save As" "$E2E_DIR/out.act"
[ -f "$E2E_DIR/out.kpt" ] || fail "out.kpt was not saved"
[ -f "$E2E_DIR/out.act" ] || fail "out.act was not saved"

probe send-close >/dev/null
for i in $(seq 1 50); do probe state | grep -q '^found=0' && break; sleep 0.2; done
probe state | grep -q '^found=0' || fail "Kolo did not close"

# What the cells must be, worked out on a plain list.
python3 - "$E2E_DIR/input.kpt" "$E2E_DIR/out.kpt" <<'EOF' || fail "the strip does not hold the expected cells"
import struct, sys
cells = list(struct.unpack("<256I", open(sys.argv[1], "rb").read()[4:]))
def move(s, g):
    c = cells.pop(s)
    cells.insert(g - 1 if g > s else g, c)
cells[9] = cells[2]
move(3, 6)
move(20, 17)
got = open(sys.argv[2], "rb").read()
assert got[:4] == b"KOLO", "magic"
got = list(struct.unpack("<256I", got[4:]))
for i, (a, b) in enumerate(zip(cells, got)):
    if a != b:
        print(f"cell {i}: expected {a:08X}, saved {b:08X}")
        sys.exit(1)
EOF
note "the cells after the drags are right"

wine "$KOLOCLI" palette convert "$(winpath "$E2E_DIR/out.kpt")" "$(winpath "$E2E_DIR/expect.act")" >/dev/null 2>&1 \
  || fail "kolocli could not convert the saved palette"
cmp -s "$E2E_DIR/out.act" "$E2E_DIR/expect.act" || fail "the saved act file differs from kolocli's"

# The settings keep the cells, the folder and the file type.
reg_value() { wine reg query 'HKCU\Software\Velmora\Kolo' /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/.*$1 *REG_[A-Z_]* *//p"; }
colors=$(reg_value colors | tr 'A-F' 'a-f')
python3 - "$colors" "$E2E_DIR/out.kpt" <<'EOF' || fail "the settings do not hold the strip's cells"
import struct, sys
stored = bytes.fromhex(sys.argv[1])
saved = list(struct.unpack("<256I", open(sys.argv[2], "rb").read()[4:]))
saved = [c & ~0x20000000 for c in saved]  # the transparent mark lives in TransparentId
assert list(struct.unpack("<256I", stored)) == saved, "colors"
EOF
[ "$(probe reg color4)" = $((0x03D52A)) ] || fail "slot 4 is $(probe reg color4), not cell 7 dropped on it"
[ "$(probe reg TransparentId)" = 12 ] || fail "TransparentId is $(probe reg TransparentId), not 12"
[ "$(probe reg filterPaletteIndex)" = 1 ] || fail "filterPaletteIndex is $(probe reg filterPaletteIndex)"
last=$(reg_value lastPath)
[ "${last%\\}" = "$(winpath "$E2E_DIR")" ] || fail "lastPath is '$last', not the folder of the saved file"
note "palette strip scenario passed"

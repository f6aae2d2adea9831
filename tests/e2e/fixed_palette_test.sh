#!/usr/bin/env bash
# The fixed-palette tab with real input: its tab button; the Web, grayscale,
# Mac and Windows buttons fill the grid with those palettes inside the
# gradient border; the gradient slider dragged to the left hides the border;
# a click and a double click on a cell make it the current colour; the
# gradient of the four colour slots; the corner button puts the slots on the
# border's corners and brings the border back; the wheel and a double click on
# an arrow move the sliders; random, then the palette strip copied into the
# grid; the cell menu copies a cell's text to the clipboard, pastes, clears,
# erases repeated colours and copies the grid to the strip; colours dragged
# from the strip and from a slot paint a cell and a corner, a cell dragged out
# paints the strip; the grid saved to a palette file through the save dialog
# and opened back through the open dialog (a broken file only says so). Every
# picture is checked cell by cell against the palettes worked out here, and
# the settings at the end.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
place_kolo $wx $wy
[ -f "$KOLOCLI" ] || fail "kolocli.exe is not built"

# The palettes, the grid's geometry and the screen reading, worked out from
# their definitions. Colours are RRGGBB; a file of cells has 256 lines, each a
# colour or "empty". Points are in the window; the main image starts at (4, 19).
FX="$E2E_DIR/fx.py"
cat >"$FX" <<'PY'
import struct, sys

SKY = "a6caf0"      # the picture's background
FRAME = "0080c0"    # cell outlines
IMG_X, IMG_Y = 4, 19

def hexc(rgb): return "%02x%02x%02x" % rgb

def web():
    return [hexc((255 - 51 * (i // 36), 255 - 51 * ((i // 6) % 6), 255 - 51 * (i % 6))) for i in range(216)] + ["empty"] * 40

def mac():
    levels = [238, 221, 187, 170, 136, 119, 85, 68, 34, 17]
    return (web()[:215] + [hexc((l, 0, 0)) for l in levels] + [hexc((0, l, 0)) for l in levels]
            + [hexc((0, 0, l)) for l in levels] + [hexc((l, l, l)) for l in levels] + ["000000"])

def gradient(slots):
    rgb = [tuple(int(s[k:k + 2], 16) for k in (0, 2, 4)) for s in slots]
    out = []
    for r in range(16):
        for c in range(16):
            w = [max(0.0, 15 - ((r * r + c * c) ** 0.5)), max(0.0, 15 - ((r * r + (c - 15) ** 2) ** 0.5)),
                 max(0.0, 15 - (((r - 15) ** 2 + (c - 15) ** 2) ** 0.5)), max(0.0, 15 - (((r - 15) ** 2 + c * c) ** 0.5))]
            total = w[0] + w[1] + w[2] + w[3]
            ch = [0.0, 0.0, 0.0]
            for k in range(4):
                for j in range(3): ch[j] += rgb[k][j] * w[k]
            out.append(hexc(tuple(round(v / total) for v in ch)))
    return out

def strip():
    # 200 different colours, then the first eight again, then empty cells.
    cells = [hexc(((i * 7) % 256, (i * 53 + 17) % 256, 255 - i)) for i in range(200)]
    return cells + cells[:8] + ["empty"] * 48

def tcolor(c):
    if c == "empty": return 0x10000000
    return int(c[4:6], 16) << 16 | int(c[2:4], 16) << 8 | int(c[0:2], 16)

def from_tcolor(v):
    return "empty" if v & 0x10000000 else hexc((v & 255, v >> 8 & 255, v >> 16 & 255))

def read_cells(path): return open(path).read().split()

def load(path):  # a binary PPM
    data = open(path, "rb").read()
    fields, i = [], 0
    while len(fields) < 4:
        while data[i:i + 1].isspace(): i += 1
        j = i
        while not data[j:j + 1].isspace(): j += 1
        fields.append(data[i:j]); i = j
    w = int(fields[1]); px = data[i + 1:]
    return lambda x, y: "%02x%02x%02x" % tuple(px[(y * w + x) * 3:(y * w + x) * 3 + 3])

def centre(i, border):  # in the main image, y from the top
    r, c = divmod(i, 16)
    return (13 * c + 30, 13 * r + 30) if border else (16 * c + 8, 16 * r + 8)

def left_edge(i, border):
    r, c = divmod(i, 16)
    return (13 * c + 25, 13 * r + 30) if border else (16 * c + 1, 16 * r + 8)

def side(n): return 12 if n <= 16 else (10 if n <= 18 else 9)

def between(a, b, f):
    a = [int(a[k:k + 2], 16) for k in (0, 2, 4)]; b = [int(b[k:k + 2], 16) for k in (0, 2, 4)]
    return hexc(tuple(round(x - (x - y) * f) for x, y in zip(a, b)))

def border_cells(n, corners):
    """(point in the image, colour) of the corners and every border cell; buffer rows count from the bottom."""
    k = corners
    out = [((3 + 6, 255 - 9), k[0]), ((241 + 6, 255 - 9), k[1]), ((241 + 6, 255 - 247), k[2]), ((3 + 6, 255 - 247), k[3])]
    s = side(n); step = (s + 226.0) / (n + 1); h = s // 2
    for i in range(1, n + 1):
        p = round(i * step + 15 - s); f = i / (n + 1)
        out += [((3 + h, 255 - (p + h)), between(k[0], k[3], f)), ((p + h, 255 - (3 + h)), between(k[0], k[1], f)),
                ((p + h, 255 - (253 - s + h)), between(k[3], k[2], f)), ((253 - s + h, 255 - (p + h)), between(k[1], k[2], f))]
    return out

def compare(got, want, what):
    bad = [(i, g, w) for i, (g, w) in enumerate(zip(got, want)) if g != w]
    for i, g, w in bad[:6]: print(f"{what} {i}: shows {g}, expected {w}", file=sys.stderr)
    if bad: sys.exit(1)

cmd, args = sys.argv[1], sys.argv[2:]
if cmd == "expect":  # KIND [ARGS]: a file of cells on stdout
    kind = args[0]
    cells = {"web": web, "mac": mac, "strip": strip}.get(kind, lambda: None)()
    if kind == "gradient": cells = gradient(args[1:5])
    if kind == "kpt":
        raw = open(args[1], "rb").read()
        assert raw[:4] == b"KOLO" and len(raw) == 1028, "not a kpt file"
        cells = [from_tcolor(v) for v in struct.unpack("<256I", raw[4:])]
    if kind == "reg": cells = [from_tcolor(v) for v in struct.unpack("<256I", bytes.fromhex(args[1]))]
    print("\n".join(cells))
elif cmd == "edit":  # FILE INDEX COLOUR...: cells from INDEX on replaced
    cells = read_cells(args[0]); at = int(args[1])
    for j, c in enumerate(args[2:]): cells[at + j] = c
    open(args[0], "w").write("\n".join(cells) + "\n")
elif cmd == "grid":  # SHOT border|plain FILE: every cell shows its colour, an empty one the background
    px = load(args[0]); border = args[1] == "border"
    got = [px(IMG_X + x, IMG_Y + y) for x, y in (centre(i, border) for i in range(256))]
    compare(got, [SKY if c == "empty" else c for c in read_cells(args[2])], "cell")
elif cmd == "read":  # SHOT border|plain: the cells as shown
    px = load(args[0]); border = args[1] == "border"
    print("\n".join(px(IMG_X + x, IMG_Y + y) for x, y in (centre(i, border) for i in range(256))))
elif cmd == "border":  # SHOT N C0 C1 C2 C3: corners and border cells
    px = load(args[0])
    cells = border_cells(int(args[1]), args[2:6])
    compare([px(IMG_X + x, IMG_Y + y) for (x, y), _ in cells], [c for _, c in cells], "corner or border cell")
elif cmd == "bordercell":  # N I C0 C1 C2 C3: the window point and colour of left border cell I
    (x, y), c = border_cells(int(args[0]), args[2:6])[4 + 4 * (int(args[1]) - 1)]
    print(IMG_X + x, IMG_Y + y, c)
elif cmd == "outline":  # SHOT border|plain INDEX
    x, y = left_edge(int(args[2]), args[1] == "border")
    print(load(args[0])(IMG_X + x, IMG_Y + y))
elif cmd == "pixel":  # SHOT X Y, in the window
    print(load(args[0])(int(args[1]), int(args[2])))
elif cmd == "centre":  # border|plain INDEX: the cell's centre in the window
    x, y = centre(int(args[1]), args[0] == "border")
    print(IMG_X + x, IMG_Y + y)
elif cmd == "same":  # FILE FILE
    compare(read_cells(args[0]), read_cells(args[1]), "cell")
elif cmd == "hex":  # FILE: the cells as the settings store them
    print(b"".join(struct.pack("<I", tcolor(c)) for c in read_cells(args[0])).hex())
PY
fx() { python3 "$FX" "$@"; }

# The palette strip starts with a palette of its own.
fx expect strip >"$E2E_DIR/strip.txt"
wine reg add 'HKCU\Software\Velmora\Kolo' /v colors /t REG_BINARY /d "$(fx hex "$E2E_DIR/strip.txt")" /f >/dev/null

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.5

# Places in the window: the tab's controls sit on its page at (264, 153).
at() { xdotool mousemove $((wx + $1)) $((wy + $2)); sleep 0.1; }
click() { at "$1" "$2"; xdotool click 1; sleep 0.3; }
web_btn="275 162"; gray_btn="299 162"; win_btn="323 162"; mac_btn="347 162"
random_btn="278 183"; gradient_btn="301 183"; strip_btn="324 183"; corners_btn="347 183"
grad_y=201; grad_right_arrow=353; grad_thumb_max=340  # the gradient slider, 268..357
size_y=222                                             # the cursor-size slider, 291..357
slot_x=275; slot_y() { echo $((28 + 18 * ($1 - 1))); }  # colour slot N's swatch
strip_cell() { echo $((2 + ($1 % 16) * 20 + 12)) $((277 + ($1 / 16) * 20 + 11)); }
cell() { fx centre "$1" "$2"; }                         # border|plain INDEX

shot() { # NAME: the window's picture, in $E2E_DIR/NAME.ppm
  xdotool mousemove $((wx + 420)) $((wy + 340))  # off the window: no hover looks
  sleep 0.4
  local id
  id=$(xdotool search --onlyvisible --name '^Kolo$' | head -n1)
  [ -n "$id" ] && import -window "$id" -depth 8 "ppm:$E2E_DIR/$1.ppm" 2>/dev/null || fail "no picture of the window"
}
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
menu() { # BORDER|PLAIN INDEX N: the cell menu on a cell, item N (1-based) chosen by keyboard
  menu_at $(cell "$1" "$2") "$3"
}
menu_at() { # X Y N: the same at a point of the window
  at "$1" "$2"; xdotool click 3
  sleep 0.4
  local i
  for i in $(seq 1 "$3"); do xdotool key Down; done
  xdotool key Return
  sleep 0.3
}
drag() { # X1 Y1 [X Y]...: press at the first point, past the drag threshold, over the others, release at the last
  at "$1" "$2"; xdotool mousedown 1; sleep 0.2
  at $(($1 + 6)) "$2"
  shift 2
  while [ $# -ge 2 ]; do
    at "$1" "$2"
    at $(($1 + 1)) "$2"
    at "$1" "$2"
    shift 2
  done
  xdotool mouseup 1
  sleep 0.4
}
read_settings() { wine reg query 'HKCU\Software\Velmora\Kolo' 2>/dev/null | tr -d '\r' >"$E2E_DIR/settings.txt"; }
setting() { # NAME: its value as read by read_settings, a number in decimal
  local v
  v=$(sed -n "s/^ *$1 *REG_[A-Z_]* *//p" "$E2E_DIR/settings.txt")
  case "$v" in 0x*) echo $((v));; *) echo "$v";; esac
}

# --- the tab button; the standard palettes inside the default border --------
click $((6 + 21 * 2 + 9)) 8
shot web
fx expect web >"$E2E_DIR/web.txt"
fx grid "$E2E_DIR/web.ppm" border "$E2E_DIR/web.txt" || fail "the tab does not show the Web palette"
# Red, yellow, green and blue corners, 20 border cells a side.
fx border "$E2E_DIR/web.ppm" 20 ff0000 ffff00 00ff00 0000ff || fail "the default gradient border is wrong"

click $gray_btn; shot gray
seq 0 255 | awk '{ printf "%02x%02x%02x\n", $1, $1, $1 }' >"$E2E_DIR/gray.txt"
fx grid "$E2E_DIR/gray.ppm" border "$E2E_DIR/gray.txt" || fail "the grayscale button did not show grey i in cell i"
click $mac_btn; shot mac
fx expect mac >"$E2E_DIR/mac.txt"
fx grid "$E2E_DIR/mac.ppm" border "$E2E_DIR/mac.txt" || fail "the Mac button did not show the Mac palette"
click $win_btn; shot windows
wine "$KOLOCLI" palette new --kind windows "$(winpath "$E2E_DIR/windows.kpt")" >/dev/null 2>&1 || fail "kolocli palette new"
fx expect kpt "$E2E_DIR/windows.kpt" >"$E2E_DIR/windows.txt"
# The documented ends of the Windows table, so the program is not only checked against itself.
[ "$(sed -n '1,10p;247,256p' "$E2E_DIR/windows.txt" | tr '\n' ' ')" = \
  "000000 800000 008000 808000 000080 800080 008080 808080 c0dcc0 a6caf0 fffbf0 a0a0a4 808080 ff0000 00ff00 ffff00 0000ff ff00ff 00ffff ffffff " ] \
  || fail "the Windows palette has the wrong ends"
fx grid "$E2E_DIR/windows.ppm" border "$E2E_DIR/windows.txt" || fail "the Windows button did not show the Windows palette"
note "Web, grayscale, Mac and Windows palettes shown"

# --- the gradient slider's thumb dragged to the left end: no border -----------
drag $grad_thumb_max $grad_y 230 $grad_y
shot plain
fx grid "$E2E_DIR/plain.ppm" plain "$E2E_DIR/windows.txt" || fail "with the slider at 0 the grid is not 16 pixels a cell"

# --- a click, then a double click, on a cell: the current colour ------------
visible_before=$(xdotool search --onlyvisible --name '.' | sort | tr '\n' ' ')
click $(cell plain 100)
at $(cell plain 201); xdotool click --repeat 2 --delay 60 1; sleep 0.4
shot picked
want=$(sed -n 202p "$E2E_DIR/windows.txt")
[ "$(fx pixel "$E2E_DIR/picked.ppm" $slot_x "$(slot_y 1)")" = "$want" ] \
  || fail "the double-clicked cell ($want) is not the current colour"
[ "$(fx outline "$E2E_DIR/picked.ppm" plain 201)" = 000000 ] || fail "the current colour's cell has no black outline"
[ "$(fx outline "$E2E_DIR/picked.ppm" plain 100)" = 0080c0 ] || fail "the cell clicked before keeps a black outline"
[ "$(xdotool search --onlyvisible --name '.' | sort | tr '\n' ' ')" = "$visible_before" ] \
  || fail "the double click opened a window"

# --- the gradient of the four slots -------------------------------------------
click $gradient_btn; shot gradient
slots=()
for n in 1 2 3 4; do slots+=("$(fx pixel "$E2E_DIR/gradient.ppm" $slot_x "$(slot_y $n)")"); done
fx expect gradient "${slots[@]}" >"$E2E_DIR/gradient.txt"
fx grid "$E2E_DIR/gradient.ppm" plain "$E2E_DIR/gradient.txt" || fail "the gradient of the slots ${slots[*]} is wrong"
[ "$(head -n1 "$E2E_DIR/gradient.txt")" = "${slots[0]}" ] || fail "the gradient's top-left cell is not slot 1"

# --- the slots on the corners: the hidden border comes back with 15 cells ----
click $corners_btn; shot corners
corners=("${slots[3]}" "${slots[2]}" "${slots[1]}" "${slots[0]}")
fx border "$E2E_DIR/corners.ppm" 15 "${corners[@]}" || fail "the corner button did not give corners ${corners[*]} and 15 cells"
fx grid "$E2E_DIR/corners.ppm" border "$E2E_DIR/gradient.txt" || fail "the grid is wrong inside the border"

# --- wheel and arrows: two notches down make 17 (10-pixel cells), a double
# click on the right arrow 19; the cursor size three notches up ---------------
at 300 $grad_y; xdotool click 5; sleep 0.1; xdotool click 5; sleep 0.3
shot wheel
fx border "$E2E_DIR/wheel.ppm" 17 "${corners[@]}" || fail "two wheel notches did not make 17 border cells"
at $grad_right_arrow $grad_y; xdotool click --repeat 2 --delay 60 1; sleep 0.3
at 320 $size_y; xdotool click 4; sleep 0.1; xdotool click 4; sleep 0.1; xdotool click 4; sleep 0.3
shot arrows
fx border "$E2E_DIR/arrows.ppm" 19 "${corners[@]}" || fail "a double click on the right arrow did not make 19 border cells"

# --- random; the settings keep what is shown --------------------------------
click $random_btn; shot random
fx read "$E2E_DIR/random.ppm" border >"$E2E_DIR/random.txt"
[ "$(sort -u "$E2E_DIR/random.txt" | wc -l)" -gt 200 ] || fail "the random palette is not random"
fx same "$E2E_DIR/random.txt" "$E2E_DIR/gradient.txt" 2>/dev/null && fail "random left the gradient"
click $((6 + 21 * 0 + 9)) 8; click $((6 + 21 * 2 + 9)) 8  # away and back: the settings are saved
read_settings
[ "$(setting FX_paletteType)" = 4 ] || fail "FX_paletteType is $(setting FX_paletteType) after random"
[ "$(setting FX_gradCount)" = 19 ] || fail "FX_gradCount is $(setting FX_gradCount), not 19"
[ "$(setting FX_cursorSize)" = 29 ] || fail "FX_cursorSize is $(setting FX_cursorSize), not 29"
fx expect reg "$(setting FX_customColors)" >"$E2E_DIR/random-saved.txt"
fx same "$E2E_DIR/random-saved.txt" "$E2E_DIR/random.txt" || fail "the saved cells are not the random ones shown"
note "slider drag, wheel and arrows, click and double click, gradient, corners and random work"

# --- the strip copied into the grid; the cell menu ----------------------------
click $strip_btn; shot from-strip
fx grid "$E2E_DIR/from-strip.ppm" border "$E2E_DIR/strip.txt" || fail "the strip button did not copy the strip"
cp "$E2E_DIR/strip.txt" "$E2E_DIR/grid.txt"

menu border 37 1  # Copy
want=$(sed -n 38p "$E2E_DIR/strip.txt" | tr a-f A-F)
for _ in $(seq 1 20); do [ "$(clipboard)" = "$want" ] && break; sleep 0.1; done
[ "$(clipboard)" = "$want" ] || fail "Copy on cell 37 put '$(clipboard)' on the clipboard, not $want"
set_clipboard "#123456"
menu border 38 2  # Past
fx edit "$E2E_DIR/grid.txt" 38 123456
menu border 39 3  # Clear
fx edit "$E2E_DIR/grid.txt" 39 empty
menu border 40 4  # Erase not unique: cells 200..207 repeat 0..7
fx edit "$E2E_DIR/grid.txt" 200 empty empty empty empty empty empty empty empty
shot menu
fx grid "$E2E_DIR/menu.ppm" border "$E2E_DIR/grid.txt" || fail "Past, Clear or Erase not unique did not do their part"
# Copy on a border cell gives the colour drawn there; Past on a corner changes it.
read -r bx by want <<<"$(fx bordercell 19 3 "${corners[@]}")"
menu_at "$bx" "$by" 1
want=$(echo "$want" | tr a-f A-F)
for _ in $(seq 1 20); do [ "$(clipboard)" = "$want" ] && break; sleep 0.1; done
[ "$(clipboard)" = "$want" ] || fail "Copy on border cell 3 put '$(clipboard)' on the clipboard, not $want"
set_clipboard "#FF8000"
menu_at $((4 + 247)) $((19 + 8)) 2  # Past on the top-right corner
corners[2]=ff8000
menu border 0 5   # Copy palette to bottom
cp "$E2E_DIR/grid.txt" "$E2E_DIR/strip-now.txt"

# --- painting by drag: a strip cell onto a grid cell, a slot onto a corner,
# a grid cell out onto the strip -----------------------------------------------
drag $(strip_cell 21) $(cell border 100)
fx edit "$E2E_DIR/grid.txt" 100 "$(sed -n 22p "$E2E_DIR/strip-now.txt")"
drag $slot_x "$(slot_y 2)" 13 27  # the top-left corner
corners[3]=${slots[1]}
drag $(cell border 5) $(strip_cell 20)
fx edit "$E2E_DIR/strip-now.txt" 20 "$(sed -n 6p "$E2E_DIR/grid.txt")"
# A colour dragged over two cells and back to where it came from paints nothing.
drag $(strip_cell 22) $(cell border 120) $(cell border 121) $(strip_cell 22)
shot painted
fx grid "$E2E_DIR/painted.ppm" border "$E2E_DIR/grid.txt" || fail "the strip cell dragged onto cell 100 did not paint it"
fx border "$E2E_DIR/painted.ppm" 19 "${corners[@]}" || fail "slot 2 dragged onto the top-left corner did not paint it"
for i in 0 17 20 22 31; do
  [ "$(fx pixel "$E2E_DIR/painted.ppm" $(strip_cell $i))" = "$(sed -n $((i + 1))p "$E2E_DIR/strip-now.txt")" ] \
    || fail "strip cell $i does not show the grid's colour"
done
note "strip copy, cell menu and colour drags work"

# --- the grid to a palette file and back --------------------------------------
menu border 0 7  # Save palette..
file_dialog "Save As" "$E2E_DIR/fixed.kpt"
[ -f "$E2E_DIR/fixed.kpt" ] || fail "the palette file was not written"
fx expect kpt "$E2E_DIR/fixed.kpt" >"$E2E_DIR/file.txt"
fx same "$E2E_DIR/file.txt" "$E2E_DIR/grid.txt" || fail "the palette file does not hold the grid"
click $gray_btn
# A file that is not a palette: the error, and the grid stays grey.
printf 'NOT A PALETTE' >"$E2E_DIR/broken.kpt"
menu border 0 6  # Open palette...
file_dialog Open "$E2E_DIR/broken.kpt"
wait_window Error || fail "no error message for a broken palette file"
xdotool key Return
gone_window Error || fail "the error message did not close"
shot broken
fx grid "$E2E_DIR/broken.ppm" border "$E2E_DIR/gray.txt" || fail "a broken palette file changed the grid"
menu border 0 6
file_dialog Open "$E2E_DIR/fixed.kpt"
shot opened
fx grid "$E2E_DIR/opened.ppm" border "$E2E_DIR/grid.txt" || fail "opening the palette file did not bring the grid back"

# --- what the settings keep -----------------------------------------------------
probe send-close >/dev/null
for _ in $(seq 1 50); do probe state | grep -q '^found=0' && break; sleep 0.2; done
probe state | grep -q '^found=0' || fail "Kolo did not close"
read_settings
[ "$(setting FX_paletteType)" = 4 ] || fail "FX_paletteType is $(setting FX_paletteType), not 4"
fx expect reg "$(setting FX_customColors)" >"$E2E_DIR/saved.txt"
fx same "$E2E_DIR/saved.txt" "$E2E_DIR/grid.txt" || fail "FX_customColors does not hold the grid"
fx expect reg "$(setting colors)" >"$E2E_DIR/saved-strip.txt"
fx same "$E2E_DIR/saved-strip.txt" "$E2E_DIR/strip-now.txt" || fail "the strip's settings do not hold the copied grid"
sides=$(setting FX_sideColors | tr A-F a-f)
want=""; for c in "${corners[@]}"; do want+="${c}00"; done  # little-endian 0x00BBGGRR
[ "$sides" = "$want" ] || fail "FX_sideColors is $sides, not $want"
note "fixed-palette scenario passed"

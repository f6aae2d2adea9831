#!/usr/bin/env bash
# Picture operations with real input: a screenshot of the stripes program is
# rotated with a click, saved as GIF and PNG through the real save dialog (both
# files read back by Pillow and their pixels compared), made smaller through the
# size fields, copied to the clipboard (pixels checked), and previewed: a double
# click opens the preview; a drag pans; keys, the wheel and the next button step;
# a caption double click fills the screen and back; an edge drag sizes the
# window, which then keeps its bounds; a right click opens its menu; Escape
# brings the main window back on the picture shown last. Then the transparent
# colour is picked from the screen and a PNG saved with it, and the picture menu
# opens from the list and the main image.
. "$(dirname "$0")/lib.sh"
use_virtual_desktop

trap 'helper close >/dev/null 2>&1 || true; stop_all' EXIT
LOG="$E2E_DIR/target.log"
OUT="$E2E_DIR/out"
mkdir -p "$OUT"
PY=/usr/bin/python3  # Debian's, with Pillow

start_stripes "$LOG"
place_kolo 600 400
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmChange /t REG_DWORD /d 0 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v lastPath /t REG_SZ /d "$(winpath "$OUT")\\" /f >/dev/null
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
click_at() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click "${3:-1}"; sleep 0.5; }
centre_of() { read -r x y w h <<<"$1"; echo "$((x + w / 2)) $((y + h / 2))"; }
control() { helper locate-text "$1" || fail "no control \"$1\""; }
read -r SW SH <<<"$(xdotool getdisplaygeometry)"

click_at $((kx + 6 + 21 * 5 + 9)) $((ky + 8))  # the screenshot tab
click_at $(centre_of "$(control "get screenshot")")

# --- rotate 90 degrees right: the button beside "flip horizontal" ---
read -r fx fy fw fh <<<"$(control "flip horizontal")"
click_at $((fx - 19 + fw / 2)) $((fy + fh / 2))
read -r wx wy ww wh <<<"$(control "width")"

# --- save as GIF, then as PNG, through the save dialog ---
save=$(control "save image...")
click_at $(centre_of "$save")
file_dialog "Save As" "$OUT/shot.gif"
click_at $(centre_of "$save")
file_dialog "Save As" "$OUT/shot.png"
for f in shot.gif shot.png; do
  for _ in $(seq 1 20); do [ -s "$OUT/$f" ] && break; sleep 0.2; done
  [ -s "$OUT/$f" ] || fail "no $f was written"
done
# Rotated right: the stripes' pixel (x, y) is now at (H - 1 - y, x).
"$PY" - "$OUT/shot.gif" "$OUT/shot.png" "$SW" "$SH" <<'EOF' || fail "the saved pictures are wrong"
import sys
from PIL import Image
gif, png, sw, sh = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
stripes = {(60, 60): (200, 30, 40), (160, 200): (30, 170, 60), (260, 100): (20, 40, 220)}
a, b = Image.open(gif), Image.open(png)
assert a.format == "GIF" and a.info.get("version", b"") == b"GIF89a", (a.format, a.info)
assert a.size == (sh, sw) and b.size == (sh, sw), (a.size, b.size)
a, b = a.convert("RGB"), b.convert("RGB")
for (x, y), want in stripes.items():
    p = (sh - 1 - y, x)
    assert b.getpixel(p) == want, ("png", p, b.getpixel(p), want)
    assert a.getpixel(p) == want, ("gif", p, a.getpixel(p), want)
# The screen has few colours: the adaptive GIF keeps every pixel exactly.
diff = sum(1 for pa, pb in zip(a.getdata(), b.getdata()) if pa != pb)
assert diff == 0, f"{diff} GIF pixels differ from the PNG"
print("saved pictures ok")
EOF
note "GIF and PNG saved through the dialog and read back by Pillow"

# --- make it smaller: type a width, the height follows, the button resizes ---
click_at $((wx + ww / 2)) $((wy + wh / 2))
xdotool key ctrl+a; xdotool type --delay 50 "$((SH / 4))"; sleep 0.5
click_at $(centre_of "$(control "change image size")")
read -r hx hy hw hh <<<"$(control "height")"
click_at $(centre_of "$(control "add image to list")")

# --- copy: the clipboard holds the smaller picture ---
click_at $(centre_of "$(control "copy image")")
sleep 0.5
targets=$(xclip -selection clipboard -t TARGETS -o 2>/dev/null || true)
kind=$(grep -m1 -o 'image/\(bmp\|png\)' <<<"$targets" || true)
[ -n "$kind" ] || fail "no picture on the clipboard (it offers: $(echo $targets))"
xclip -selection clipboard -t "$kind" -o >"$OUT/clip.${kind#image/}" 2>"$OUT/xclip.err" || fail "the clipboard picture could not be read ($kind: $(cat "$OUT/xclip.err"); offered: $(echo $targets))"
clip=$(identify -format '%wx%h' "$OUT/clip.${kind#image/}" 2>/dev/null) || fail "the clipboard holds no picture"
want_h=$(( (SW * (SH / 4) * 2 + SH) / (2 * SH) ))
[ "$clip" = "$((SH / 4))x$want_h" ] || fail "the clipboard picture is $clip, not $((SH / 4))x$want_h"
# The red stripe, turned right and made a quarter as large, is near the top right.
[ "$(pixel_of "$OUT/clip.${kind#image/}" $(( (SH - 1 - 160) / 4 )) $(( 90 / 4 )))" = C81E28 ] ||
  fail "the clipboard picture does not show the turned stripes"
note "resized through the fields to $clip and copied"

# --- a second, full-size picture in the list, then the preview ---
sleep 1.1
click_at $(centre_of "$(control "get screenshot")")
click_at $(centre_of "$(control "add image to list")")
xdotool mousemove $((kx + 4 + 128)) $((ky + 19 + 128)); sleep 0.3
xdotool click --repeat 2 --delay 80 1
wait_window "Image preview" || fail "a double click on the picture opened no preview"
sleep 0.5
[ "$(probe_value visible)" = 0 ] || fail "the main window stayed visible beside the preview"
pid=$(xdotool search --onlyvisible --name '^Image preview$' | head -n1)
size() { xdotool getwindowgeometry "$pid" | sed -n 's/.*Geometry: //p'; }
[ "$(size)" = "${SW}x${SH}" ] || fail "the full-size screenshot's preview is $(size), not the screen"
small="$((SH / 4 + 4))x$((want_h + 17))"
# A drag pans the full-size picture (only a few pixels fit beyond the view): the
# red stripe's left edge, at x 40 on the screen, moves two pixels left.
screen_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tail -n1; }
[ "$(screen_pixel 38 100)" != C81E28 ] || fail "the stripe's edge is already at x 38 before the pan"
xdotool mousemove 600 500 mousedown 1; sleep 0.2
xdotool mousemove 550 450; sleep 0.2; xdotool mousemove 500 400; sleep 0.2; xdotool mouseup 1; sleep 0.5
[ "$(screen_pixel 38 100)" = C81E28 ] || fail "dragging did not pan the picture ($(screen_pixel 38 100) at x 38)"
# Keys, the wheel and the next button step; the window fits each picture.
xdotool key Right; sleep 0.8
[ "$(size)" = "$small" ] || fail "Right did not step to the small picture (window $(size), want $small)"
xdotool key Left; sleep 0.8
[ "$(size)" = "${SW}x${SH}" ] || fail "Left did not step back (window $(size))"
xdotool mousemove 600 500 click 4; sleep 0.8
[ "$(size)" = "$small" ] || fail "the wheel turned up did not step to the next picture (window $(size))"
IFS=x read -r pw ph <<<"$(size)"
xdotool mousemove $((kx + 182 - pw / 2 + 40)) $((ky + 160 - ph / 2 + 60)) click 5; sleep 0.8
[ "$(size)" = "${SW}x${SH}" ] || fail "the wheel turned down did not step back (window $(size))"
xdotool key Next; sleep 0.8
[ "$(size)" = "$small" ] || fail "Page Down did not step (window $(size))"
xdotool key Page_Up; sleep 0.8
[ "$(size)" = "${SW}x${SH}" ] || fail "Page Up did not step back (window $(size))"
click_at 25 7
[ "$(size)" = "$small" ] || fail "the next button did not step (window $(size))"
# A double click on the caption fills the screen, another one gives the bounds back.
# The preview is centred on the (hidden) main window.
IFS=x read -r pw ph <<<"$(size)"
px=$((kx + 182 - pw / 2)) py=$((ky + 160 - ph / 2))
xdotool mousemove $((px + 70)) $((py + 8)); sleep 0.2; xdotool click --repeat 2 --delay 80 1; sleep 0.8
[ "$(size)" = "${SW}x${SH}" ] || fail "a double click on the caption did not fill the screen (window $(size))"
xdotool mousemove 70 8; sleep 0.2; xdotool click --repeat 2 --delay 80 1; sleep 0.8
[ "$(size)" = "$small" ] || fail "a second double click on the caption did not give the bounds back ($(size))"
import -window root "$OUT/preview.png" 2>/dev/null || true
# Dragging the right edge widens the borderless window.
xdotool mousemove $((px + pw - 1)) $((py + ph / 2)) mousedown 1; sleep 0.2
xdotool mousemove $((px + pw + 30)) $((py + ph / 2)); sleep 0.2
xdotool mousemove $((px + pw + 59)) $((py + ph / 2)); sleep 0.2; xdotool mouseup 1; sleep 0.5
[ "$(size)" = "$((pw + 60))x$ph" ] || fail "dragging the right edge did not size the window ($(size), want $((pw + 60))x$ph)"
# The right button opens the preview's menu.
click_at $((px + 30)) $((py + 40)) 3
probe menu 3 | grep -q found=1 || fail "a right click on the picture opened no menu"
xdotool key Escape; sleep 0.5
# Back on the full-size picture, where the preview closes: the tab shows it afterwards.
# The window was sized by hand, so it keeps its bounds now.
xdotool key Left; sleep 0.8
[ "$(size)" = "$((pw + 60))x$ph" ] || fail "the window sized by hand did not keep its bounds on Left ($(size))"
xdotool key Escape
gone_window "Image preview" || fail "Escape did not close the preview"
sleep 0.5
[ "$(probe_value visible)" = 1 ] || fail "the main window did not come back after the preview"
note "preview stepped with the arrow keys and closed with Escape"

# --- the transparent colour, picked from the screen with the real mouse ---
# The main window followed the preview while it was sized.
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
click_at $(centre_of "$(control "select transparent color")")
xdotool mousemove 80 150; sleep 0.3; xdotool mousemove 90 160; sleep 0.5
xdotool click 1; sleep 0.8
read -r tx ty tw th <<<"$(control "transparent color")"
screenshot_kolo "$OUT/kolo.png" || fail "no screenshot of the window"
[ "$(pixel_of "$OUT/kolo.png" $((tx - kx + tw / 2)) $((ty - ky + th / 2)))" = C81E28 ] ||
  fail "the transparent colour's swatch does not show the picked red"
click_at $(centre_of "$(control "save image...")")
file_dialog "Save As" "$OUT/keyed.png"
for _ in $(seq 1 20); do [ -s "$OUT/keyed.png" ] && break; sleep 0.2; done
"$PY" - "$OUT/keyed.png" <<'EOF' || fail "the PNG does not make the picked colour transparent"
import sys
from PIL import Image
p = Image.open(sys.argv[1]).convert("RGBA")
assert p.getpixel((60, 60))[3] == 0, p.getpixel((60, 60))
assert p.getpixel((160, 200)) == (30, 170, 60, 255), p.getpixel((160, 200))
EOF
note "the picked colour shows in its swatch and is see-through in the saved PNG"

# --- the picture menu opens on a right click on the list and on the picture ---
read -r lx ly lw lh <<<"$(control "screenshots")"
click_at $((lx + lw / 2)) $((ly + 20)) 3
probe menu 3 | grep -q found=1 || fail "a right click on the list opened no picture menu"
xdotool key Escape; sleep 0.5
click_at $((kx + 4 + 128)) $((ky + 19 + 128)) 3
probe menu 3 | grep -q found=1 || fail "a right click on the picture opened no picture menu"
xdotool key Escape; sleep 0.5
note "the picture menu opens from the list and the picture"

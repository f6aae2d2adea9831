#!/usr/bin/env bash
# The harmony wheel with real input. Slot 1 is pure red: a click on the wheel's
# tab finds it on the wheel and triads fill slots 2 and 3 with blue and green;
# leaving at once puts the four slots back. Back on the tab, a click on the
# tetrad button and a drag across the wheel make a new harmony that stays when
# the tab is left. A slot's colour dragged onto a base-colour panel changes the
# wheel; typing into the B edit darkens the harmony. The settings keep the type.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
place_kolo $wx $wy
reg() { wine reg add 'HKCU\Software\Velmora\Kolo' /v "$1" /t REG_DWORD /d "$2" /f >/dev/null; }
reg ColorFormat 0
reg crntPage 2
reg color1 $((0x0000FF))   # red (TColor bytes are blue, green, red)
reg color2 $((0x123456))
reg color3 $((0x654321))
reg color4 $((0xABCDEF))

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.8

click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.6; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r' | tr 'a-f' 'A-F'; }
# The copy button of slot N (1..4): (264 + 2 + 65 + 8, 19 + 18 (N-1) + 9) in the window.
slot() { click $((wx + 339)) $((wy + 28 + 18 * ($1 - 1))); clipboard; }
slots() { echo "$(slot 1) $(slot 2) $(slot 3) $(slot 4)"; }
shot() {
  xdotool mousemove $((wx + 420)) $((wy + 340)); sleep 0.5
  screenshot_kolo "$E2E_DIR/$1.png" || fail "no screenshot of the window"
}
# The tab's page: (264, 153) in the window; the main image (4, 19).
px=$((wx + 264)); py=$((wy + 153))
ix=$((wx + 4)); iy=$((wy + 19))
tab() { click $((wx + 6 + 21 * $1 + 9)) $((wy + 8)); }

original="FF0000 563412 214365 EFCDAB"
[ "$(slots)" = "$original" ] || fail "the slots start as '$(slots)'"

tab 1
shot wheel
got=$(slots)
note "on the wheel: $got"
[ "$got" = "FF0000 0000FF 00FF00 EFCDAB" ] || fail "triads of red should be blue and green, got '$got'"
# Right of the centre lies red; at radius 100 (S 80) it is washed to FF3333.
[ "$(pixel_of "$E2E_DIR/wheel.png" $((4 + 128 + 100)) $((19 + 127)))" = FF3333 ] || fail "the wheel is not light red at the right"

tab 0
got=$(slots)
[ "$got" = "$original" ] || fail "leaving untouched must restore the slots, got '$got'"

tab 1
click $((px + 4 + 22 * 0 + 11)) $((py + 21 + 9))   # chWheelType5: tetrad
got=$(slots)
note "tetrad: $got"
[ "$got" = "FF0000 00FFFF 8000FF 80FF00" ] || fail "the tetrad of red is '$got'"

# Drag from the wheel's right edge up to the top, half-way in: angle 180, S 50.
xdotool mousemove $((ix + 128 + 110)) $((iy + 127)); sleep 0.3
xdotool mousedown 1; sleep 0.2
for step in 1 2 3 4 5; do xdotool mousemove $((ix + 128 + 110 - 22 * step)) $((iy + 127 - 14 * step)); sleep 0.1; done
xdotool mousemove $((ix + 128)) $((iy + 127 - 70)); sleep 0.2
xdotool mouseup 1; sleep 0.5
shot dragged
dragged=$(slots)
note "after the drag: $dragged"
[ "$(cut -d' ' -f1 <<<"$dragged")" = "C0FF80" ] || fail "angle 180 at S 50 should be C0FF80, got '$dragged'"

tab 0
[ "$(slots)" = "$dragged" ] || fail "a changed harmony must stay when the tab is left, got '$(slots)'"
tab 1

# Slot 4's swatch (264 + 2 + 1 + 8, 19 + 54 + 9) dragged onto base panel 3 (the green one).
xdotool mousemove $((wx + 275)) $((wy + 19 + 54 + 9)); sleep 0.3
xdotool mousedown 1; sleep 0.2
for step in 1 2 3 4 5 6; do xdotool mousemove $((wx + 275 + 4 * step)) $((wy + 82 + 24 * step)); sleep 0.1; done
xdotool mousemove $((px + 4 + 15 * 2 + 7)) $((py + 63 + 7)); sleep 0.3
xdotool mouseup 1; sleep 0.6
shot dropped
[ "$(pixel_of "$E2E_DIR/dropped.png" $((264 + 4 + 15 * 2 + 7)) $((153 + 63 + 7)))" != 00FF00 ] ||
  fail "the base panel did not take the dropped colour"

# B typed as 50: slot 1 becomes the same hue, half as bright.
click $((px + 28 + 15)) $((py + 101 + 9))
xdotool key ctrl+a; sleep 0.1
xdotool type --delay 120 "50"; sleep 0.6
first=$(slot 1)
note "B 50: $first"
for ch in 0 2 4; do
  [ $((16#${first:$ch:2})) -le 128 ] || fail "B 50 should darken slot 1, got '$first'"
done
shot typed

# Johannes Itten's colours: the preset button fills the six cells.
click $((px + 61 + 11)) $((py + 42 + 9))
shot itten
[ "$(pixel_of "$E2E_DIR/itten.png" $((264 + 4 + 7)) $((153 + 63 + 7)) | tr 'a-f' 'A-F')" = DF1A19 ] ||
  fail "the Itten preset did not fill the first base colour"
# Base colour 2 dragged out onto slot 4's swatch.
xdotool mousemove $((px + 4 + 15 + 7)) $((py + 63 + 7)); sleep 0.3
xdotool mousedown 1; sleep 0.2
for step in 1 2 3 4 5 6; do xdotool mousemove $((px + 26 - 2 * step)) $((py + 70 - 17 * step)); sleep 0.1; done
xdotool mousemove $((wx + 275)) $((wy + 19 + 54 + 9)); sleep 0.3
xdotool mouseup 1; sleep 0.6
[ "$(slot 4)" = 612E80 ] || fail "base colour 2 dropped on slot 4 gave '$(slot 4)'"

# The radius shows B instead of S: the wheel is drawn again.
before=$(pixel_of "$E2E_DIR/itten.png" $((4 + 128 + 60)) $((19 + 127)))
click $((px + 4 + 5)) $((py + 101 + 4 + 5))
shot radius_b
[ "$(pixel_of "$E2E_DIR/radius_b.png" $((4 + 128 + 60)) $((19 + 127)))" != "$before" ] ||
  fail "choosing B for the radius left the wheel as it was"

# S from its value slider: press the button and drag down, as with the colour-space tab.
first=$(slot 1)
xdotool mousemove $((px + 60 + 4)) $((py + 81 + 2 + 8)); sleep 0.3
xdotool mousedown 1; sleep 0.4
for step in 1 2 3 4; do xdotool mousemove_relative 0 10; sleep 0.15; done
xdotool mouseup 1; sleep 0.5
[ "$(slot 1)" != "$first" ] || fail "the S slider left slot 1 at $first"

# Is the harmony legible? Hovering slot 2's swatch writes its contrasts into
# the title strip (the texts are the unit tests'); the strip must change.
strip() { convert "$E2E_DIR/$1.png" -crop 160x15+150+0 +repage "$E2E_DIR/$1-strip.png"; }
xdotool mousemove $((wx + 420)) $((wy + 340)); sleep 0.4
screenshot_kolo "$E2E_DIR/before_hover.png"
xdotool mousemove $((wx + 274)) $((wy + 19 + 18 + 8)); sleep 0.2
xdotool mousemove $((wx + 275)) $((wy + 19 + 18 + 9)); sleep 0.6
screenshot_kolo "$E2E_DIR/hover.png"
strip before_hover; strip hover
changed=$(compare -metric AE "$E2E_DIR/before_hover-strip.png" "$E2E_DIR/hover-strip.png" null: 2>&1 || true)
note "the title strip changed in $changed pixels on hovering slot 2"
[ "${changed:-0}" -gt 100 ] 2>/dev/null || fail "hovering a slot's swatch left the title strip as it was"

# The layout preview as a deuteranope sees it: right click, third choice. Its
# pixels in slot 2's colour turn into another colour; the slot stays.
preview() { convert "$E2E_DIR/$1.png" -crop 80x40+267+113 +repage txt:- | grep -ci "#$2" || true; }
ground=$(slot 2)
shot normal_preview
[ "$(preview normal_preview "$ground")" -gt 50 ] || fail "the preview does not show slot 2's $ground"
xdotool mousemove $((wx + 267 + 40)) $((wy + 113 + 20)); sleep 0.3
xdotool click 3; sleep 0.6
probe menu 5 >/dev/null || fail "no menu on the layout preview"
xdotool key Down Down Down Return; sleep 0.6
shot deuteranopia
[ "$(preview deuteranopia "$ground")" = 0 ] || fail "the deuteranope's preview still shows $ground"
[ "$(slot 2)" = "$ground" ] || fail "the preview changed slot 2 to $(slot 2)"
xdotool mousemove $((wx + 267 + 40)) $((wy + 113 + 20)); sleep 0.3
xdotool click 3; sleep 0.6
xdotool key Down Return; sleep 0.6
shot normal_again
[ "$(preview normal_again "$ground")" -gt 50 ] || fail "normal vision does not come back"

probe send-close >/dev/null
for _ in $(seq 1 50); do probe state | grep -q '^found=0' && break; sleep 0.2; done
probe state | grep -q '^found=0' || fail "Kolo did not close"
[ "$(probe reg WH_wheelType)" = 5 ] || fail "WH_wheelType is $(probe reg WH_wheelType), not 5"
note "passed"

#!/usr/bin/env bash
# The colour-space tab with real input: Kolo opens on it; a click on the HSB
# model button and on the cartesian view, then a drag across the plane makes
# the first slot's colour the one under the release point; the slot's copy
# button writes its text. Switching to CMYK and back to HSB keeps the colour.
# Typing into the saturation edit and a click on brightness's up button change
# it by the edit's units; the stored settings keep model and view.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d $wx /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d $wy /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v ColorFormat /t REG_DWORD /d 0 /f >/dev/null

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.8

# The tab's page sits under the colour area: (264, 19 + 134) in the window.
px=$((wx + 264)); py=$((wy + 153))
# The main image: (4, 19) in the window.
ix=$((wx + 4)); iy=$((wy + 19))
click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.6; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'a-f' 'A-F'; }
shot() {
  xdotool mousemove $((wx + 420)) $((wy + 340)); sleep 0.5
  screenshot_kolo "$E2E_DIR/$1.png" || fail "no screenshot of the window"
}

# RGB with red fixed, white current: the plane's top-right corner is white, its bottom-left red.
shot rgb
[ "$(pixel "$E2E_DIR/rgb.png" $((4 + 255)) 19)" = FFFFFF ] || fail "RGB plane: top right is not white"
[ "$(pixel "$E2E_DIR/rgb.png" 4 $((19 + 255)))" = FF0000 ] || fail "RGB plane: bottom left is not red"

click $((px + 25 + 12)) $((py + 3 + 6))   # butPalette2: HSB (opens in its ring view)
shot hsb_ring
click $((px + 20 + 9)) $((py + 32 + 8))   # butViewType1: cartesian
shot hsb

# Drag from (60, 200) to (200, 40) of the plane: hue stays 0, S 200, B 255 - 40.
xdotool mousemove $((ix + 60)) $((iy + 200)); sleep 0.3
xdotool mousedown 1; sleep 0.2
for step in 1 2 3 4 5 6 7; do
  xdotool mousemove $((ix + 60 + 20 * step)) $((iy + 200 - 23 * step)); sleep 0.1
done
xdotool mousemove $((ix + 200)) $((iy + 40)); sleep 0.2
xdotool mouseup 1; sleep 0.5

# The first slot's copy button (264 + 2 + 65 + 8, 19 + 9) writes its text.
click $((wx + 339)) $((wy + 28))
text=$(clipboard)
note "slot text after the drag: $text"
echo "$text" | tr 'a-f' 'A-F' | grep -q "D72E2E" || fail "the slot holds '$text', not D72E2E"
shot dragged
[ "$(pixel "$E2E_DIR/dragged.png" $((264 + 2 + 1 + 8)) $((19 + 9)))" = D72E2E ] || fail "the slot's swatch is not D72E2E"

click $((px + 1 + 14)) $((py + 17 + 6))   # butPalette5: CMYK
shot cmyk
click $((px + 25 + 12)) $((py + 3 + 6))   # back to HSB
click $((wx + 339)) $((wy + 28))
[ "$(clipboard)" = "$text" ] || fail "switching to CMYK and back changed the colour to $(clipboard)"

# Saturation 50 % typed into its edit (second row), then brightness one step up.
click $((px + 26 + 15)) $((py + 52 + 2 + 22 + 9))
xdotool key ctrl+a; sleep 0.1
xdotool type --delay 120 "50"; sleep 0.6
click $((wx + 339)) $((wy + 28))
echo "$(clipboard)" | tr 'a-f' 'A-F' | grep -q "D66B6B" || fail "S 50 gives '$(clipboard)', not D66B6B"
click $((px + 58 + 4)) $((py + 52 + 2 + 44 + 2 + 3))  # btnud5: brightness up
click $((wx + 339)) $((wy + 28))
echo "$(clipboard)" | tr 'a-f' 'A-F' | grep -q "D96C6C" || fail "one step up gives '$(clipboard)', not D96C6C"
shot typed

# Brightness's value slider: press its button and drag down without releasing;
# the slider follows and the brightness drops with it.
xdotool mousemove $((px + 70 + 4)) $((py + 52 + 2 + 44 + 3 + 6)); sleep 0.3
xdotool mousedown 1; sleep 0.4
for step in 1 2 3 4; do xdotool mousemove_relative 0 10; sleep 0.15; done
shot_root="$E2E_DIR/slider.png"; import -window root "$shot_root"
xdotool mouseup 1; sleep 0.5
click $((wx + 339)) $((wy + 28))
red=$((16#$(clipboard | tr -d '#' | cut -c1-2)))
note "brightness slider: slot text $(clipboard)"
[ "$red" -lt $((16#D9)) ] && [ "$red" -gt $((16#40)) ] || fail "dragging the value slider down gives '$(clipboard)'"

probe send-close >/dev/null
for _ in $(seq 1 50); do probe state | grep -q '^found=0' && break; sleep 0.2; done
probe state | grep -q '^found=0' || fail "Kolo did not close"
[ "$(probe reg PAL_crntPalette)" = 2 ] || fail "PAL_crntPalette is $(probe reg PAL_crntPalette), not 2"
[ "$(probe reg PAL_HSBPaletteView)" = 1 ] || fail "PAL_HSBPaletteView is $(probe reg PAL_HSBPaletteView), not 1"
note "passed"

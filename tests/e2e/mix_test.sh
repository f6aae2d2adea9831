#!/usr/bin/env bash
# Mixing colours with real input. On the mixing tab the red swatch dragged onto
# an area fills it (the areas it passed over stay empty); blue dropped on it averages to 7F007F; a click on the area
# makes that the first slot's colour. With XOR chosen, blue again gives 7F0080.
# The eraser empties the area. Another picture is chosen by its button; "clear
# all" asks first and Yes empties the areas. The colours survive a restart.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
place_kolo $wx $wy
wine reg add 'HKCU\Software\Velmora\Kolo' /v ColorFormat /t REG_DWORD /d 0 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v crntPage /t REG_DWORD /d 3 /f >/dev/null

click() { xdotool mousemove "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.6; }
clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r' | tr 'a-f' 'A-F'; }
shot() {
  xdotool mousemove $((wx + 420)) $((wy + 340)); sleep 0.5
  screenshot_kolo "$E2E_DIR/$1.png" || fail "no screenshot of the window"
}
# The picture at (4, 19) in the window; the tab's page at (264, 153).
ix=$((wx + 4)); iy=$((wy + 19))
px=$((wx + 264)); py=$((wy + 153))
# Drags from picture point ($1, $2) to ($3, $4) in small steps.
drag() {
  xdotool mousemove $((ix + $1)) $((iy + $2)); sleep 0.3
  xdotool mousedown 1; sleep 0.2
  local s
  for s in 1 2 3 4 5 6; do xdotool mousemove $((ix + $1 + ($3 - $1) * s / 6)) $((iy + $2 + ($4 - $2) * s / 6)); sleep 0.1; done
  sleep 0.2
  xdotool mouseup 1; sleep 0.6
}
area() { shot "$1"; pixel_of "$E2E_DIR/$1.png" $((4 + 40)) $((19 + 31)) | tr 'a-f' 'A-F'; }
red=(60 244); blue=(104 244); eraser=(240 244)

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.8

[ "$(area empty)" = FEFFFF ] || fail "the top-left area does not start empty"
drag "${red[@]}" 40 31
[ "$(area red)" = FF0000 ] || fail "the red swatch dropped on the area gives $(area red2)"
# The drag passed over the area below on its way (at 50, 137): that one is empty again.
[ "$(pixel_of "$E2E_DIR/red.png" $((4 + 50)) $((19 + 137)) | tr 'a-f' 'A-F')" = FEFFFF ] ||
  fail "an area the drag only passed over kept its colour"
drag "${blue[@]}" 40 31
[ "$(area mixed)" = 7F007F ] || fail "blue averaged into red gives $(area mixed2)"

click $((ix + 40)) $((iy + 31))
click $((wx + 339)) $((wy + 28))   # slot 1's copy button
[ "$(clipboard)" = 7F007F ] || fail "a click on the area made '$(clipboard)' the current colour"

click $((px + 25 + 10)) $((py + 27 + 7))   # butMixType4: XOR
drag "${blue[@]}" 40 31
[ "$(area xored)" = 7F0080 ] || fail "blue XOR 7F007F gives $(area xored2)"

drag "${eraser[@]}" 40 31
[ "$(area erased)" = FEFFFF ] || fail "the eraser left $(area erased2)"

drag "${red[@]}" 40 31
click $((px + 29 + 8)) $((py + 56 + 8))    # butImage2: the house
shot house
[ "$(pixel_of "$E2E_DIR/house.png" $((4 + 40)) $((19 + 31)) | tr 'a-f' 'A-F')" != FF0000 ] || fail "the picture did not change"
click $((px + 8 + 8)) $((py + 56 + 8))     # back to picture 1
[ "$(area back)" = FF0000 ] || fail "picture 1 lost its colour when another was shown"

# Clear all asks; Escape keeps the colours, Yes (Enter) clears them.
click $((px + 70 + 10)) $((py + 76 + 9))
box=$(probe message 10) || fail "no question before clearing"
grep -q '^title=Confirmation' <<<"$box" || fail "the question is not a confirmation: $box"
xdotool key Escape; sleep 0.6
[ "$(area kept)" = FF0000 ] || fail "answering no still cleared the picture"

# The colours and the type survive a restart.
probe send-close >/dev/null
for _ in $(seq 1 50); do probe state | grep -q '^found=0' && break; sleep 0.2; done
[ "$(probe reg MX_mixType)" = 3 ] || fail "MX_mixType is $(probe reg MX_mixType), not 3"
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not come back"
sleep 0.8
[ "$(area restarted)" = FF0000 ] || fail "the area's colour was lost over a restart"

click $((px + 70 + 10)) $((py + 76 + 9))
probe message 10 >/dev/null || fail "no question before clearing"
xdotool key Return; sleep 0.6
[ "$(area cleared)" = FEFFFF ] || fail "Yes did not clear the picture"
note "passed"

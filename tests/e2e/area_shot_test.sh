#!/usr/bin/env bash
# The area shot with real input, over another program's stripes of known
# colours: a rectangle is drawn with a drag, moved by dragging its inside,
# sized by its right-bottom handle and squared with Shift; its handle boxes are
# made bigger with the box slider, its width is typed and it is grown over the
# window under it. Each change grabs it, and the pictures added to the list
# hold exactly the stripes' pixels under the rectangle. The frame is drawn by
# inverting the screen; a right click on the title strip ends the shot without
# opening the window's menu and leaves the screen as it was; Escape ends one
# too. With KOLO_AREA_OVERLAY=1 the same walk runs with desktop composition on
# (a stand-in dwmapi.dll says so): the frame is drawn on the overlay window,
# never into the screen's pixels nor into the grabs, and a window shot is
# framed there as well.
. "$(dirname "$0")/lib.sh"
use_virtual_desktop

OVERLAY=${KOLO_AREA_OVERLAY:-0}
trap 'helper close >/dev/null 2>&1 || true; stop_all; composition_off' EXIT
LOG="$E2E_DIR/target.log"
SCRN="$E2E_DIR/app/scrn"
SYS32="$WINEPREFIX/drive_c/windows/system32"
composition_off() { [ -f "$SYS32/dwmapi.dll.kolo-saved" ] && mv -f "$SYS32/dwmapi.dll.kolo-saved" "$SYS32/dwmapi.dll" || true; }
if [ "$OVERLAY" = 1 ]; then
  E2E_NAME=area_shot_overlay
  [ -f "$KOLO_BUILD/dwm_on/dwmapi.dll" ] || fail "the stand-in dwmapi.dll is not built"
  cp "$SYS32/dwmapi.dll" "$SYS32/dwmapi.dll.kolo-saved"
  cp "$KOLO_BUILD/dwm_on/dwmapi.dll" "$SYS32/dwmapi.dll"
  export WINEDLLOVERRIDES="dwmapi=n"
fi

RED=C81E28 GREEN=1EAA3C BLUE=1428DC YELLOW=F0D21E
start_stripes "$LOG"
place_kolo $((700 / KOLO_SCALE)) $((100 / KOLO_SCALE))  # the same screen place at any density
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
newest() { ls "$SCRN" | grep '^[0-9]\{12\}\.png$' | sort | tail -n1; }
invert() { printf '%06X' $((0xFFFFFF ^ 0x$1)); }
drag() { # X1 Y1 X2 Y2: press, move in steps, release
  xdotool mousemove "$1" "$2"; sleep 0.2
  xdotool mousedown 1; sleep 0.3
  xdotool mousemove $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 )); sleep 0.2
  xdotool mousemove "$3" "$4"; sleep 0.3
  xdotool mouseup 1; sleep 0.8
}
add_and_check() { # SIZE then "X Y COLOUR"...: the grab, added to the list, holds these pixels
  local want=$1 file size
  shift
  sleep 1.1  # a new second: the name is free at once
  click_at $(centre_of "$add")
  file="$SCRN/$(newest)"
  [ -f "$file" ] || fail "adding the grab made no picture"
  size=$(identify -format '%wx%h' "$file")
  [ "$size" = "$want" ] || fail "the grab is $size, not $want"
  for p in "$@"; do
    set -- $p
    [ "$(pixel_of "$file" "$1" "$2")" = "$3" ] || fail "grab pixel ($1, $2) is $(pixel_of "$file" "$1" "$2"), not $3"
  done
  rm -f "$file"
}

tab_button 5
sleep 0.3
area=$(helper locate-text "select area on screen") || fail "no area button on the screenshot tab"
add=$(helper locate-text "add image to list") || fail "no add button"
[ "$(screen_pixel 60 90)" = $RED ] || fail "the stripes are not on the screen"

# --- draw: from (60, 60) to (179, 119), over the red and green stripes ---
click_at $(centre_of "$area")
helper locate-text "finish (right button click)" >/dev/null || fail "the area button did not turn into the finish button"
drag 60 60 179 119
grep -q '^down' "$LOG" && fail "the press that drew the area reached the window under it"
frame=$(screen_pixel 60 75)
if [ "$OVERLAY" = 1 ]; then
  [ "$frame" = 000000 ] || [ "$frame" = FFFFFF ] || fail "no overlay frame on the left side (pixel $frame)"
  [ "$(screen_pixel 62 92)" = $RED ] || fail "the overlay hides what is inside the area"
else
  [ "$frame" = "$(invert $RED)" ] || fail "the left side of the area is not drawn inverted (pixel $frame)"
fi
SHOT="$E2E_DIR/drawn.png"
import -window root -crop 260x140+20+20 +repage "$SHOT"
add_and_check 120x60 "0 0 $RED" "0 15 $RED" "10 30 $RED" "110 30 $GREEN" "119 59 $GREEN" "119 45 $GREEN"
note "drawn: 120x60 grabbed without its frame"

# --- move it by its inside, 100 right and 100 down ---
drag 120 90 220 190
add_and_check 120x60 "0 0 $GREEN" "0 15 $GREEN" "10 30 $GREEN" "110 30 $BLUE" "119 59 $BLUE" "60 59 $GREEN"
[ "$(screen_pixel 60 75)" = $RED ] || fail "the frame was left behind where the area was"
note "moved: the grab follows"

# --- the right-bottom handle, pressed two pixels off, dragged 50 right and 40 down ---
drag 281 221 329 259
add_and_check 170x100 "0 0 $GREEN" "0 20 $GREEN" "169 99 $BLUE" "169 30 $BLUE" "30 99 $GREEN"
note "resized by the handle: 170x100"

# --- Shift held: the same handle squares the area (the shorter side wins) ---
xdotool keydown shift; sleep 0.2
drag 329 259 300 220
xdotool keyup shift; sleep 0.3
add_and_check 61x61 "0 0 $GREEN" "60 60 $GREEN" "60 30 $GREEN"
note "squared with Shift: 61x61"

# --- a bigger handle box from the slider: the corner box reaches one pixel further ---
# (inverted boxes are the box size wide, the overlay's two pixels wider)
if [ "$OVERLAY" = 1 ]; then edge="155 155"; else edge="156 156"; fi
[ "$(screen_pixel $edge)" = $GREEN ] || fail "the corner box of size 7 already reaches ($edge)"
box=$(helper locate-text "box size") || fail "no box size slider"
read -r bx by bw bh <<<"$box"
click_at $((bx + bw - 4)) $((by + bh / 2))
frame=$(screen_pixel $edge)
[ "$frame" != $GREEN ] || fail "the slider did not make the handle boxes bigger"
note "box size 9: the corner box grew"

# --- the width typed into the size field: 250 ---
# The width field: picture tools page at (2, 277), its field at (3, 22), 40 x 18.
click_at $((kx + (5 + 36) * KOLO_SCALE)) $((ky + (299 + 9) * KOLO_SCALE))
[ "$(probe focus-text Kolo)" = "focus=61" ] || fail "the width field does not show 61 ($(probe focus-text Kolo))"
xdotool key --delay 80 End BackSpace BackSpace; sleep 0.2
xdotool type --delay 120 250; sleep 0.8
[ "$(probe focus-text Kolo)" = "focus=250" ] || fail "the width field lost the typing ($(probe focus-text Kolo))"
add_and_check 250x61 "0 0 $GREEN" "100 50 $BLUE" "249 50 $YELLOW"
note "typed width 250"

# --- align by window: the area grows over the stripes' window ---
click_at $(centre_of "$(helper locate-text "align by window")")
add_and_check 400x240 "0 0 $RED" "399 239 $YELLOW" "150 120 $GREEN"
note "aligned to the window under its corners: 400x240"

# --- a right click on the title strip ends it, and opens no menu ---
xdotool mousemove $((kx + 200 * KOLO_SCALE)) $((ky + 8 * KOLO_SCALE)); sleep 0.2; xdotool click 3; sleep 0.8
helper locate-text "select area on screen" >/dev/null || fail "the right click did not end the area shot"
[ -z "$(probe menu 1 | sed -n 's/^rect=//p')" ] || fail "the right click that ended the shot also opened the menu"
for p in "60 75 $RED" "160 170 $GREEN" "329 220 $BLUE" "281 259 $BLUE" "40 100 $RED" "439 100 $YELLOW" "200 40 $GREEN"; do
  set -- $p
  [ "$(screen_pixel "$1" "$2")" = "$3" ] || fail "the screen keeps a trace of the frame at ($1, $2)"
done
note "finished by a right click; the screen is clean"

# --- Escape ends a shot too, before anything was drawn, keeping the last picture ---
click_at $(centre_of "$area")
helper locate-text "finish (right button click)" >/dev/null || fail "the area shot did not start again"
xdotool key Escape; sleep 0.8
helper locate-text "select area on screen" >/dev/null || fail "Escape did not end the area shot"
[ "$(probe_value visible)" = 1 ] || fail "the Escape that ended the shot also hid the window"
add_and_check 400x240 "0 0 $RED"
note "Escape ends it; the last grab stays the picture"

# --- with composition on, the window shot frames the window on the overlay too ---
if [ "$OVERLAY" = 1 ]; then
  click_at $(centre_of "$(helper locate-text "get windowshot")")
  xdotool mousemove 200 150; sleep 0.3
  xdotool mousemove 210 160; sleep 0.6
  frame=$(screen_pixel 40 100)
  [ "$frame" = 000000 ] || [ "$frame" = FFFFFF ] || fail "no overlay frame round the pointed window (pixel $frame)"
  [ "$(screen_pixel 42 100)" = $RED ] || fail "the window shot changed the screen's pixels inside its frame"
  xdotool click 1; sleep 1
  add_and_check 400x240 "0 100 $RED" "399 100 $YELLOW" "150 0 $GREEN" "150 239 $GREEN"
  note "window shot framed on the overlay, grabbed without the frame"
fi

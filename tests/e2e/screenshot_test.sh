#!/usr/bin/env bash
# Screenshots with real input: another program shows four stripes of known
# colours; the whole screen is taken and added to the list, then that one
# window is taken by pointing at it and clicking. The saved pictures hold the
# stripes' pixels; the list and its item file survive a restart (a line for a
# file that is gone is dropped, the others kept).
. "$(dirname "$0")/lib.sh"
use_virtual_desktop

trap 'helper close >/dev/null 2>&1 || true; stop_all' EXIT
LOG="$E2E_DIR/target.log"
SCRN="$E2E_DIR/app/scrn"

# A picture from an earlier run with its transparent colour, and a line for a picture that is gone.
mkdir -p "$SCRN"
convert -size 40x30 xc:'#102030' "png24:$SCRN/130101000000.png"
printf '130101000000|00FF00|0|\r\n120101000000||0|http://gone.example/\r\n' >"$SCRN/list.bin"

RED=C81E28 GREEN=1EAA3C BLUE=1428DC
# The helper runs until told to close; it is not one of the Kolo processes stop_kolo waits for.
start_stripes "$LOG"

wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
pictures() { ls "$SCRN" | grep -c '^[0-9]\{12\}\.png$' || true; }
newest() { ls "$SCRN" | grep '^[0-9]\{12\}\.png$' | sort | tail -n1; }

tab_button 5
shot=$(helper locate-text "get screenshot") || fail "no screenshot button on the screenshot tab"
add=$(helper locate-text "add image to list") || fail "no add button"
winshot=$(helper locate-text "get windowshot") || fail "no window shot button"

# --- the whole screen ---
click_at $(centre_of "$shot")
click_at $(centre_of "$add")
[ "$(pictures)" = 2 ] || fail "adding the screenshot made no picture in scrn ($(ls "$SCRN"))"
full="$SCRN/$(newest)"
size=$(identify -format '%wx%h' "$full")
[ "$size" = "$(xdotool getdisplaygeometry | tr ' ' x)" ] || fail "the screenshot is $size, not the screen"
for p in "60 60 $RED" "160 200 $GREEN" "260 100 $BLUE"; do
  set -- $p
  got=$(pixel_of "$full" "$1" "$2")
  [ "$got" = "$3" ] || fail "screenshot pixel ($1, $2) is $got, the stripe is $3"
done
note "whole screen: $size with the stripes' pixels"

# --- one window, pointed at with the real mouse ---
sleep 1.1  # a new second, so the next name is free without waiting
click_at $(centre_of "$winshot")
xdotool mousemove 200 150; sleep 0.3
xdotool mousemove 210 160; sleep 0.5
xdotool click 1; sleep 0.8
grep -q '^down' "$LOG" && fail "the click that took the window reached the window"
click_at $(centre_of "$add")
[ "$(pictures)" = 3 ] || fail "the window shot was not added ($(ls "$SCRN"))"
win="$SCRN/$(newest)"
read -r ww wh <<<"$(identify -format '%w %h' "$win")"
[ "$ww" -ge 400 ] && [ "$ww" -le 420 ] && [ "$wh" -ge 240 ] && [ "$wh" -le 270 ] ||
  fail "the window shot is ${ww}x${wh}, not the 400x240 window"
[ "$(pixel_of "$win" 20 $((wh / 2)))" = $RED ] || fail "the window shot's left stripe is not red"
[ "$(pixel_of "$win" $((ww - 20)) $((wh / 2)))" != $RED ] || fail "the window shot is one colour"
note "window: ${ww}x${wh}"

# --- restart: the list is read again, the item file keeps its line ---
probe send-close >/dev/null || fail "no main window to close"
for _ in $(seq 1 50); do [ "$(probe_value count)" = 0 ] && break; sleep 0.2; done
[ "$(probe_value count)" = 0 ] || fail "Kolo did not close"
stop_kolo
grep -q '^130101000000|00FF00|0|' "$SCRN/list.bin" || fail "the item file lost the line of an existing picture"
grep -q 'gone.example' "$SCRN/list.bin" && fail "the line of a missing picture was kept"
[ -f "$SCRN/130101000000.png" ] || fail "a picture of the list was deleted"
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not come back"
sleep 1
tab_button 5
sleep 1.5
SHOT="$E2E_DIR/list.png"
screenshot_kolo "$SHOT" || fail "no screenshot of the window"
list=$(helper locate-text "screenshots") || fail "no screenshot list"
read -r lx ly lw lh <<<"$list"
# The newest picture (the window shot) is the first cell: its left part shows the red stripe.
[ "$(pixel_of "$SHOT" $((lx - kx + 10)) $((ly - ky + lw / 2)))" = $RED ] ||
  fail "the first thumbnail after the restart does not show the window shot"
note "the list came back with $(pictures) pictures"

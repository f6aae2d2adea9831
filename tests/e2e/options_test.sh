#!/usr/bin/env bash
# The options dialog with real input: "Options..." of the window's menu opens
# it; the colour format is changed through its drop-down list and confirmed
# with OK, after which a slot's copy button copies in the new format and the
# setting is stored, as are a typed count and quality corrected into their
# ranges; a second change left with Cancel, and a third with
# Escape, changes nothing. F1 and the help button open the options page.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
reset_settings
place_kolo $wx $wy
use_stand_in_browser
trap 'stop_all; restore_browser' EXIT

click_control() { # TITLE NAME: a left click in the middle of the named control
  local rect x y w h
  rect=$(probe control "$1" "$2" | sed -n 's/^rect=//p')
  [ -n "$rect" ] || fail "no control \"$2\" in \"$1\"; windows shown: $(shown_windows)"
  IFS=, read -r x y w h <<<"$rect"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  sleep 0.3
}
open_options() { # from the window's menu, with a right click on the title strip
  xdotool mousemove $((wx + 250)) $((wy + 7)) click 3
  local rect x y w h
  rect=$(probe menu 5 | sed -n 's/^rect=//p')
  [ -n "$rect" ] || fail "the window's menu did not open"
  IFS=, read -r x y w h <<<"$rect"
  # "Options..." is the first item.
  xdotool mousemove $((x + w / 2)) $((y + 9)) click 1
  wait_window Options || fail "\"Options...\" opened no dialog; windows shown: $(shown_windows)"
  sleep 0.3
}
choose_format() { # INDEX: through the drop-down list, whose rows are 14 pixels high
  click_control Options "choose color format"
  local rect="" x y w h
  for _ in $(seq 1 25); do
    rect=$(probe control class:TfrmList list | sed -n 's/^rect=//p' || true)
    [ -n "$rect" ] && break
    sleep 0.2
  done
  [ -n "$rect" ] || fail "the colour format button opened no list"
  IFS=, read -r x y w h <<<"$rect"
  # The current format is scrolled to the top of the list.
  xdotool mousemove $((x + w / 2)) $((y + $1 * 14 + 7)) click 1
  sleep 0.5
}
copied_text() { # what the first slot's copy button puts on the clipboard
  xdotool mousemove $((wx + 264 + 2 + 65 + 8)) $((wy + 19 + 1 + 8)) click 1
  sleep 0.5
  xclip -o -selection clipboard 2>/dev/null || true
}

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.5
[ "$(copied_text)" = FFFFFF ] || fail "the first slot does not copy as RRGGBB at first start"

# OK: the format chosen in the drop-down is what the copy button now uses, and
# it is saved at once.
open_options
import -window root -crop 320x280+130+120 "$E2E_DIR/options.png" 2>/dev/null || true
choose_format 2
[ "$(probe control Options "color format" >/dev/null && echo shown)" = shown ] || fail "the list closed the dialog"
# Typed counts and qualities: letters are refused, out-of-range numbers corrected.
click_control Options "max clipboard images"
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 50 "5x"
click_control Options "JPG save quality"
xdotool key End BackSpace BackSpace
xdotool type --delay 50 "15"
sleep 0.3
[ "$(probe focus-text Options | sed -n 's/^focus=//p')" = 10 ] \
  || fail "the JPG quality 15 was not corrected to 10 as it was typed"
click_control Options OK
gone_window Options || fail "OK did not close the dialog"
[ "$(probe reg maxClipImages)" = 10 ] || fail "a clipboard count of 5 was not stored as 10: $(probe reg maxClipImages)"
[ "$(probe reg saveJPGQuality)" = 10 ] || fail "the JPG quality was not stored as 10: $(probe reg saveJPGQuality)"
[ "$(copied_text)" = "#FFFFFF" ] || fail "after OK the first slot copies '$(copied_text)', not the HTML notation"
[ "$(probe reg ColorFormat)" = 2 ] || fail "the colour format was not saved on OK: $(probe reg ColorFormat)"

# Cancel: another format is chosen and the dialog cancelled; nothing changes.
open_options
choose_format 5
click_control Options Cancel
gone_window Options || fail "Cancel did not close the dialog"
[ "$(copied_text)" = "#FFFFFF" ] || fail "Cancel changed the copy format"

# F1 and the help button open the options page, and leave the dialog open.
open_options
click_control Options "upload URL"
xdotool key F1
wait_page 1 options || fail "F1 in the dialog did not open the options page (got: $(cat "$PAGES"))"
click_control Options help
wait_page 2 options || fail "the help button did not open the options page (got: $(cat "$PAGES"))"
probe control Options OK >/dev/null || fail "help closed the dialog"
click_control Options Cancel
gone_window Options || fail "Cancel did not close the dialog"

# The slot's menu ends with "Options..." too (Copy, Past, a line, Options...).
xdotool mousemove $((wx + 264 + 2 + 1 + 8)) $((wy + 19 + 18 + 1 + 8)) click 3
rect=$(probe menu 5 | sed -n 's/^rect=//p')
[ -n "$rect" ] || fail "a right click on the second slot opened no menu"
IFS=, read -r mx my mw mh <<<"$rect"
item=$(( (mh - 12) / 5 ))  # five items, two 3-pixel lines, the menu's own border
xdotool mousemove $((mx + mw / 2)) $((my + 3 + 2 * item + 3 + item / 2)) click 1
wait_window Options || fail "\"Options...\" of the slot menu opened no dialog"
click_control Options Cancel
gone_window Options || fail "Cancel did not close the dialog"

# Escape cancels too.
open_options
choose_format 1
xdotool key Escape
gone_window Options || fail "Escape did not close the dialog"
[ "$(copied_text)" = "#FFFFFF" ] || fail "Escape changed the copy format"
[ "$(probe reg ColorFormat)" = 2 ] || fail "a cancelled dialog changed the stored format"
note "ok"

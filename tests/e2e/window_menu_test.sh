#!/usr/bin/env bash
# The window's own menu with real input: a right click on the title strip opens
# it where the pointer is and "Help" opens the current tab's help page; Shift+F10
# and the menu key open it below the title strip; a right click on the window's
# background and on the small window's strip open it too; Escape closes only the
# menu; F1 opens the help page directly. Shift+F10 on the palette strip opens
# the strip's own menu at its selected cell instead. Double clicks on the title
# strip switch small mode.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d $wx /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d $wy /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null

use_stand_in_browser
trap 'stop_all; restore_browser' EXIT

menu_rect() { probe menu "${1:-5}" | sed -n "s/^rect=//p" || true; }
menu_gone() {
  local i
  for i in $(seq 1 25); do [ -z "$(menu_rect 0)" ] && return 0; sleep 0.2; done
  return 1
}
open_at() { # NAME X,Y RECT: the menu opened with its corner at X,Y
  [ -n "$3" ] || fail "no menu opened: $1"
  [ "$(echo "$3" | cut -d, -f1,2)" = "$2" ] || fail "$1: the menu is at $3, not at $2"
}
pick_middle() { # RECT: click the item in the middle of the menu, "Help" in the window's menu
  local x y w h
  IFS=, read -r x y w h <<<"$1"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  menu_gone || fail "the menu stayed open after a pick"
}
escape_menu() { # NAME
  xdotool key Escape
  menu_gone || fail "$1: Escape did not close the menu"
  sleep 0.3
  [ "$(probe_value visible)" = 1 ] || fail "$1: Escape in the menu also hid the window"
}
size() { probe_value rect | cut -d, -f3,4; }
activate_kolo() { # a click on the title strip: Kolo has the keyboard
  xdotool mousemove $((wx + 250)) $((wy + 7)) click 1
  sleep 0.3
  [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = Kolo ] \
    || fail "Kolo does not have the keyboard after a click (it is with '$(xdotool getwindowfocus getwindowname 2>&1)')"
}

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.5

# A right click on the title strip, on the caption: the menu opens under the
# pointer and "Help" opens the help page of the first tab.
xdotool mousemove $((wx + 250)) $((wy + 7)) click 3
rect=$(menu_rect)
open_at "right click on the title strip" "$((wx + 250)),$((wy + 7))" "$rect"
main_menu_height=$(echo "$rect" | cut -d, -f4)
pick_middle "$rect"
wait_page 1 colorpicker || fail "Help did not open the colour picker's page (got: $(cat "$PAGES"))"

# The screenshot tab; then Shift+F10 opens the menu below the title strip.
xdotool mousemove $((wx + 111 + 9)) $((wy + 8)) click 1
sleep 0.5
activate_kolo
xdotool key shift+F10
rect=$(menu_rect)
open_at "Shift+F10" "$((wx + 154)),$((wy + 15))" "$rect"
pick_middle "$rect"
wait_page 2 imagesfromscreen || fail "Help did not follow the tab (got: $(cat "$PAGES"))"

# The menu key does the same; Escape closes the menu and nothing is opened.
activate_kolo
xdotool key Menu
open_at "the menu key" "$((wx + 154)),$((wy + 15))" "$(menu_rect)"
escape_menu "the menu key"
[ "$(wc -l < "$PAGES")" = 2 ] || fail "a dismissed menu opened a page: $(cat "$PAGES")"

# F1 opens the same page straight away.
xdotool key F1
wait_page 3 imagesfromscreen || fail "F1 did not open the tab's help page (got: $(cat "$PAGES"))"
activate_kolo

# The window's own background: the gap left of the main image.
xdotool mousemove $((wx + 1)) $((wy + 150)) click 3
open_at "right click on the background" "$((wx + 1)),$((wy + 150))" "$(menu_rect)"
escape_menu "the background"

# Double clicks on the title strip switch small mode; the small strip has the menu too.
xdotool mousemove $((wx + 250)) $((wy + 7)) click --repeat 2 --delay 80 1
sleep 0.5
[ "$(size)" = "100,15" ] || fail "a double click on the title strip did not shrink the window: $(size)"
small_x=$(probe_value rect | cut -d, -f1)
xdotool mousemove $((small_x + 30)) $((wy + 7)) click 3
open_at "right click on the small window" "$((small_x + 30)),$((wy + 7))" "$(menu_rect)"
escape_menu "the small window"
xdotool mousemove $((small_x + 30)) $((wy + 7)) click --repeat 2 --delay 80 1
sleep 0.5
[ "$(size)" = "364,320" ] || fail "a second double click did not bring the full window back: $(size)"

# Back on the first tab, Shift+F10 on the palette strip opens the strip's own
# menu on the cell just clicked, not the window's.
xdotool mousemove $((wx + 6 + 9)) $((wy + 8)) click 1
sleep 0.5
cell_x=$((wx + 2 + 3 * 20 + 12)); cell_y=$((wy + 277 + 20 + 11))  # cell 19
xdotool mousemove "$cell_x" "$cell_y" click 1
sleep 0.3
xdotool key shift+F10
rect=$(menu_rect)
[ -n "$rect" ] || fail "Shift+F10 on the palette strip opened no menu"
[ "$(echo "$rect" | cut -d, -f4)" != "$main_menu_height" ] || fail "Shift+F10 on the palette strip opened the window's menu"
x=$(echo "$rect" | cut -d, -f1); y=$(echo "$rect" | cut -d, -f2)
[ $((x - cell_x)) -le 2 ] && [ $((cell_x - x)) -le 2 ] && [ $((y - cell_y)) -le 2 ] && [ $((cell_y - y)) -le 2 ] \
  || fail "the strip's menu is at $x,$y, not on the selected cell at $cell_x,$cell_y"
escape_menu "the palette strip"
note "passed"

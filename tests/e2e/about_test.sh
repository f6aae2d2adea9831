#!/usr/bin/env bash
# The About window from the menus, with real input: "About..." of the window's
# menu (a right click on the title strip) and of the palette strip's menu opens
# it centred over Kolo, and so does a colour slot's; its link opens the maker's
# site; Escape, OK and the close button close it.
. "$(dirname "$0")/lib.sh"
trap 'stop_all; restore_browser' EXIT
use_stand_in_browser
place_kolo 300 200
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky kw kh <<<"$(probe_value rect | tr ',' ' ')"
sleep 1

menu_rect() { probe menu "${1:-5}" | sed -n "s/^rect=//p" || true; }
pick_last() { # RECT: the menu's last item, "About..."
  local x y w h
  IFS=, read -r x y w h <<<"$1"
  xdotool mousemove $((x + w / 2)) $((y + h - 6)) click 1
}
about_geometry() {
  local id
  id=$(xdotool search --onlyvisible --name '^About$' | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$id")"
}
about_from_menu() { # X Y NAME: a right click there, then the menu's "About..."
  local rect
  xdotool mousemove "$1" "$2" click 3
  rect=$(menu_rect)
  [ -n "$rect" ] || fail "no menu on $3"
  pick_last "$rect"
  wait_window "About" || fail "About... of $3 opened no About window; windows: $(shown_windows)"
  about_geometry
}

about_from_menu $((kx + 250)) $((ky + 7)) "the title strip"
[ "$WIDTH" = 290 ] && [ "$HEIGHT" = 112 ] || fail "the About window is ${WIDTH}x$HEIGHT"
[ $((X + 145)) = $((kx + kw / 2)) ] || fail "the About window is not centred over Kolo"
sleep 0.5
import -window root -crop 290x112+$X+$Y +repage "$E2E_DIR/about.png" 2>/dev/null || true

xdotool mousemove $((X + 90)) $((Y + 67)) click 1  # the link
for _ in $(seq 1 50); do [ -s "$PAGES" ] && break; sleep 0.2; done
grep -q '^https\?://' "$PAGES" || fail "the link opened nothing"
xdotool key Escape
gone_window "About" || fail "Escape did not close the About window"
note "the window's menu opened About; its link opened $(tr -d '\r' <"$PAGES")"

# The palette strip's menu has it too; OK closes it.
about_from_menu $((kx + 2 + 12)) $((ky + 277 + 11)) "the palette strip"
xdotool mousemove $((X + 290 - 8 - 64 - 6 - 32)) $((Y + 112 - 18)) click 1  # OK
gone_window "About" || fail "OK did not close the About window"
[ "$(probe_value visible)" = 1 ] || fail "the main window went away with the About window"

# A colour slot's menu has it as well; the title strip's close button closes it.
about_from_menu $((kx + 264 + 11)) $((ky + 19 + 9)) "a colour slot"
xdotool mousemove $((X + 290 - 13 + 4)) $((Y + 3 + 5)) click 1  # close
gone_window "About" || fail "the close button did not close the About window"
note "the palette strip's and the colour slot's menus opened it too"

#!/usr/bin/env bash
# Kolo on a 96 dpi and on a 192 dpi screen, driven the same way with real
# input: at 192 dpi the window is twice the size and, apart from the system's
# own edit boxes, exactly the 96 dpi picture enlarged pixel for pixel — at
# start, after a click on the wheel tab and after a drag across the wheel. The
# title strip's menu and its double click answer at the doubled places, and the
# position is kept in logical pixels.
. "$(dirname "$0")/lib.sh"

# A picture with the system's edit boxes blacked out (their text is drawn by
# the system at the screen's own size); $2 lists them as the probe prints them.
masked() { # PICTURE EDITS WINDOW_X WINDOW_Y OUT
  local draw=() x y w h
  while IFS=, read -r x y w h; do
    [ -n "$x" ] || continue
    x=$((x - $3)); y=$((y - $4))
    draw+=(-draw "rectangle $x,$y,$((x + w - 1)),$((y + h - 1))")
  done <"$2"
  convert "$1" -fill black "${draw[@]}" "$5"
}
shot() { # NAME: the window, and where its edit boxes are
  screenshot_kolo "$E2E_DIR/$1-$KOLO_SCALE.png" || fail "no screenshot of $1 at ${KOLO_SCALE}x"
  probe edits >"$E2E_DIR/$1-$KOLO_SCALE.edits"
}

for KOLO_SCALE in 1 2; do
  S=$KOLO_SCALE
  set_screen_dpi
  reset_settings
  place_kolo 100 100
  xdotool mousemove 1 1
  start_kolo
  probe wait-visible 30 >/dev/null || fail "the main window did not appear at ${S}x"
  sleep 1
  rect=$(probe_value rect)
  [ "$rect" = "$((100 * S)),$((100 * S)),$((364 * S)),$((320 * S))" ] || fail "at ${S}x the window is at $rect"
  read -r kx ky _ _ <<<"$(tr ',' ' ' <<<"$rect")"
  shot start

  # The wheel tab by a click on its button; then a drag across the wheel.
  tab_button 1
  xdotool mousemove 1 1; sleep 0.4
  shot wheel
  ix=$((kx + 4 * S)); iy=$((ky + 19 * S))
  xdotool mousemove $((ix + (128 + 110) * S)) $((iy + 127 * S))
  sleep 0.3
  xdotool mousedown 1; sleep 0.2
  for step in 1 2 3 4 5; do xdotool mousemove $((ix + (128 + 110 - 22 * step) * S)) $((iy + (127 - 14 * step) * S)); sleep 0.1; done
  xdotool mousemove $((ix + 128 * S)) $((iy + (127 - 70) * S)); sleep 0.2
  xdotool mouseup 1; sleep 0.3
  xdotool mousemove 1 1; sleep 0.4
  shot dragged

  # The window's menu under the pointer; its items are twice as large at 2x.
  xdotool mousemove $((kx + 250 * S)) $((ky + 7 * S)) click 3
  menu=$(probe menu 5 | sed -n 's/^rect=//p')
  [ -n "$menu" ] || fail "no menu after a right click on the title strip at ${S}x"
  [ "$(cut -d, -f1,2 <<<"$menu")" = "$((kx + 250 * S)),$((ky + 7 * S))" ] || fail "at ${S}x the menu opened at $menu"
  eval "menu_h$S=$(cut -d, -f4 <<<"$menu")"
  xdotool key Escape; sleep 0.4

  # A double click on the title strip: the small window, at the factor.
  xdotool mousemove $((kx + 250 * S)) $((ky + 7 * S)) click --repeat 2 --delay 80 1; sleep 0.6
  [ "$(probe_value rect | cut -d, -f3,4)" = "$((100 * S)),$((15 * S))" ] || fail "small mode at ${S}x is $(probe_value rect)"
  # The small window keeps the right edge; its caption is left of the buttons.
  xdotool mousemove $((kx + (364 - 100 + 30) * S)) $((ky + 7 * S)) click --repeat 2 --delay 80 1; sleep 0.6
  [ "$(probe_value rect)" = "$rect" ] || fail "back from small mode at ${S}x the window is at $(probe_value rect)"

  # Closing keeps the logical position.
  probe send-close >/dev/null
  gone_window Kolo || fail "Kolo did not close at ${S}x"
  stop_kolo
  [ "$(probe reg x)" = 100 ] && [ "$(probe reg y)" = 100 ] \
    || fail "at ${S}x the position was saved as $(probe reg x),$(probe reg y), not 100,100"
done
KOLO_SCALE=1
set_screen_dpi

# Rough check of the menu: the items twice as tall (the border is the system's).
[ "$menu_h2" -ge $((2 * menu_h1 - 8)) ] && [ "$menu_h2" -le $((2 * menu_h1)) ] \
  || fail "the menu is $menu_h2 pixels tall at 2x, $menu_h1 at 1x"

for name in start wheel dragged; do
  masked "$E2E_DIR/$name-1.png" "$E2E_DIR/$name-1.edits" 100 100 "$E2E_DIR/$name-1m.png"
  masked "$E2E_DIR/$name-2.png" "$E2E_DIR/$name-2.edits" 200 200 "$E2E_DIR/$name-2m.png"
  convert "$E2E_DIR/$name-1m.png" -sample 200% "$E2E_DIR/$name-1x2.png"
  px=$(compare -metric AE "$E2E_DIR/$name-1x2.png" "$E2E_DIR/$name-2m.png" "$E2E_DIR/$name-diff.png" 2>&1 >/dev/null || true)
  note "$name: $px pixels differ from the 1x picture enlarged"
  [ "$px" = 0 ] || fail "at 2x the $name picture is not the 1x one enlarged ($px pixels, see $E2E_DIR/$name-diff.png)"
done
cmp -s "$E2E_DIR/wheel-1.png" "$E2E_DIR/dragged-1.png" && fail "the drag changed nothing on the wheel"
note "passed"

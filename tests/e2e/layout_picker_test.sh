#!/usr/bin/env bash
# The layout template picker with real input: a click on the layout preview
# opens it under the preview; the "3 colours" filter leaves only three-colour
# templates (its button then pressed in); the wheel scrolls; a click on a
# template shows it in the preview and closes the picker; a click on the drop
# button while it is open closes it without opening it again, and so does
# Escape; the choice is
# saved as "imgPreviewId".
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
reset_settings
place_kolo $wx $wy
trap stop_all EXIT

# The preview picture: panel at (264 + 2, 19 + 93) in the window, the picture 1 pixel inside.
px=$((wx + 267)); py=$((wy + 113))
list_rect() { probe control class:TfrmPreview layouts | sed -n 's/^rect=//p' || true; }
wait_picker() { # shown|hidden
  local i r
  for i in $(seq 1 25); do
    r=$(list_rect)
    if [ "$1" = shown ] && [ -n "$r" ]; then return 0; fi
    if [ "$1" = hidden ] && [ -z "$r" ]; then return 0; fi
    sleep 0.2
  done
  return 1
}
shot() { import -window root -crop "$1" "$2" 2>/dev/null; }
same() { cmp -s <(convert "$1" rgb:-) <(convert "$2" rgb:-); }

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.5
shot 80x40+$px+$py "$E2E_DIR/preview-before.png"

xdotool mousemove $((px + 40)) $((py + 20)) click 1
wait_picker shown || fail "a click on the layout preview opened no picker"
IFS=, read -r lx ly lw lh <<<"$(list_rect)"
[ "$ly" -ge $((py + 38)) ] && [ "$ly" -le $((py + 42)) ] || fail "the picker is not under the preview: list at $lx,$ly"
shot 116x173+$((lx - 21))+$((ly - 1)) "$E2E_DIR/picker-all.png"

r=$(probe control class:TfrmPreview "layouts of 3 colors" | sed -n 's/^rect=//p')
[ -n "$r" ] || fail "no \"layouts of 3 colors\" button"
IFS=, read -r bx by bw bh <<<"$r"
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
sleep 0.4
shot 116x173+$((lx - 21))+$((ly - 1)) "$E2E_DIR/picker-3.png"
same "$E2E_DIR/picker-all.png" "$E2E_DIR/picker-3.png" && fail "the filter changed nothing in the list"

xdotool mousemove $((lx + 40)) $((ly + 60)) click 5
sleep 0.4
shot 116x173+$((lx - 21))+$((ly - 1)) "$E2E_DIR/picker-3-wheel.png"
same "$E2E_DIR/picker-3.png" "$E2E_DIR/picker-3-wheel.png" && fail "the wheel did not scroll the layouts"
xdotool mousemove $((lx + 40)) $((ly + 60)) click 4
sleep 0.4

# The first three-colour template fills the top of the list: choose it.
xdotool mousemove $((lx + 40)) $((ly + 20)) click 1
wait_picker hidden || fail "choosing a layout did not close the picker"
sleep 0.3
shot 80x40+$px+$py "$E2E_DIR/preview-after.png"
same "$E2E_DIR/preview-before.png" "$E2E_DIR/preview-after.png" && fail "the preview did not change"

# Opened again, then the drop button: the picker closes and stays closed.
xdotool mousemove $((px + 40)) $((py + 20)) click 1
wait_picker shown || fail "the picker did not open a second time"
xdotool mousemove $((wx + 264 + 86 + 5)) $((wy + 19 + 105 + 8)) click 1
wait_picker hidden || fail "a click on the drop button left the picker open"
sleep 0.5
[ -z "$(list_rect)" ] || fail "the press that closed the picker opened it again"

# Escape closes it too.
xdotool mousemove $((px + 40)) $((py + 20)) click 1
wait_picker shown || fail "the picker did not open a third time"
xdotool key Escape
wait_picker hidden || fail "Escape did not close the picker"

probe send-close >/dev/null
for _ in $(seq 1 50); do [ "$(probe_value found)" = 0 ] && break; sleep 0.2; done
[ "$(probe reg imgPreviewId)" = 12 ] || fail "the first three-colour layout (12) was not saved: imgPreviewId $(probe reg imgPreviewId)"
note "ok"

#!/usr/bin/env bash
# The font browser with real input: a click on the font sample opens it under
# the sample; the wheel scrolls it; a click on a family chooses it, closes the
# pop-up and redraws the sample; so do the keys and a drag down the list; the
# size and bold buttons restyle it; a click
# on the drop button while it is open closes it without opening it again; the
# choice is in the settings after the next save.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
reset_settings
place_kolo $wx $wy
trap stop_all EXIT

# The sample sits in the colour column at (264 + 2 + 1, 19 + 73 + 1), 80x17.
sx=$((wx + 267)); sy=$((wy + 93))
browser_rect() { probe control class:TfrmFontPreview "font families" | sed -n 's/^rect=//p' || true; }
wait_browser() { # shown|hidden
  local i r
  for i in $(seq 1 25); do
    r=$(browser_rect)
    if [ "$1" = shown ] && [ -n "$r" ]; then return 0; fi
    if [ "$1" = hidden ] && [ -z "$r" ]; then return 0; fi
    sleep 0.2
  done
  return 1
}
same() { cmp -s <(convert "$1" rgb:-) <(convert "$2" rgb:-); }
sample_png() { import -window root -crop 80x17+$sx+$sy "$1" 2>/dev/null; }
reg_text() { wine reg query 'HKCU\Software\Velmora\Kolo' /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/.*REG_SZ *//p"; }

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 0.5
sample_png "$E2E_DIR/sample-before.png"

xdotool mousemove $((sx + 40)) $((sy + 8)) click 1
wait_browser shown || fail "a click on the font sample opened no font browser"
IFS=, read -r lx ly lw lh <<<"$(browser_rect)"
[ "$lx" -ge $((wx + 266)) ] && [ "$lx" -le $((wx + 268)) ] || fail "the browser is not under the sample: list at $lx,$ly"
import -window root -crop 120x200+$((wx + 255))+$((wy + 80)) "$E2E_DIR/browser.png" 2>/dev/null

# The wheel scrolls the list, a click on its third row chooses that family.
xdotool mousemove $((lx + 30)) $((ly + 50)) click 5
sleep 0.3
import -window root -crop 120x200+$((wx + 255))+$((wy + 80)) "$E2E_DIR/browser-wheel.png" 2>/dev/null
cmp -s <(convert "$E2E_DIR/browser.png" rgb:-) <(convert "$E2E_DIR/browser-wheel.png" rgb:-) \
  && fail "the wheel did not scroll the font list"
xdotool mousemove $((lx + 30)) $((ly + 2 * 22 + 11)) click 1
wait_browser hidden || fail "choosing a family did not close the browser"
sleep 0.3
sample_png "$E2E_DIR/sample-after.png"
cmp -s <(convert "$E2E_DIR/sample-before.png" rgb:-) <(convert "$E2E_DIR/sample-after.png" rgb:-) \
  && fail "the sample did not change with the family"

# The keyboard: Home, Down, Down and Enter choose the third family.
xdotool mousemove $((sx + 40)) $((sy + 8)) click 1
wait_browser shown || fail "the browser did not open for the keyboard"
xdotool key Home Down Down Return
wait_browser hidden || fail "Enter did not close the browser"
sleep 0.3
sample_png "$E2E_DIR/sample-keys.png"
same "$E2E_DIR/sample-after.png" "$E2E_DIR/sample-keys.png" && fail "the keys did not choose another family"

# A drag from the first row down to the fourth chooses the fourth.
xdotool mousemove $((sx + 40)) $((sy + 8)) click 1
wait_browser shown || fail "the browser did not open for the drag"
IFS=, read -r lx ly lw lh <<<"$(browser_rect)"
xdotool key Home
sleep 0.2
xdotool mousemove $((lx + 30)) $((ly + 11)) mousedown 1
for step in 20 40 60 77; do xdotool mousemove $((lx + 30)) $((ly + step)); sleep 0.05; done
xdotool mouseup 1
wait_browser hidden || fail "releasing the drag did not close the browser"
sleep 0.3
sample_png "$E2E_DIR/sample-drag.png"
same "$E2E_DIR/sample-keys.png" "$E2E_DIR/sample-drag.png" && fail "the drag did not choose another family"

# Size up and bold, then a click on the drop button closes the open browser
# and does not open it again.
xdotool mousemove $((sx + 40)) $((sy + 8)) click 1
wait_browser shown || fail "the browser did not open a second time"
click_name() {
  local r x y w h
  r=$(probe control class:TfrmFontPreview "$1" | sed -n 's/^rect=//p')
  [ -n "$r" ] || fail "no \"$1\" button in the browser"
  IFS=, read -r x y w h <<<"$r"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  sleep 0.3
}
click_name "font size up"
click_name bold
# The drop button beside the sample: (264 + 86 + 5, 19 + 74 + 8).
xdotool mousemove $((wx + 355)) $((wy + 101)) click 1
wait_browser hidden || fail "a click on the drop button left the browser open"
sleep 0.5
[ -z "$(browser_rect)" ] || fail "the press that closed the browser opened it again"

probe send-close >/dev/null
for _ in $(seq 1 50); do [ "$(probe_value found)" = 0 ] && break; sleep 0.2; done
name=$(reg_text fontName)
[ -n "$name" ] && [ "$name" != Arial ] || fail "the chosen family was not saved (fontName '$name')"
[ "$(probe reg fontSize)" = 16 ] || fail "the size button did not make the font 16 (fontSize $(probe reg fontSize))"
[ "$(probe reg fontBold)" = 1 ] || fail "the bold button did not make the font bold"
note "chose $name"

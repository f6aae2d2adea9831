#!/usr/bin/env bash
# The main window and the close question as a user sees them: the whole window
# on its first tab, on the colour-from-screen tab and on the screenshot tab
# (switched by real clicks), and the message box, look like their reference
# pictures; the box sits centred
# over the main window and owns it while it is open; Escape answers "not now"
# and Kolo stays; Enter answers with the leftmost button, Yes, and Kolo ends.
# KOLO_UPDATE_REFERENCE=1 rewrites the reference pictures instead of comparing.
. "$(dirname "$0")/lib.sh"

# Runs on the same Wine match their references exactly, so the budgets are
# only a few stray text pixels: the smallest whole glyph of the window, the
# close button's cross, is 15 pixels and must not vanish unnoticed.
MAIN_BUDGET=10
BOX_BUDGET=10

wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d 100 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d 100 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 1 /f >/dev/null

start_kolo
kolo_pid=${E2E_PIDS[-1]}
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
main=$(probe_value rect)
[ "$main" = "100,100,364,320" ] || fail "the main window is not 364x320 at the stored place ($main)"
[ "$(probe_value client)" = 364x320 ] || fail "the client area is $(probe_value client), not 364x320: not borderless"

# Off every window: no hover looks, no hint. Two moves, as Wine may pass over
# the first motion after a jump.
away() { xdotool mousemove 900 800; sleep 0.1; xdotool mousemove 905 805; sleep 0.5; }
box_field() { sed -n "s/^$1=//p" <<<"$box"; }
click_close() { # the title strip's close button, reached the way a hand moves there
  xdotool mousemove $((100 + 364 - 20)) $((100 + 8)); sleep 0.2
  xdotool mousemove $((100 + 364 - 9)) $((100 + 7)); sleep 0.2
  xdotool click 1
}

# The whole window as it comes up.
away
for _ in 1 2 3 4 5; do screenshot_kolo "$E2E_DIR/main_window.png" && break; sleep 0.5; done
[ -f "$E2E_DIR/main_window.png" ] || fail "no screenshot of the main window"
[ "$(identify -format '%wx%h' "$E2E_DIR/main_window.png")" = 364x320 ] \
  || fail "the screenshot of the main window is $(identify -format '%wx%h' "$E2E_DIR/main_window.png")"
compare_with_reference main_window "$E2E_DIR/main_window.png" "$MAIN_BUDGET"

# Real clicks on tab buttons switch the pages: the colour tools with the
# magnifier's preview over the palette strip, then the picture tools.
click_tab() { # N
  local x=$((100 + 6 + 21 * $1 + 9))
  xdotool mousemove $((x - 6)) $((100 + 10)); sleep 0.2
  xdotool mousemove "$x" $((100 + 8)); sleep 0.2
  xdotool click 1
  sleep 0.5
}
for tab in 4:colors_tab 5:images_tab; do
  click_tab "${tab%%:*}"
  # Switching saves the settings, the current tab with them.
  [ "$(probe reg crntPage)" = "${tab%%:*}" ] || fail "a click on tab button ${tab%%:*} left tab $(probe reg crntPage) current"
  away
  screenshot_kolo "$E2E_DIR/${tab#*:}.png" || fail "no screenshot of the ${tab#*:}"
  compare_with_reference "main_window_${tab#*:}" "$E2E_DIR/${tab#*:}.png" "$MAIN_BUDGET"
done
click_tab 0

# A real click on the close button asks first.
click_close
box=$(probe message 10) || fail "no message box after clicking the close button"
[ "$(box_field title)" = Confirmation ] || fail "the close question is titled '$(box_field title)'"
[ "$(box_field owned)" = 1 ] || fail "the message box is not owned by the main window"
[ "$(box_field main_enabled)" = 0 ] || fail "the main window still takes input while the box is open"
IFS=, read -r bx by bw bh <<<"$(box_field rect)"
[ "$bx" = $((100 + (364 - bw) / 2)) ] && [ "$by" = $((100 + (320 - bh) / 2)) ] \
  || fail "the box at $bx,$by (${bw}x$bh) is not centred over the main window at 100,100"
away
screenshot_rect "$E2E_DIR/message_box.png" "$(box_field rect)" || fail "no screenshot of the message box"
compare_with_reference message_box "$E2E_DIR/message_box.png" "$BOX_BUDGET"

# Escape refuses the close: the box goes, Kolo goes on as it was.
xdotool key Escape
for _ in $(seq 1 25); do probe message >/dev/null || break; sleep 0.2; done
probe message >/dev/null && fail "Escape did not close the message box"
sleep 0.5
[ "$(probe_value count)" = 1 ] || fail "Kolo ended after Escape"
[ "$(probe_value visible)" = 1 ] || fail "the main window is hidden after Escape"
[ "$(probe_value rect)" = "$main" ] || fail "the main window moved after Escape: $(probe_value rect)"
# Nothing of the box is left on it and the close button looks as before.
away
screenshot_kolo "$E2E_DIR/after_escape.png" || fail "no screenshot of the main window after Escape"
px=$(compare -metric AE -fuzz 8% "$E2E_DIR/main_window.png" "$E2E_DIR/after_escape.png" \
  "$E2E_DIR/after_escape-diff.png" 2>&1 >/dev/null || true)
[ "$px" = 0 ] || fail "the main window looks different after Escape ($px pixels, see $E2E_DIR/after_escape-diff.png)"
box=$(probe message || true)
[ "$(box_field main_enabled)" = 1 ] || fail "the main window takes no input after the box closed"

# Again; Enter answers with the leftmost button, Yes: Kolo ends.
click_close
box=$(probe message 10) || fail "no message box after the second click on the close button"
xdotool key Return
for _ in $(seq 1 25); do [ "$(probe_value count)" = 0 ] && break; sleep 0.2; done
[ "$(probe_value count)" = 0 ] || fail "Enter (Yes) did not close Kolo"
for _ in $(seq 1 25); do kill -0 "$kolo_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$kolo_pid" 2>/dev/null && fail "the Kolo process is still running after Yes"
[ -z "$(xdotool search --name '^Kolo$' 2>/dev/null)" ] || fail "a window named Kolo is left on the display"
note "ok"

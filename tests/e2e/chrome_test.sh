#!/usr/bin/env bash
# The window's chrome with real input: moving band, small mode, tray, Escape,
# second start from the tray, and the clipboard viewer chain.
. "$(dirname "$0")/lib.sh"

wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d 300 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d 200 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null

xy() { probe_value rect | cut -d, -f1,2; }
size() { probe_value rect | cut -d, -f3,4; }
right_edge() { probe_value rect | awk -F, '{print $1 + $3}'; }
tray_window() { xdotool search --name '^Wine System Tray$' 2>/dev/null | head -n1; }
click_tray_icon() {
  local t; t=$(tray_window); [ -n "$t" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$t")"
  xdotool mousemove $((X + 12)) $((Y + 32)) click 1
}

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
[ "$(xy)" = "300,200" ] || fail "not at the stored place: $(xy)"

# A press 17 pixels down is in the client area: dragging there moves nothing.
xdotool mousemove 620 217 mousedown 1 mousemove 640 230 mousemove 660 240 mouseup 1
sleep 0.3
[ "$(xy)" = "300,200" ] || fail "a drag 17 pixels down moved the window to $(xy)"
# Within the top band it moves.
xdotool mousemove 550 205 mousedown 1 mousemove 560 215 mousemove 570 225 mouseup 1
sleep 0.3
[ "$(xy)" = "320,220" ] || fail "a drag on the title strip did not move the window: $(xy)"

# Small mode by its button (right-anchored, 38 pixels from the right edge).
edge=$(right_edge)
xdotool mousemove $((320 + 364 - 34)) $((220 + 7)) click 1
sleep 0.5
[ "$(size)" = "100,15" ] || fail "the small-size button did not shrink the window: $(size)"
[ "$(right_edge)" = "$edge" ] || fail "small mode moved the right edge ($edge -> $(right_edge))"

# Escape (window active) hides it to the tray and saves at that moment.
wine reg delete 'HKCU\Software\Velmora\Kolo' /v x /f >/dev/null 2>&1
xdotool mousemove $((edge - 80)) 227 click 1
xdotool key Escape
for _ in $(seq 1 25); do [ "$(probe_value visible)" = 0 ] && break; sleep 0.2; done
[ "$(probe_value visible)" = 0 ] || fail "Escape did not hide the window"
x=$(wine "$PROBE" reg x | tr -d '\r')
[ "$x" = 320 ] || fail "hiding did not save the full-size left edge (x=$x)"
[ "$(wine "$PROBE" reg runsmall | tr -d '\r')" = 1 ] || fail "small mode was not saved"

# A click on the tray icon brings it back in full size.
click_tray_icon || fail "no tray icon window"
probe wait-visible 10 >/dev/null || fail "the tray click did not show the window"
[ "$(size)" = "364,320" ] || fail "restored from the tray not in full size: $(size)"
[ "$(right_edge)" = "$edge" ] || fail "the full window did not come back at its right edge"

# Hidden again, a second start shows it.
xdotool mousemove $((edge - 80)) 227 click 1 key Escape
for _ in $(seq 1 25); do [ "$(probe_value visible)" = 0 ] && break; sleep 0.2; done
timeout 20 wine "$KOLO_EXE" >/dev/null 2>&1 || fail "the second start did not end"
probe wait-visible 10 >/dev/null || fail "the second start did not show the hidden window"
stop_kolo

# Clipboard chain: a viewer joined before Kolo still hears changes through it,
# also after a viewer that joined after Kolo has left again.
wine "$PROBE" viewer 14 > "$E2E_DIR/before.txt" 2>/dev/null &
viewer_before=$!
sleep 2
start_kolo
probe wait-visible 30 >/dev/null || fail "no window for the chain test"
wine "$PROBE" viewer 12 5 > "$E2E_DIR/after.txt" 2>/dev/null &
viewer_after=$!
sleep 2
set_clipboard "first"
sleep 4
set_clipboard "second"
wait "$viewer_after" || true
wait "$viewer_before" || true
before=$(tr -d '\r' < "$E2E_DIR/before.txt" | sed -n 's/^changes=//p')
after=$(tr -d '\r' < "$E2E_DIR/after.txt" | sed -n 's/^changes=//p')
note "changes seen: joined before Kolo $before, joined after Kolo $after"
[ "${after:-0}" -ge 1 ] || fail "the viewer after Kolo saw no change"
[ "${before:-0}" -ge 2 ] || fail "Kolo did not pass the changes on down the chain (saw ${before:-0})"
note "passed"

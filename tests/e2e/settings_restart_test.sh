#!/usr/bin/env bash
# Settings reach the registry at the save moments and bring the window back
# where it was, on the tab it showed, after a restart.
. "$(dirname "$0")/lib.sh"

reg_dword() { # NAME -> decimal value, or "missing"
  probe_reg=$(wine "$PROBE" reg "$1" 2>/dev/null | tr -d '\r')
  echo "${probe_reg:-missing}"
}

# Seed a position and a tab as a previous run would have left them.
wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d 120 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d 90 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v crntPage /t REG_DWORD /d 2 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
rect=$(probe_value rect)
[ "${rect%%,*}" = 120 ] || fail "window left is not the stored x (rect $rect)"
y=$(echo "$rect" | cut -d, -f2)
[ "$y" = 90 ] || fail "window top is not the stored y (rect $rect)"

# Move the window with the real mouse by its title strip, then close it.
id=$(xdotool search --onlyvisible --name '^Kolo$' | head -n1)
[ -n "$id" ] || fail "no X window for Kolo"
xdotool mousemove 300 97 mousedown 1 mousemove 320 110 mousemove 340 127 mouseup 1
sleep 0.5
rect=$(probe_value rect)
note "after the drag: $rect"
# A real click on the fifth tab button (x 90..108 of the strip) makes it the page.
wx=${rect%%,*}; wy=$(echo "$rect" | cut -d, -f2)
xdotool mousemove $((wx + 99)) $((wy + 8)) click 1
sleep 0.5
wine "$PROBE" send-close >/dev/null
for _ in $(seq 1 50); do [ "$(probe_value count)" = 0 ] && break; sleep 0.2; done
[ "$(probe_value count)" = 0 ] || fail "closing with confirmClose off did not close"

x=$(reg_dword x); y=$(reg_dword y); page=$(reg_dword crntPage)
note "saved x=$x y=$y crntPage=$page"
[ "$page" = 4 ] || fail "the clicked tab was not saved as the page (crntPage=$page)"
[ "$x" = "${rect%%,*}" ] || fail "saved x $x is not where the window was"
[ "$x" != 120 ] || fail "dragging the title strip did not move the window"

# The registry types are what other tools expect.
wine reg query 'HKCU\Software\Velmora\Kolo' /v fontName 2>/dev/null | tr -d '\r' | grep -q 'REG_SZ' \
  || fail "fontName is not a string value"
wine reg query 'HKCU\Software\Velmora\Kolo' /v colors 2>/dev/null | tr -d '\r' | grep -q 'REG_BINARY' \
  || fail "colors is not a binary value"

# Restart: same place.
start_kolo
probe wait-visible 30 >/dev/null || fail "no window after the restart"
rect2=$(probe_value rect)
[ "${rect2%%,*}" = "$x" ] || fail "the restart did not come back at x=$x ($rect2)"
note "passed"

#!/usr/bin/env bash
# The program starts once: the window is there with its class, title and size;
# a second start hands over to the first and ends without a window of its own.
. "$(dirname "$0")/lib.sh"

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
[ "$(probe_value count)" = 1 ] || fail "expected one main window"
[ "$(probe_value client)" = "364x320" ] || fail "client area is $(probe_value client), not 364x320"

# A second start must end at once, create no window, and leave the first as it was.
start=$(date +%s%N)
timeout 20 wine "$KOLO_EXE" >/dev/null 2>&1 || fail "the second start did not end by itself"
note "second start ended after $(( ($(date +%s%N) - start) / 1000000 )) ms"
[ "$(probe_value count)" = 1 ] || fail "the second start created a main window"
[ "$(probe_value visible)" = 1 ] || fail "the first window is no longer visible"
stop_kolo

# Started hidden ("/m"): no visible window; a second start brings it back.
reset_settings
start_kolo /m
probe wait-window 30 >/dev/null || fail "no main window after /m"
sleep 1
[ "$(probe_value visible)" = 0 ] || fail "/m left a visible main window"
timeout 20 wine "$KOLO_EXE" >/dev/null 2>&1 || fail "the second start did not end"
probe wait-visible 10 >/dev/null || fail "the second start did not bring the hidden window back"
[ "$(probe_value count)" = 1 ] || fail "more than one main window"
stop_kolo

# "/M" is not "/m": it starts normally. Unknown arguments are ignored.
reset_settings
start_kolo /M --nonsense
probe wait-visible 30 >/dev/null || fail "/M did not show the main window"
stop_kolo
note "passed"

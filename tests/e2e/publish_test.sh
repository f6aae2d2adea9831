#!/usr/bin/env bash
# Publishing with real clicks against the project's own image service: a shot
# is taken and published; the service holds the PNG, the address comes back
# into the address field (copied out with its button), into "list.bin" and to
# the browser. "View on site" then asks the service whether the picture is
# still there and shows it; with the service gone the user is told.
. "$(dirname "$0")/lib.sh"
trap 'stop_service; stop_all; restore_browser' EXIT
use_test_browser
start_service
SCRN="$E2E_DIR/app/scrn"

place_kolo 300 200
wine reg add 'HKCU\Software\Velmora\Kolo' /v uploadURL /t REG_SZ /d "$SERVICE/kolo/img.php" /f >/dev/null
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
click_at() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click 1; sleep 0.5; }
centre_of() { read -r x y w h <<<"$1"; echo "$((x + w / 2)) $((y + h / 2))"; }
control() { helper locate-text "$1" || fail "no control \"$1\"; windows shown: $(shown_windows)"; }
pages() { tr -d '\r' <"$BROWSER_PAGES" | grep -c . || true; }
wait_pages() { # N: until the browser was given N addresses
  local _
  for _ in $(seq 1 100); do [ "$(pages)" -ge "$1" ] && return 0; sleep 0.2; done
  return 1
}

click_at $((kx + 6 + 21 * 5 + 9)) $((ky + 8))  # the screenshot tab
click_at $(centre_of "$(control "get screenshot")")
click_at $(centre_of "$(control "publish on site")")

# The upload window shows and goes; the address is kept with the new list item.
address=""
for _ in $(seq 1 100); do
  [ -f "$SCRN/list.bin" ] && address=$(tr -d '\r' <"$SCRN/list.bin" | sed -n 's/^[0-9]\{12\}|[^|]*|0|//p' | head -n1)
  [ -n "$address" ] && break
  sleep 0.2
done
[ -n "$address" ] || fail "no published address in list.bin ($(cat "$SCRN/list.bin" 2>/dev/null || true)); windows: $(shown_windows)"
gone_window "Uploading" || fail "the upload window stayed open"
case "$address" in
  "$SERVICE/kolo/img.php?id="*) ;;
  *) fail "list.bin holds '$address', not an address of the service" ;;
esac
id=${address##*id=}
stored="$SERVICE_DATA/images/$id.png"
[ -f "$stored" ] || fail "the service holds no picture $id"
screen=$(xdotool getdisplaygeometry | tr ' ' x)
read -r sw sh <<<"$(xdotool getdisplaygeometry)"
want=$sw
[ "$sw" -gt 1500 ] && want=1500
size=$(identify -format '%wx%h' "$stored")
[ "${size%x*}" = "$want" ] || fail "the service got a ${size} picture for a $screen screen"
wait_pages 1 || fail "the browser was not given the new address"
[ "$(tr -d '\r' <"$BROWSER_PAGES" | sed -n 1p)" = "$address" ] || fail "the browser was given $(cat "$BROWSER_PAGES")"
note "published as $address ($size)"

# The address field holds it: its copy button puts it on the clipboard.
click_at $(centre_of "$(control "copy web address")")
copied=$(xclip -o -selection clipboard 2>/dev/null || true)
[ "$copied" = "$address" ] || fail "the address field's copy gave '$copied'"

# Published and unchanged: the same button now views it, after asking the service.
view=$(control "view on site")
click_at $(centre_of "$view")
wait_pages 2 || fail "viewing the published picture opened nothing"
[ "$(tr -d '\r' <"$BROWSER_PAGES" | sed -n 2p)" = "$address" ] || fail "viewing opened $(sed -n 2p "$BROWSER_PAGES")"
[ "$(find "$SERVICE_DATA/images" -name '*.png' | wc -l)" = 1 ] || fail "viewing sent the picture again"

# The service goes away: the check fails and the user is told.
stop_service
click_at $(centre_of "$view")
msg=$(probe message 15)
echo "$msg" | grep -q '^found=1' || fail "no message when the site cannot be reached; windows: $(shown_windows)"
echo "$msg" | grep -q '^title=Warning' || fail "the message is not a warning: $msg"
SHOT="$E2E_DIR/unreachable.png"
import -window root "$SHOT" 2>/dev/null || true
xdotool key Return
sleep 0.5
[ "$(pages)" = 2 ] || fail "an unreachable site still opened the browser"
note "the check asked the service, and its absence was reported"

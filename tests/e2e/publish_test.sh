#!/usr/bin/env bash
# Publishing with real clicks. First against a server that takes the upload and
# never answers: the upload window stays up until its Cancel is clicked, and
# nothing is kept. Then against the project's own image service: a shot
# is taken and published; the service holds the PNG, the address comes back
# into the address field (copied out with its button), into "list.bin" and to
# the browser. "View on site" then asks the service whether the picture is
# still there and shows it; with the service gone the user is told.
. "$(dirname "$0")/lib.sh"
trap 'stop_service; stop_all; restore_browser' EXIT
use_stand_in_browser
start_service
SCRN="$E2E_DIR/app/scrn"

control() { helper locate-text "$1" || fail "no control \"$1\"; windows shown: $(shown_windows)"; }
start_publishing_to() { # UPLOAD_URL: Kolo on its screenshot tab, sending there
  wine reg add 'HKCU\Software\Velmora\Kolo' /v uploadURL /t REG_SZ /d "$1" /f >/dev/null
  start_kolo
  probe wait-visible 30 >/dev/null || fail "the main window did not appear"
  read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
  sleep 1
  tab_button 5
}
place_kolo 300 200

# --- a server that answers its front page but never an upload ---
STALL_PORT="$E2E_DIR/stall.port"
/usr/bin/python3 - "$STALL_PORT" >/dev/null 2>&1 <<'PY' &
import http.server, sys, time
class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.send_response(200); self.send_header("Content-Length", "2"); self.end_headers(); self.wfile.write(b"up")
    def do_POST(self):
        time.sleep(3600)
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
open(sys.argv[1], "w").write(str(server.server_address[1]))
server.serve_forever()
PY
STALL_PID=$!
trap 'kill $STALL_PID 2>/dev/null || true; stop_service; stop_all; restore_browser' EXIT
for _ in $(seq 1 50); do [ -s "$STALL_PORT" ] && break; sleep 0.1; done
start_publishing_to "http://127.0.0.1:$(cat "$STALL_PORT")/kolo/img.php"
click_at $(centre_of "$(control "get screenshot")")
click_at $(centre_of "$(control "publish on site")")
wait_window "Uploading" || fail "no upload window; windows: $(shown_windows)"
sleep 1
up=$(xdotool search --onlyvisible --name '^Uploading$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$up")"
import -window root -crop 305x118+$X+$Y +repage "$E2E_DIR/uploading.png" 2>/dev/null || true
[ "$(pixel_of "$E2E_DIR/uploading.png" 30 46)" = 0080C0 ] || fail "the progress bar shows nothing sent"
click_at $((X + 305 - 8 - 32)) $((Y + 118 - 8 - 10))  # its Cancel
gone_window "Uploading" || fail "Cancel did not close the upload window"
[ "$(probe message 1 | sed -n 's/^found=//p')" != 1 ] || fail "a cancelled upload showed a message"
[ ! -s "$SCRN/list.bin" ] || fail "a cancelled upload left an address: $(cat "$SCRN/list.bin")"
note "a stalled upload was cancelled with a click"
probe send-close >/dev/null
for _ in $(seq 1 50); do [ "$(probe_value count)" = 0 ] && break; sleep 0.2; done
stop_kolo
kill $STALL_PID 2>/dev/null || true

# --- the image service ---
start_publishing_to "$SERVICE/kolo/img.php"
pages() { tr -d '\r' <"$PAGES" | grep -c . || true; }
wait_pages() { # N: until the browser was given N addresses
  local _
  for _ in $(seq 1 100); do [ "$(pages)" -ge "$1" ] && return 0; sleep 0.2; done
  return 1
}
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
[ "$(tr -d '\r' <"$PAGES" | sed -n 1p)" = "$address" ] || fail "the browser was given $(cat "$PAGES")"
note "published as $address ($size)"

# The address field holds it: its copy button puts it on the clipboard.
click_at $(centre_of "$(control "copy web address")")
copied=$(xclip -o -selection clipboard 2>/dev/null || true)
[ "$copied" = "$address" ] || fail "the address field's copy gave '$copied'"

# Published and unchanged: the same button now views it, after asking the service.
view=$(control "view on site")
click_at $(centre_of "$view")
wait_pages 2 || fail "viewing the published picture opened nothing"
[ "$(tr -d '\r' <"$PAGES" | sed -n 2p)" = "$address" ] || fail "viewing opened $(sed -n 2p "$PAGES")"
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

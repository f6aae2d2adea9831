#!/usr/bin/env bash
# The program update, with real input, over https. The maker's site is a local
# TLS server (a throwaway CA made here signs its certificate) reached through
# the proxy setting, which tunnels every CONNECT to it. It offers the running
# version plus 0.01: the same program with its version number raised, signed
# with the test release key. About shows the new-version button; a click
# downloads it, "Yes" restarts: the old process ends, the new program runs with
# the settings the old one held, and the next start removes "Kolo_last.exe".
# Wine's Schannel checks no server certificate (any certificate for any host is
# taken), so the CA is not installed anywhere and the certificate check itself
# is not under test here; the site answers plain http with 403, so the program
# can only have come over TLS.
. "$(dirname "$0")/lib.sh"
UPDATABLE="$KOLO_BUILD/update/Kolo.exe"  # Kolo.exe trusting the test release key
[ -f "$UPDATABLE" ] || fail "update/Kolo.exe (kolo_update_program) is not built"
cp "$UPDATABLE" "$KOLO_EXE"
APP="$E2E_DIR/app"

# --- the release: this program as version + 0.01, and its signed update files ---
SITE_DIR="$E2E_DIR/site"
mkdir -p "$E2E_DIR/release" "$SITE_DIR/kolo/prg"
NEW_VERSION=$(/usr/bin/python3 - "$KOLO_EXE" "$E2E_DIR/release/Kolo.exe" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
at = data.find(struct.pack("<I", 0xFEEF04BD), data.find("VS_VERSION_INFO".encode("utf-16le")))
major, minor = data[at + 10] | data[at + 11] << 8, data[at + 8] | data[at + 9] << 8
assert at > 0 and minor < 99, "no version resource to raise"
for field in (8, 16):  # file and product version, major.minor
    struct.pack_into("<I", data, at + field, major << 16 | (minor + 1))
open(sys.argv[2], "wb").write(data)
print("%d.%02d" % (major, minor + 1))
PY
) || fail "could not make the new release"
"$KOLO_SOURCE/scripts/update-files.sh" "$E2E_DIR/release/Kolo.exe" "$NEW_VERSION" \
  "$KOLO_SOURCE/tests/data/publish/test_release_key.pem" "$SITE_DIR/kolo/prg" >/dev/null
BIN=$(ls "$SITE_DIR/kolo/prg/"*.bin)

# --- the site: TLS with a certificate for the maker's host, behind a CONNECT proxy ---
SITE=$(sed -n 's/^KOLO_MAKER_SITE:STRING=//p' "$KOLO_BUILD/CMakeCache.txt")
[ -n "$SITE" ] || SITE=$(sed -n 's/^#define KOLO_MAKER_SITE "\(.*\)"$/\1/p' "$KOLO_SOURCE/src/frame/settings.h")
HOST=${SITE#https://}
HOST=${HOST%%[:/]*}
TLS="$E2E_DIR/tls"
mkdir -p "$TLS"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kolo test CA" -keyout "$TLS/ca.key" \
  -out "$TLS/ca.crt" -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign" 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=$HOST" -keyout "$TLS/site.key" -out "$TLS/site.csr" 2>/dev/null
printf 'subjectAltName=DNS:%s\nextendedKeyUsage=serverAuth\n' "$HOST" >"$TLS/site.ext"
openssl x509 -req -days 2 -in "$TLS/site.csr" -CA "$TLS/ca.crt" -CAkey "$TLS/ca.key" -CAcreateserial \
  -extfile "$TLS/site.ext" -out "$TLS/site.crt" 2>/dev/null || fail "could not make the site's certificate"
/usr/bin/python3 - "$SITE_DIR" "$TLS/site.crt" "$TLS/site.key" "$E2E_DIR/site.port" \
  >"$E2E_DIR/site.log" 2>&1 <<'PY' &
import http.server, ssl, sys
root, cert, key, port_file = sys.argv[1:5]
tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
tls.load_cert_chain(cert, key)
class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=root, **kwargs)
    def do_GET(self):
        if not isinstance(self.connection, ssl.SSLSocket):
            self.send_error(403, "https only")
            return
        super().do_GET()
    def do_CONNECT(self):  # whatever host is asked for, the tunnel ends here, in TLS
        self.send_response(200, "Connection established")
        self.end_headers()
        self.wfile.flush()
        self.connection = tls.wrap_socket(self.connection, server_side=True)
        self.rfile, self.wfile = self.connection.makefile("rb"), self.connection.makefile("wb")
        self.close_connection = False
    def log_message(self, fmt, *args):
        print(("tls " if isinstance(self.connection, ssl.SSLSocket) else "") + fmt % args, flush=True)
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
open(port_file, "w").write(str(server.server_address[1]))
server.serve_forever()
PY
SITE_PID=$!
trap 'kill $SITE_PID 2>/dev/null || true; stop_all' EXIT
for _ in $(seq 1 50); do [ -s "$E2E_DIR/site.port" ] && break; sleep 0.1; done
[ -s "$E2E_DIR/site.port" ] || fail "the site did not start ($(cat "$E2E_DIR/site.log"))"

# --- Kolo finds the update ---
place_kolo 300 200
wine reg add 'HKCU\Software\Velmora\Kolo' /v proxy /t REG_SZ /d "127.0.0.1:$(cat "$E2E_DIR/site.port")" /f >/dev/null
start_kolo
old_wine=${E2E_PIDS[0]}
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
old_pid=$(probe_value pid)
old_version=$(probe_value version)
[ -n "$old_pid" ] && [ -n "$old_version" ] || fail "the probe sees no process or version"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
control_rect() { probe control "$1" "$2" | sed -n 's/^rect=//p' | tr ',' ' ' || true; }
away() { xdotool mousemove 900 700; sleep 0.1; xdotool mousemove 905 705; sleep 0.5; }
pin_look() { # FILE: the stay-on-top button as it is drawn, the pointer elsewhere
  away
  screenshot_rect "$1" "$(probe control Kolo "stay on top" | sed -n 's/^rect=//p')"
}
differing() { compare -metric AE -fuzz 8% "$1" "$2" /dev/null 2>&1 || true; }
# A setting the old program holds only in memory until it saves: stay on top.
pin_look "$E2E_DIR/pin_off.png"
read -r px py pw ph <<<"$(control_rect Kolo "stay on top")"
xdotool mousemove $((px - 6)) $((py + ph / 2)); sleep 0.2
click_at $((px + pw / 2)) $((py + ph / 2))
pin_look "$E2E_DIR/pin_on.png"
[ "$(differing "$E2E_DIR/pin_off.png" "$E2E_DIR/pin_on.png")" != 0 ] || fail "the stay-on-top button did not turn on"
[ "$(probe reg stayonTop)" != 1 ] || fail "stay on top was saved at once; the restart would prove nothing"

xdotool mousemove $((kx + 250)) $((ky + 7)) click 3  # the window's menu; its last item is About...
IFS=, read -r mx my mw mh <<<"$(probe menu 5 | sed -n 's/^rect=//p')"
[ -n "${mh:-}" ] || fail "no window menu"
xdotool mousemove $((mx + mw / 2)) $((my + mh - 6)) click 1
wait_window About || fail "no About window; windows: $(shown_windows)"
button=""
for _ in $(seq 1 100); do
  button=$(control_rect About "Get new version")
  [ -n "$button" ] && break
  sleep 0.2
done
[ -n "$button" ] || fail "version $NEW_VERSION was not offered ($(cat "$E2E_DIR/site.log"))"
click_at $(centre_of "$button")

# --- downloaded and installed; "Yes" restarts ---
probe message 60 | grep -q '^found=1' || fail "no message after the download; site: $(cat "$E2E_DIR/site.log")"
yes=$(control_rect class:TfrmMessage Yes)
[ -n "$yes" ] || fail "the question has no Yes button"
grep -q "GET /kolo/prg/$(basename "$BIN").sig" "$E2E_DIR/site.log" || fail "the signature was not fetched"
cmp -s "$APP/Kolo.exe" "$BIN" || fail "Kolo.exe is not the downloaded program"
cmp -s "$APP/Kolo_last.exe" "$UPDATABLE" || fail "the old program was not kept as Kolo_last.exe"
click_at $(centre_of "$yes")

for _ in $(seq 1 100); do kill -0 "$old_wine" 2>/dev/null || break; sleep 0.2; done
kill -0 "$old_wine" 2>/dev/null && fail "the old Kolo is still running after Yes"
probe wait-visible 30 >/dev/null || fail "the new Kolo did not start"
[ "$(probe_value count)" = 1 ] || fail "$(probe_value count) main windows after the restart"
new_pid=$(probe_value pid)
[ "$new_pid" != "$old_pid" ] || fail "the same process runs on"
[ "$(probe_value version)" = "$NEW_VERSION" ] || fail "the running program is version $(probe_value version), not $NEW_VERSION"
[ "$(probe reg stayonTop)" = 1 ] || fail "the old program did not save its settings before the restart"
pin_look "$E2E_DIR/pin_new.png"
[ "$(differing "$E2E_DIR/pin_on.png" "$E2E_DIR/pin_new.png")" = 0 ] || fail "the new program is not on top"
[ ! -e "$APP/Kolo_new.exe" ] || fail "Kolo_new.exe was left behind"
grep -q "CONNECT $HOST:443" "$E2E_DIR/site.log" && grep -q "^tls.*GET /kolo/prg/$(basename "$BIN") " \
  "$E2E_DIR/site.log" || fail "the program did not come over https: $(cat "$E2E_DIR/site.log")"
note "version $old_version (process $old_pid) was replaced by $(probe_value version) (process $new_pid) over https"

# --- the next start removes the old program ---
probe send-close >/dev/null
for _ in $(seq 1 50); do [ "$(probe_value count)" = 0 ] && break; sleep 0.2; done
[ "$(probe_value count)" = 0 ] || fail "the new Kolo did not close"
stop_kolo
start_kolo
probe wait-visible 30 >/dev/null || fail "Kolo did not start again"
[ ! -e "$APP/Kolo_last.exe" ] || fail "Kolo_last.exe is still there after the next start"
note "the next start removed Kolo_last.exe"

# Shared set-up of the end-to-end scenarios: the real Kolo.exe in its own
# folder, under Wine in a prefix of its own, on the test display.
set -euo pipefail
: "${KOLO_BUILD:?set by ctest}"
: "${KOLO_SOURCE:?set by ctest}"
. "$KOLO_SOURCE/scripts/wine-env.sh"
kolo_wine_env "$KOLO_BUILD" wine-e2e
kolo_ensure_display
kolo_ensure_prefix
kolo_ensure_server

E2E_NAME=$(basename "$0" .sh)
[ "${KOLO_SCALE:-1}" = 1 ] || E2E_NAME+="_${KOLO_SCALE}x"
E2E_DIR="$KOLO_BUILD/e2e/$E2E_NAME"
rm -rf "$E2E_DIR"
mkdir -p "$E2E_DIR/app"
cp "$KOLO_BUILD/Kolo.exe" "$E2E_DIR/app/"
KOLO_EXE="$E2E_DIR/app/Kolo.exe"
PROBE="$KOLO_BUILD/kolo_probe.exe"
E2E_PIDS=()

fail() { echo "FAIL [$E2E_NAME]: $*" >&2; exit 1; }
note() { echo "[$E2E_NAME] $*"; }

probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
probe_value() { probe state | sed -n "s/^$1=//p"; }

start_kolo() {
  wine "$KOLO_EXE" "$@" >/dev/null 2>&1 &
  E2E_PIDS+=($!)
}

reset_settings() {
  wine reg delete 'HKCU\Software\Velmora\Kolo' /f >/dev/null 2>&1 || true
}

# Puts text on the X clipboard; xclip keeps serving it in the background until
# the test ends (its output is detached so it holds no pipe of the caller).
E2E_XCLIP=()
set_clipboard() {
  printf '%s' "$1" | xclip -quiet -selection clipboard >/dev/null 2>&1 &
  E2E_XCLIP+=($!)
  sleep 0.3
}

stop_kolo() {
  wine "$PROBE" terminate >/dev/null 2>&1 || true
  local p
  for p in "${E2E_PIDS[@]:-}"; do [ -n "$p" ] && wait "$p" 2>/dev/null || true; done
  E2E_PIDS=()
}

# Screenshot of the X window titled Kolo, into $1.
screenshot_kolo() {
  local out=$1 id
  id=$(xdotool search --onlyvisible --name '^Kolo$' | head -n1) || true
  [ -n "$id" ] || return 1
  import -window "$id" "$out" 2>/dev/null
}

stop_all() {
  stop_kolo
  local p
  for p in "${E2E_XCLIP[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
}
# The screen's density: KOLO_SCALE times 96 dpi (1 unless a scenario runs on a
# dense screen). Set at every start, so no scenario inherits another's.
KOLO_SCALE=${KOLO_SCALE:-1}
set_screen_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$((96 * KOLO_SCALE))" /f >/dev/null 2>&1
}

trap 'stop_all' EXIT
stop_kolo  # nothing left over from an earlier run
reset_settings
set_screen_dpi

# Screen tools see global mouse input only inside a Wine virtual desktop, and
# every process taking part must be on the same one. This moves the scenario to
# a prefix of its own whose default desktop is a virtual desktop the size of
# the X screen, so plain `wine` runs (Kolo, the probe, helpers) all land there;
# desktop and plain runs never share a wineserver.
use_virtual_desktop() {
  local size
  size=$(xdotool getdisplaygeometry | tr ' ' x)
  kolo_wine_env "$KOLO_BUILD" wine-e2e-desktop
  kolo_ensure_prefix
  kolo_ensure_server
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d kolo /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v kolo /t REG_SZ /d "$size" /f >/dev/null 2>&1
  stop_kolo
  reset_settings
  set_screen_dpi
}

# The colour of pixel (x, y) of a screenshot as RRGGBB.
pixel_of() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tail -n1
}

# Compares picture $2 with the reference tests/data/e2e/$1.png: fails when more
# than $3 pixels differ by over 8% (room for text drawn a little differently by
# another Wine or font set). KOLO_UPDATE_REFERENCE=1 writes $2 as the reference.
compare_with_reference() {
  local name=$1 picture=$2 budget=$3
  local ref="$KOLO_SOURCE/tests/data/e2e/$name.png" diff="$E2E_DIR/$name-diff.png" px
  if [ "${KOLO_UPDATE_REFERENCE:-0}" = 1 ]; then
    mkdir -p "$(dirname "$ref")"
    cp "$picture" "$ref"
    note "reference picture written to $ref"
    return 0
  fi
  [ -f "$ref" ] || fail "no reference picture $ref (KOLO_UPDATE_REFERENCE=1 writes it)"
  local got want
  got=$(identify -format '%wx%h' "$picture" 2>/dev/null) || got="unreadable"
  want=$(identify -format '%wx%h' "$ref" 2>/dev/null) || want="unreadable"
  [ "$got" = "$want" ] || fail "$name is $got, its reference $want ($picture)"
  px=$(compare -metric AE -fuzz 8% "$picture" "$ref" "$diff" 2>&1 >/dev/null || true)
  note "$name differs from the reference in $px pixels (at most $budget allowed)"
  case "$px" in ''|*[!0-9]*) fail "could not compare $name with its reference ($px)";; esac
  [ "$px" -le "$budget" ] || fail "$name looks different from the reference ($px pixels, see $diff)"
}

# Screenshot of the screen rectangle X,Y,W,H (as the probe prints it) into $1.
screenshot_rect() {
  local out=$1 x y w h
  IFS=, read -r x y w h <<<"$2"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out" 2>/dev/null
}

# The stripes program (kolo_picker_helper): red, green and blue stripes of 100
# pixels from x = 40, y 40..279, logging what reaches it to the file $1.
# Returns once it is up; its process id is in STRIPES_PID. `helper close` ends it.
HELPER="$KOLO_BUILD/kolo_picker_helper.exe"
helper() { wine "$HELPER" "$@" 2>/dev/null | tr -d '\r'; }
start_stripes() {
  [ -f "$HELPER" ] || fail "kolo_picker_helper.exe is not built"
  : >"$1"
  wine "$HELPER" paint 40 40 400 240 "$(winepath -w "$1")" >/dev/null 2>&1 &
  STRIPES_PID=$!
  local _
  for _ in $(seq 1 100); do grep -q ready "$1" && break; sleep 0.1; done
  grep -q ready "$1" || fail "the helper program did not start"
}

# Kolo's window at (x, y) and no close question; kolocli and Windows paths for
# the scenarios that check files.
place_kolo() {
  wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d "$1" /f >/dev/null
  wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d "$2" /f >/dev/null
  wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null
}
KOLOCLI="$KOLO_BUILD/tools/kolocli/kolocli.exe"
winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }

wait_window() { # TITLE: wait until a visible window has it
  local i
  for i in $(seq 1 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}
gone_window() { # TITLE: wait until no visible window has it
  local i
  for i in $(seq 1 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}
# TITLE FILE: types the file's Windows path into the open or save dialog and
# confirms it. A freshly made prefix can show the dialog before its name field
# takes keys, so the typed text is read back and typed again until it is whole.
file_dialog() {
  local path typed="" i
  path=$(winpath "$2")
  wait_window "$1" || fail "no \"$1\" dialog"
  for i in 1 2 3 4 5 6 7 8; do
    sleep 0.5
    if [ "$i" -gt 2 ] && [ -z "$typed" ]; then
      # Nothing arrived: the keys went to another window. Give the dialog the keyboard.
      local id
      id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
      [ -n "$id" ] && xdotool windowfocus "$id" 2>/dev/null || true
      sleep 0.3
    fi
    xdotool key ctrl+a
    xdotool type --delay 20 "$path"
    typed=$(probe focus-text "$1" | sed -n 's/^focus=//p')
    [ "$typed" = "$path" ] && break
  done
  [ "$typed" = "$path" ] || fail "the \"$1\" dialog's name field holds '$typed', not '$path'"
  xdotool key Return
  gone_window "$1" || fail "the \"$1\" dialog did not close; windows shown: $(shown_windows)"
  sleep 0.5
}
shown_windows() { # the titles of the visible windows, for failure messages
  xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do
    printf '"%s" ' "$(xdotool getwindowname "$w" 2>/dev/null)"
  done
}

# kolo_browser stands in for the web browser: it writes each address it is
# given to $PAGES. Call restore_browser when the scenario ends (in its trap):
# the prefix's own .htm class comes back.
use_stand_in_browser() {
  BROWSER="$KOLO_BUILD/kolo_browser.exe"
  [ -f "$BROWSER" ] || fail "kolo_browser.exe is not built"
  PAGES="$E2E_DIR/pages.txt"
  : > "$PAGES"
  HTM_BEFORE=$(wine reg query 'HKCR\.htm' /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p' || true)
  wine reg add 'HKCR\.htm' /ve /d KoloE2E.Page /f >/dev/null
  wine reg add 'HKCR\KoloE2E.Page\shell\open\command' /ve \
    /d "\"$(winpath "$BROWSER")\" \"$(winpath "$PAGES")\" \"%1\"" /f >/dev/null
}
restore_browser() {
  if [ -n "${HTM_BEFORE:-}" ]; then
    wine reg add 'HKCR\.htm' /ve /d "$HTM_BEFORE" /f >/dev/null 2>&1 || true
  else
    wine reg delete 'HKCR\.htm' /f >/dev/null 2>&1 || true
  fi
  wine reg delete 'HKCR\KoloE2E.Page' /f >/dev/null 2>&1 || true
}
wait_page() { # N PAGE: wait until the browser's Nth address is the help page PAGE
  local i
  for i in $(seq 1 50); do
    tr -d '\r' < "$PAGES" | sed -n "$1p" | grep -q "/kolo/?cl=en&m=manual&s=$2\$" && return 0
    sleep 0.2
  done
  return 1
}
# Real clicks and what a scenario reads off the screen. tab_button needs the
# main window's corner in kx, ky.
click_at() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click 1; sleep 0.5; }
centre_of() { # "X Y W H" as the helpers print a rectangle
  local x y w h
  read -r x y w h <<<"$1"
  echo "$((x + w / 2)) $((y + h / 2))"
}
tab_button() { click_at $((kx + (6 + 21 * $1 + 9) * KOLO_SCALE)) $((ky + 8 * KOLO_SCALE)); }
screen_pixel() { # X Y: the screen's pixel as RRGGBB
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tail -n1
}

# Kolo's image service (server/) on a free loopback port, its data in $E2E_DIR/service.
# SERVICE is its address; stop_service ends it (also at exit through stop_all's caller).
start_service() {
  SERVICE_PORT=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  SERVICE="http://127.0.0.1:$SERVICE_PORT"
  SERVICE_DATA="$E2E_DIR/service"
  /usr/bin/python3 "$KOLO_SOURCE/server/kolo_service.py" --port "$SERVICE_PORT" --data "$SERVICE_DATA" \
    >"$E2E_DIR/service.log" 2>&1 &
  SERVICE_PID=$!
  local _
  for _ in $(seq 1 100); do
    /usr/bin/python3 -c "import urllib.request,sys; urllib.request.urlopen(sys.argv[1], timeout=1)" "$SERVICE/" \
      2>/dev/null && return 0
    sleep 0.1
  done
  fail "the image service did not start ($(cat "$E2E_DIR/service.log"))"
}
stop_service() {
  [ -n "${SERVICE_PID:-}" ] && kill "$SERVICE_PID" 2>/dev/null && wait "$SERVICE_PID" 2>/dev/null || true
  SERVICE_PID=""
}

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
trap 'stop_all' EXIT
stop_kolo  # nothing left over from an earlier run
reset_settings

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
}

# The colour of pixel (x, y) of a screenshot as RRGGBB.
pixel_of() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tail -n1
}

# Sourced by the Wine scripts: one prefix per build folder, never ~/.wine.
# Usage: kolo_wine_env BUILD_DIR [PREFIX_NAME]
kolo_wine_env() {
  local build=$1 name=${2:-wine-prefix}
  export WINEPREFIX="$build/$name"
  export WINEDEBUG=-all
  export WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  KOLO_WINE_STATE="$build/wine-state"
  mkdir -p "$KOLO_WINE_STATE"
}

# Starts a virtual X display when none is set, remembering its process id so that
# only it is stopped later. Reuses one this build started earlier.
kolo_ensure_display() {
  if [ -n "${DISPLAY:-}" ]; then return; fi
  local pidf="$KOLO_WINE_STATE/xvfb.pid" dispf="$KOLO_WINE_STATE/xvfb.display"
  if [ -f "$pidf" ] && kill -0 "$(cat "$pidf")" 2>/dev/null; then
    export DISPLAY=$(cat "$dispf"); return
  fi
  local n=${KOLO_XVFB_SCREEN:-1280x1024x24} d
  for d in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ] && continue
    Xvfb ":$d" -screen 0 "$n" -nolisten tcp -noreset >/dev/null 2>&1 &
    echo $! > "$pidf"; echo ":$d" > "$dispf"
    local i; for i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$d" ] && break; sleep 0.1; done
    export DISPLAY=":$d"; return
  done
  echo "wine-run: no free X display number" >&2; return 1
}

# Creates the prefix once: no window manager management, the full Wine font set.
kolo_ensure_prefix() {
  local ready="$WINEPREFIX/.kolo-ready"
  [ -f "$ready" ] && return
  exec 8>"$KOLO_WINE_STATE/prefix.lock"; flock 8
  if [ ! -f "$ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wineserver -w
    touch "$ready"
  fi
  flock -u 8; exec 8>&-
}

# Keeps one wineserver alive for the prefix so later starts are fast.
kolo_ensure_server() {
  local pidf="$KOLO_WINE_STATE/$(basename "$WINEPREFIX").server.pid"
  if [ -f "$pidf" ] && kill -0 "$(cat "$pidf")" 2>/dev/null; then return; fi
  wineserver -p -f >/dev/null 2>&1 &
  echo $! > "$pidf"
  sleep 0.2
  # Start Wine's own services now, detached from our output: started later by a
  # test program they would inherit its pipes and keep them open after it ends.
  wineboot >/dev/null 2>&1 </dev/null || true
}

kolo_find_build() { # a file inside a build folder -> that build folder
  local d; d=$(cd "$(dirname "$1")" && pwd)
  while [ "$d" != / ]; do [ -f "$d/CMakeCache.txt" ] && { echo "$d"; return; }; d=$(dirname "$d"); done
  return 1
}

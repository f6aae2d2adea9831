#!/usr/bin/env bash
# Builds Kolo if needed and runs it under Wine. With a display (DISPLAY set) it
# runs there until you close it; without one it starts in a virtual display,
# saves a screenshot of the running window and prints its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export KOLO_CACHE=${KOLO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kolo-deps}

"$root/scripts/deps.sh"
cmake --preset win >/dev/null
cmake --build --preset win -j "$(nproc)" --target Kolo

build="$root/build/win"
. "$root/scripts/wine-env.sh"
kolo_wine_env "$build" wine-run

if [ -n "${DISPLAY:-}" ]; then
  kolo_ensure_prefix
  exec wine "$build/Kolo.exe" "$@"
fi

trap '"$root/scripts/wine-stop.sh" "$build"' EXIT
kolo_ensure_display
kolo_ensure_prefix
kolo_ensure_server
wine "$build/Kolo.exe" "$@" >/dev/null 2>&1 &
kolo=$!
id=""
for _ in $(seq 1 100); do
  id=$(xdotool search --onlyvisible --name '^Kolo$' 2>/dev/null | head -n1) || true
  [ -n "$id" ] && break
  sleep 0.2
done
[ -n "$id" ] || { echo "run: the Kolo window did not appear" >&2; exit 1; }
sleep 1.5
shot="$build/kolo-screenshot.png"
import -window "$id" "$shot"
echo "Kolo is running in a virtual display; screenshot of its window: $shot"
wineserver -k 2>/dev/null || true
wait "$kolo" 2>/dev/null || true

#!/usr/bin/env bash
# Stops what the Wine scripts started for a build folder, by the ids they recorded.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
build=${1:-$here/../build/win}
build=$(cd "$build" 2>/dev/null && pwd) || exit 0
state="$build/wine-state"
[ -d "$state" ] || exit 0
for pidf in "$state"/*.server.pid; do
  [ -f "$pidf" ] || continue
  name=$(basename "$pidf" .server.pid)
  WINEPREFIX="$build/$name" wineserver -k 2>/dev/null || true
  pid=$(cat "$pidf"); kill "$pid" 2>/dev/null || true
  rm -f "$pidf"
done
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  rm -f "$state/xvfb.pid" "$state/xvfb.display"
fi
exit 0

#!/usr/bin/env bash
# The screenshot list benchmark: 100 screenshots of 1920x1080 loaded into the
# list under Wine (the pictures are made once, in build/win/bench/scrn).
# Usage: bench/image_list.sh [RUNS]   (default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-5}
"$root/scripts/deps.sh" >/dev/null
cmake --preset win >/dev/null
cmake --build --preset win -j 2 --target kolo_image_list_bench >/dev/null

build="$root/build/win"
. "$root/scripts/wine-env.sh"
kolo_wine_env "$build" wine-bench
trap '"$root/scripts/wine-stop.sh" "$build"' EXIT
unset DISPLAY
kolo_ensure_display
kolo_ensure_prefix
kolo_ensure_server
mkdir -p "$build/bench/scrn"
wine "$build/bench/kolo_image_list_bench.exe" "$(winepath -w "$build/bench/scrn")" "$runs" 2>/dev/null | tr -d '\r'

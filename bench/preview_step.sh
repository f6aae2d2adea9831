#!/usr/bin/env bash
# The preview window's step to a neighbour loaded ahead, under Wine in a
# virtual display. Usage: bench/preview_step.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset win >/dev/null
cmake --build --preset win -j2 --target kolo_preview_step >/dev/null
build="$root/build/win"
. "$root/scripts/wine-env.sh"
kolo_wine_env "$build" wine-bench
unset DISPLAY
kolo_ensure_display
kolo_ensure_prefix
kolo_ensure_server
wine "$build/bench/kolo_preview_step.exe" 2>/dev/null | tr -d '\r'

#!/usr/bin/env bash
# The screenshot list benchmark: 100 screenshots of 1920x1080 loaded into the
# list under Wine (the pictures are made once, in build/win/bench/scrn).
# Usage: bench/image_list.sh [RUNS]   (default 5)
runs=${1:-5}
. "$(dirname "$0")/lib.sh" kolo_image_list_bench
mkdir -p "$build/bench/scrn"
wine "$build/bench/kolo_image_list_bench.exe" "$(winepath -w "$build/bench/scrn")" "$runs" 2>/dev/null | tr -d '\r'

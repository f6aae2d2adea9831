#!/usr/bin/env bash
# Start-up benchmark: Kolo against a bare 364x320 Win32 window, side by side
# under the same warm Wine (started in turn, medians of RUNS), plus the size of
# the shipped Kolo.exe. Usage: bench/startup.sh [RUNS]   (default 7)
runs=${1:-7}
. "$(dirname "$0")/lib.sh" Kolo kolo_launch kolo_bare_window

# Kolo runs from its own folder (it writes its hook library beside itself).
dir="$build/bench/kolo"
mkdir -p "$dir"
cp "$build/Kolo.exe" "$dir/Kolo.exe"
wine "$build/bench/kolo_launch.exe" "$runs" "Kolo=$(winepath -w "$dir/Kolo.exe")" \
  "bare=$(winepath -w "$build/bench/kolo_bare_window.exe")" 2>/dev/null | tr -d '\r'
size=$(stat -c %s "$build/Kolo.exe")
printf 'Kolo.exe %d bytes (%s MB), stripped: %s\n' "$size" "$(awk -v s="$size" 'BEGIN { printf "%.2f", s / 1048576 }')" \
  "$(x86_64-w64-mingw32-objdump -h "$build/Kolo.exe" | grep -q '\.debug_' && echo no || echo yes)"

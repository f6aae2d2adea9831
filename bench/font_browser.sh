#!/usr/bin/env bash
# Font browser benchmark under Wine: 1,000 generated font families (copies of
# Wine's Marlett, each renamed) are installed for the run, then the browser is
# opened and painted. Each process's first opening is the one a user waits
# for (GDI+ starts and reads every family); RUNS processes are started.
# Usage: bench/font_browser.sh [COUNT] [RUNS]   (defaults 1000 and 5)
count=${1:-1000}
runs=${2:-5}
. "$(dirname "$0")/lib.sh" kolo_font_bench

fonts="$build/bench/fonts-$count"
if [ ! -f "$fonts/kolo_bench_$(printf %04d "$count").ttf" ]; then
  rm -rf "$fonts"
  python3 "$root/bench/fonts/make_fonts.py" /usr/share/wine/fonts/marlett.ttf "$fonts" "$count"
fi
echo "without the generated fonts:"
wine "$build/bench/kolo_font_bench.exe" "" 5 2>/dev/null | tr -d '\r'
for i in $(seq 1 "$runs"); do
  echo "with $count generated fonts, process $i:"
  wine "$build/bench/kolo_font_bench.exe" "$(winepath -w "$fonts" | tr -d '\r')" 5 2>/dev/null | tr -d '\r'
done

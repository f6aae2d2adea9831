#!/usr/bin/env bash
# GIF writing as whole processes, side by side: Kolo's writer (adaptive
# palette) against ImageMagick's `convert -colors 255` on the same 1920x1080
# pictures, a screenshot-like and a photo-like one. Medians of RUNS wall times
# and the peak resident memory. Usage: bench/gif_write.sh [RUNS]   (default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
cmake --preset host >/dev/null
cmake --build --preset host -j2 --target kolo_gif_write >/dev/null
tool="$root/build/host/tests/kolo_gif_write"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A desktop-like screenshot: flat panels, title bars, text; and a photo-like plasma.
convert -size 1920x1080 xc:'#F0F0F0' \
  -fill '#2B579A' -draw 'rectangle 0,0 1919,30' -fill white -draw 'rectangle 40,60 900,1000' \
  -fill '#E1E1E1' -draw 'rectangle 960,60 1880,520' -fill '#1E1E1E' -draw 'rectangle 960,560 1880,1000' \
  -font "$(fc-match -f %{file} sans)" -fill black -pointsize 14 -annotate +60,100 "$(printf 'The quick brown fox jumps over the lazy dog %.0s' {1..12})" \
  -fill '#333333' -pointsize 12 -annotate +60,140 "$(seq -s ' ' 1 200)" \
  -fill '#DDDDDD' -pointsize 13 -annotate +980,600 "$(printf 'int main() { return 0; } %.0s' {1..20})" \
  -depth 8 "$work/screenshot.ppm"
convert -seed 42 -size 1920x1080 plasma:fractal -blur 0x1 -depth 8 "$work/photo.ppm"

measure() {  # CMD...: prints "seconds peak_kib" of one run
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1
  cat "$work/time"
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

printf '%-12s %-12s %10s %12s %10s\n' picture writer seconds peak_MiB gif_KiB
for pic in screenshot photo; do
  for writer in kolo imagemagick; do
    : >"$work/t"; : >"$work/m"
    for _ in $(seq 1 "$runs"); do
      if [ $writer = kolo ]; then
        r=$(measure "$tool" "$work/$pic.ppm" "$work/$pic-$writer.gif")
      else
        r=$(measure convert "$work/$pic.ppm" -colors 255 "$work/$pic-$writer.gif")
      fi
      echo "${r% *}" >>"$work/t"; echo "${r#* }" >>"$work/m"
    done
    printf '%-12s %-12s %10s %12.1f %10d\n' "$pic" "$writer" "$(median <"$work/t")" \
      "$(awk -v k="$(median <"$work/m")" 'BEGIN { print k / 1024 }')" $(( $(stat -c %s "$work/$pic-$writer.gif") / 1024 ))
  done
done

#!/usr/bin/env bash
# The include check passes on the real tree and names an upward include, a
# feature folder reaching another, and a portable file pulling in Windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
check="$root/scripts/check-layers.py"
python3 "$check" "$root/src"

tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/src/widgets/win" "$tmp/src/tools/win" "$tmp/src/palette" "$tmp/src/app/win"
echo '#include "frame/settings.h"' > "$tmp/src/widgets/win/a.cpp"
echo '#include "palette/win/palette_strip.h"' > "$tmp/src/tools/win/b.cpp"
echo '#include <windows.h>' > "$tmp/src/palette/c.cpp"
echo '#include "tools/win/get_color_tab.h"' > "$tmp/src/app/win/fine.cpp"
if out=$(python3 "$check" "$tmp/src" 2>&1); then echo "check passed a bad tree"; exit 1; fi
for want in "widgets/win/a.cpp:1" "tools/win/b.cpp:1" "palette/c.cpp:1"; do
  grep -q "$want" <<<"$out" || { echo "not reported: $want"; echo "$out"; exit 1; }
done
if grep -q "fine.cpp" <<<"$out"; then echo "app including a tab was refused"; exit 1; fi
echo "layers check: 1 passed, 0 failed"

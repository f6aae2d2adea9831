#!/usr/bin/env bash
# Runs every test of Kolo: host unit tests (plain and with ASan/UBSan), then the
# Windows unit tests under Wine, then the end-to-end scenarios with the real
# program. Installs and builds whatever is missing first. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export KOLO_CACHE=${KOLO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kolo-deps}
jobs=${KOLO_JOBS:-$(nproc)}

"$root/scripts/deps.sh"

step() { printf '\n=== %s (%s) ===\n' "$*" "$(date +%T)"; }
failed=()

run_preset() { # name
  local p=$1
  step "configure and build: $p"
  cmake --preset "$p" >/dev/null
  cmake --build --preset "$p" -j "$jobs"
  step "tests: $p"
  ctest --preset "$p" -j "$jobs" || failed+=("$p")
}

run_preset host
run_preset host-asan

step "configure and build: win"
cmake --preset win >/dev/null
cmake --build --preset win -j "$jobs"

# One virtual display and one wineserver per Wine prefix for all Windows tests;
# only what these scripts started is stopped afterwards.
trap '"$root/scripts/wine-stop.sh" "$root/build/win"' EXIT
. "$root/scripts/wine-env.sh"
kolo_wine_env "$root/build/win"
unset DISPLAY
kolo_ensure_display
export DISPLAY KOLO_BUILD="$root/build/win"
step "tests: win (unit tests under Wine, then end-to-end)"
ctest --preset win || failed+=(win)

step "release: installer, portable zip, signatures, reproducible build"
"$root/tests/release/release_test.sh" || failed+=(release)

if [ ${#failed[@]} -gt 0 ]; then
  echo
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo
echo "All Kolo tests passed ($(date +%T))."

# Shared start of the Wine benchmarks: builds the given targets of the Windows
# build and brings up its benchmark prefix (display, prefix, wine server), which
# is stopped when the script ends. Sets root and build.
# Usage: . bench/lib.sh TARGET...
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh" >/dev/null
cmake --preset win >/dev/null
cmake --build --preset win -j "$(nproc)" --target "$@" >/dev/null

build="$root/build/win"
. "$root/scripts/wine-env.sh"
kolo_wine_env "$build" wine-bench
trap '"$root/scripts/wine-stop.sh" "$build"' EXIT
unset DISPLAY
kolo_ensure_display
kolo_ensure_prefix
kolo_ensure_server

#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: prefix inside the build folder,
# a virtual display when DISPLAY is unset, a persistent wineserver.
# Also CMake's cross-compiling emulator for the Windows tests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
exe=$1; shift
build=${KOLO_BUILD:-$(kolo_find_build "$exe" || echo "$here/../build/win")}
kolo_wine_env "$build" "${KOLO_WINE_PREFIX_NAME:-wine-prefix}"
kolo_ensure_display
kolo_ensure_prefix
kolo_ensure_server
exec wine "$exe" "$@"

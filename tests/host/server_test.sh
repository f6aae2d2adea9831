#!/usr/bin/env bash
# The image service's own tests (server/), with Debian's Python and waitress.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root/server"
exec /usr/bin/python3 -m unittest -v test_kolo_service 2>&1

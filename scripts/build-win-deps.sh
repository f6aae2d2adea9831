#!/usr/bin/env bash
# Builds giflib and libcurl as static MinGW-w64 libraries from Debian's source
# packages (Debian patches applied) into $KOLO_CACHE/win64. Nothing third-party
# enters the clone; a filled cache is reused as it is.
set -euo pipefail

: "${KOLO_CACHE:=${XDG_CACHE_HOME:-$HOME/.cache}/kolo-deps}"
prefix="$KOLO_CACHE/win64"
src="$KOLO_CACHE/src"
mkdir -p "$prefix/include" "$prefix/lib" "$src"

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

ensure_deb_src() {
  if apt-cache showsrc giflib 2>/dev/null | grep -q '^Package:'; then return; fi
  # Mirror the binary sources apt already uses, as deb-src.
  local list=/etc/apt/sources.list.d/kolo-deb-src.sources
  if [ ! -f "$list" ]; then
    local tmp; tmp=$(mktemp)
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      sed -e 's/^Types:.*/Types: deb-src/' "$f" >> "$tmp"; echo >> "$tmp"
    done
    if [ -f /etc/apt/sources.list ]; then
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > "$tmp.list" || true
      [ -s "$tmp.list" ] && as_root cp "$tmp.list" /etc/apt/sources.list.d/kolo-deb-src.list
    fi
    [ -s "$tmp" ] && as_root cp "$tmp" "$list"
    rm -f "$tmp" "$tmp.list"
  fi
  as_root apt-get update -qq
}

fetch_source() { # $1 package -> prints the unpacked folder
  local pkg=$1 dir
  dir=$(find "$src" -maxdepth 1 -type d -name "$pkg-[0-9]*" | head -n1)
  if [ -z "$dir" ]; then
    ensure_deb_src
    (cd "$src" && apt-get source -qq "$pkg" >/dev/null 2>&1) || (cd "$src" && apt-get source "$pkg")
    dir=$(find "$src" -maxdepth 1 -type d -name "$pkg-[0-9]*" | head -n1)
  fi
  echo "$dir"
}

cc=x86_64-w64-mingw32-gcc
ar=x86_64-w64-mingw32-ar

if [ ! -f "$prefix/lib/libgif.a" ]; then
  echo "deps: building giflib for Windows"
  d=$(fetch_source giflib)
  obj="$src/giflib-obj"; rm -rf "$obj"; mkdir -p "$obj"
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$d/$f.c" ] || continue
    $cc -O2 -std=gnu99 -Wno-format-truncation -c "$d/$f.c" -I"$d" -o "$obj/$f.o"
  done
  $ar rcs "$prefix/lib/libgif.a" "$obj"/*.o
  cp "$d/gif_lib.h" "$prefix/include/"
fi

if [ ! -f "$prefix/lib/libcurl.a" ]; then
  echo "deps: building libcurl for Windows (a few minutes)"
  d=$(fetch_source curl)
  b="$src/curl-build"; rm -rf "$b"
  cmake -S "$d" -B "$b" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_C_COMPILER=$cc -DCMAKE_RC_COMPILER=x86_64-w64-mingw32-windres \
    -DCMAKE_FIND_ROOT_PATH=/usr/x86_64-w64-mingw32 \
    -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY \
    -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DHTTP_ONLY=ON \
    -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_ZLIB=OFF -DCURL_USE_LIBSSH2=OFF \
    -DUSE_LIBIDN2=OFF -DCURL_USE_LIBPSL=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF \
    -DUSE_NGHTTP2=OFF -DENABLE_MANUAL=OFF -DCURL_DISABLE_LDAP=ON >"$src/curl-configure.log" 2>&1 \
    || { tail -n 40 "$src/curl-configure.log"; exit 1; }
  cmake --build "$b" >"$src/curl-build.log" 2>&1 || { tail -n 40 "$src/curl-build.log"; exit 1; }
  cmake --install "$b" >/dev/null
fi
echo "deps: Windows libraries ready in $prefix"

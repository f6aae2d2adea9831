#!/usr/bin/env bash
# codesign.sh IN OUT: Authenticode-signs a Windows binary with the release
# certificate (KOLO_SIGN_PKCS12, password in KOLO_SIGN_PASSWORD) through
# osslsigncode; IN and OUT may be the same file. A time-stamp server is used
# when KOLO_SIGN_TIMESTAMP_URL names one.
set -euo pipefail
in=$1 out=$2
: "${KOLO_SIGN_PKCS12:?the release certificate (KOLO_SIGN_PKCS12) is not set}"
tmp=$(mktemp "${out}.XXXXXX")
trap 'rm -f "$tmp"' EXIT
args=(sign -pkcs12 "$KOLO_SIGN_PKCS12" -n Kolo -h sha256)
[ -n "${KOLO_SIGN_PASSWORD:-}" ] && args+=(-pass "$KOLO_SIGN_PASSWORD")
[ -n "${KOLO_SIGN_TIMESTAMP_URL:-}" ] && args+=(-ts "$KOLO_SIGN_TIMESTAMP_URL")
rm -f "$tmp"
osslsigncode "${args[@]}" -in "$in" -out "$tmp" >/dev/null
mv -f "$tmp" "$out"

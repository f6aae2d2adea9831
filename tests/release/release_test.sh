#!/usr/bin/env bash
# The release as a user meets it, under Wine in a fresh prefix: a silent
# per-user install of an older version, Kolo started from there, an upgrade in
# place while it runs (it is asked to close; settings and screenshots stay),
# the Add/Remove Programs entry, a silent uninstall that keeps the user's
# data, one that removes it; then a second build of the same sources in
# another folder must give a byte-identical Kolo.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/win"
rel="$build/release-test"
fail() { echo "FAIL [release_test]: $*" >&2; exit 1; }
note() { echo "[release_test] $*"; }

rm -rf "$rel" && mkdir -p "$rel"

# Signed with a throw-away certificate: the hook library inside Kolo.exe,
# Kolo.exe and the installer carry signatures that verify against it.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$rel/key.pem" -out "$rel/cert.pem" -days 2 \
  -subj "/CN=Kolo release test" >/dev/null 2>&1
openssl pkcs12 -export -inkey "$rel/key.pem" -in "$rel/cert.pem" -out "$rel/cert.p12" -passout pass:test
KOLO_SIGN_PKCS12="$rel/cert.p12" KOLO_SIGN_PASSWORD=test KOLO_UPDATE_KEY="$root/tests/data/publish/test_release_key.pem" \
  KOLO_RELEASE_DIR="$rel/signed" "$root/scripts/release.sh" \
  >"$rel/signed.log" 2>&1 || { cat "$rel/signed.log"; fail "the signed release failed"; }
for f in "$build/generated/kolod.dll" "$rel/signed/Kolo.exe" "$rel"/signed/Kolo-*-setup.exe; do
  osslsigncode verify -CAfile "$rel/cert.pem" -in "$f" >/dev/null 2>&1 || fail "$(basename "$f") is not signed"
done

# The update files: the newest version and the program, each with a signature
# the release key's public half verifies.
upd="$rel/signed/update"
[ "$(cat "$upd/ver.txt" 2>/dev/null)" = 1 ] || fail "ver.txt says '$(cat "$upd/ver.txt" 2>/dev/null)', not 1"
cmp -s "$upd/kolo1.bin" "$rel/signed/Kolo.exe" || fail "the versioned program is not the release's Kolo.exe"
for f in "$upd/ver.txt" "$upd/kolo1.bin"; do
  openssl dgst -sha256 -verify "$root/tests/data/publish/test_release_key.pub.pem" -signature "$f.sig" "$f" >/dev/null ||
    fail "$(basename "$f").sig does not verify"
done
(cd "$rel/signed" && sha256sum -c --quiet SHA256SUMS) || fail "the signed release's SHA256SUMS does not match"
grep -q 'update/kolo1.bin.sig' "$rel/signed/SHA256SUMS" || fail "SHA256SUMS does not list the update files"

KOLO_RELEASE_DIR="$rel/out" "$root/scripts/release.sh" >"$rel.log" 2>&1 || { cat "$rel.log"; fail "release.sh failed"; }
grep -q "^unsigned: no KOLO_SIGN_PKCS12 given" "$rel.log" || fail "an unsigned release does not say so"
! osslsigncode verify -in "$rel/out/Kolo.exe" >/dev/null 2>&1 || fail "the unsigned Kolo.exe carries a signature"
version=$(sed -n 's/^=== Kolo \([0-9.]*\): build ===$/\1/p' "$rel.log" | head -n1)
setup="$rel/out/Kolo-$version-setup.exe"
[ -f "$setup" ] || fail "no installer for version '$version'"
[ -f "$rel/out/Kolo-$version-portable.zip" ] || fail "no portable zip"
(cd "$rel/out" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS does not match the files"
unzip -p "$rel/out/Kolo-$version-portable.zip" Kolo/Kolo.exe | cmp -s - "$rel/out/Kolo.exe" ||
  fail "the portable zip does not hold the release's Kolo.exe"

# An older version: the same program under an older installer version.
makensis -V1 -DVERSION=0.99 -DEXE="$rel/out/Kolo.exe" -DART="$build/generated" \
  -DOUTFILE="$rel/old-setup.exe" "$root/installer/kolo.nsi" >/dev/null

. "$root/scripts/wine-env.sh"
kolo_wine_env "$build" wine-release
rm -rf "$WINEPREFIX"
trap '"$root/scripts/wine-stop.sh" "$build" >/dev/null 2>&1 || true' EXIT
unset DISPLAY
kolo_ensure_display
kolo_ensure_prefix
kolo_ensure_server
export DISPLAY

PROBE="$build/kolo_probe.exe"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kolo'
settings_key='HKCU\Software\Velmora\Kolo'
reg_value() { # KEY NAME
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
wait_for() { # SECONDS COMMAND...: until the command succeeds
  local n=$(($1 * 4)); shift
  while [ $n -gt 0 ]; do "$@" && return 0; sleep 0.25; n=$((n - 1)); done
  return 1
}
installed() { [ -f "$app/Kolo.exe" ]; }
not_installed() { [ ! -f "$app/Kolo.exe" ] && ! wine reg query "$uninstall_key" >/dev/null 2>&1; }
kolo_visible() { wine "$PROBE" state 2>/dev/null | tr -d '\r' | grep -q '^visible=1'; }
kolo_gone() { wine "$PROBE" state 2>/dev/null | tr -d '\r' | grep -q '^found=0'; }

local_programs=$(winepath -u 'C:\users' 2>/dev/null)/$(whoami)/AppData/Local/Programs
app="$local_programs/Kolo"
note "installing version 0.99 silently"
wine "$rel/old-setup.exe" /S >/dev/null 2>&1 || fail "the older installer failed"
wait_for 30 installed || fail "Kolo.exe is not in the user's programs folder ($app)"
[ "$(reg_value "$uninstall_key" DisplayVersion)" = 0.99 ] || fail "no uninstall entry for 0.99"
[ -f "$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs/Kolo.lnk" ] ||
  fail "no Start menu shortcut"

# Kolo from the installed folder, the way the shortcut starts it; the user's
# settings and a screenshot of theirs.
wine reg add "$settings_key" /v confirmClose /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine "$app/Kolo.exe" >/dev/null 2>&1 &
wait_for 30 kolo_visible || fail "the installed Kolo did not start"
wine reg add "$settings_key" /v releaseTestKept /t REG_DWORD /d 7 /f >/dev/null 2>&1
mkdir -p "$app/scrn" && printf 'shot' >"$app/scrn/20261207120000.png"

note "upgrading to $version while Kolo runs"
wine "$setup" /S >/dev/null 2>&1 || fail "the upgrade failed"
wait_for 30 kolo_gone || fail "the running Kolo was not closed by the upgrade"
wait_for 30 test "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ||
  fail "the uninstall entry still says $(reg_value "$uninstall_key" DisplayVersion)"
cmp -s "$app/Kolo.exe" "$rel/out/Kolo.exe" || fail "the upgrade did not replace Kolo.exe"
[ "$(reg_value "$settings_key" releaseTestKept)" = 0x7 ] || fail "the upgrade lost the settings"
[ -f "$app/scrn/20261207120000.png" ] || fail "the upgrade lost the screenshots"
for v in Publisher DisplayIcon InstallLocation UninstallString QuietUninstallString EstimatedSize; do
  [ -n "$(reg_value "$uninstall_key" $v)" ] || fail "the uninstall entry has no $v"
done
[ "$(reg_value "$uninstall_key" Publisher)" = Velmora ] || fail "the publisher is not Velmora"

wine "$app/Kolo.exe" >/dev/null 2>&1 &
wait_for 30 kolo_visible || fail "the upgraded Kolo did not start"
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v kolo /t REG_SZ /d "x /m" /f >/dev/null 2>&1

note "uninstalling silently: the user's data stays"
wine "$app/uninstall.exe" /S >/dev/null 2>&1 || true
wait_for 60 not_installed || fail "the uninstaller left Kolo.exe or its entry"
wait_for 10 kolo_gone || fail "the uninstaller did not close Kolo"
[ -z "$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' kolo)" ] || fail "the Run key value stayed"
[ "$(reg_value "$settings_key" releaseTestKept)" = 0x7 ] || fail "a silent uninstall removed the settings"
[ -f "$app/scrn/20261207120000.png" ] || fail "a silent uninstall removed the screenshots"

note "installing again and uninstalling with the data"
wine "$setup" /S >/dev/null 2>&1 || fail "the second install failed"
wait_for 30 installed || fail "the second install put no Kolo.exe"
wine "$app/uninstall.exe" /S /REMOVESETTINGS /REMOVEDATA >/dev/null 2>&1 || true
wait_for 60 not_installed || fail "the second uninstall left Kolo.exe or its entry"
wait_for 30 test ! -e "$app" || fail "the program folder stayed: $(ls -A "$app" | tr '\n' ' ')"
! wine reg query "$settings_key" >/dev/null 2>&1 || fail "the settings stayed though asked to go"

note "building the same sources in another folder"
other=$(mktemp -d /tmp/kolo-repro.XXXXXX)
(cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$other" 2>/dev/null) ||
  fail "could not copy the sources"
(cd "$other" && CCACHE_DISABLE=1 cmake --preset win >/dev/null &&
  CCACHE_DISABLE=1 cmake --build --preset win -j "${KOLO_JOBS:-$(nproc)}" --target Kolo >"$rel-repro.log" 2>&1) ||
  { tail -20 "$rel-repro.log"; fail "the second build failed"; }
a=$(sha256sum <"$build/Kolo.exe" | cut -d' ' -f1)
b=$(sha256sum <"$other/build/win/Kolo.exe" | cut -d' ' -f1)
rm -rf "$other"
[ "$a" = "$b" ] || fail "two builds of the same sources differ: $a vs $b"
note "passed: installer, upgrade, uninstall; Kolo.exe reproducible ($a)"

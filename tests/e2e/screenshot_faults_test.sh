#!/usr/bin/env bash
# Screenshots when the disk says no. A shot added while the screenshot folder
# cannot be written stays the current picture, nothing enters the list and the
# user is told; the item file saved onto a full disk (its temporary file leads
# to /dev/full) leaves the old file whole, and the user is told once.
. "$(dirname "$0")/lib.sh"

SCRN="$E2E_DIR/app/scrn"
mkdir -p "$SCRN"
convert -size 40x30 xc:'#102030' "png24:$SCRN/130101000000.png"
printf '130101000000|00FF00|0|http://example.com/a\r\n' >"$SCRN/list.bin"
trap '[ -d "$SCRN.kept" ] && { rm -f "$SCRN"; mv "$SCRN.kept" "$SCRN"; }; stop_all' EXIT

place_kolo 100 100
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
answer_box() { # WHAT: a message box must be up; OK closes it
  local box
  box=$(probe message 5)
  echo "$box" | grep -q '^found=1' || fail "$1: the user was not told"
  xdotool key Return; sleep 0.6
  probe message 0 | grep -q '^found=1' && fail "$1: the message box stayed"
  return 0
}

tab_button 5
sleep 1
shot=$(helper locate-text "get screenshot") || fail "no screenshot button"
add=$(helper locate-text "add image to list") || fail "no add button"
click_at $(centre_of "$shot")

# --- the folder cannot be written: the shot stays, the list is untouched ---
mv "$SCRN" "$SCRN.kept"
ln -s /proc/self/fdinfo "$SCRN"
click_at $(centre_of "$add")
answer_box "adding to a folder that cannot be written"
rm -f "$SCRN"
mv "$SCRN.kept" "$SCRN"
[ "$(ls "$SCRN" | grep -c '\.png$')" = 1 ] || fail "a picture appeared or vanished: $(ls "$SCRN")"
PIC="$E2E_DIR/kept.png"
screenshot_kolo "$PIC" || fail "no screenshot of the window"
# The main image still shows the shot (sky blue only where no picture is).
[ "$(pixel_of "$PIC" $((4 + 128)) $((19 + 128)))" != A6CAF0 ] || fail "the shot was dropped from the main image"
note "unwritable folder: told, the shot kept, the list unchanged"

# --- the item file onto a full disk: the old file stays whole ---
before=$(md5sum <"$SCRN/list.bin")
ln -s /dev/full "$SCRN/list.bin.tmp"
tab_button 0  # a tab change saves the settings and the list
answer_box "saving the list on a full disk"
[ "$(md5sum <"$SCRN/list.bin")" = "$before" ] || fail "the item file changed although it could not be saved"
ln -sfn /dev/full "$SCRN/list.bin.tmp"
tab_button 5
tab_button 0
probe message 2 | grep -q '^found=1' && fail "the same failure was reported twice"
rm -f "$SCRN/list.bin.tmp"
note "full disk: the item file kept, the user told once"

# --- room again: the next save writes the list ---
tab_button 5
tab_button 0
probe message 1 | grep -q '^found=1' && fail "a message although the save worked"
grep -q '^130101000000|00FF00|0|http://example.com/a' "$SCRN/list.bin" || fail "the item file lost its line"

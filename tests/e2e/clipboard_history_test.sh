#!/usr/bin/env bash
# The clipboard history with real copies and real input: colour texts copied by
# another program (xclip on the X side, the probe on the Windows side) become
# rows, pictures become PNG files and list items, copies marked private are
# left alone; a row's copy button, its menu, the keys and the wheel act on the
# rows; a row's colour dragged onto the palette strip lands in the cell; both
# histories are there again after a restart.
. "$(dirname "$0")/lib.sh"

wx=100; wy=100
place_kolo $wx $wy
wine reg add 'HKCU\Software\Velmora\Kolo' /v crntPage /t REG_DWORD /d 6 /f >/dev/null
CLIP="$E2E_DIR/app/clipbrd"
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
sleep 1

shot() { xdotool mousemove 20 20; sleep 0.4; screenshot_kolo "$E2E_DIR/$1.png" || fail "no screenshot"; }
pngs() { ls "$CLIP" 2>/dev/null | grep -c '^[0-9]\{12\}\.png$' || true; }
pngs_are() { [ "$(pngs)" = "$1" ]; }
row_swatch() { shot row; pixel_of "$E2E_DIR/row.png" $((264 + 12)) $((19 + 20 * $1 + 10)); }
wait_for() { # SECONDS COMMAND...: until the command succeeds
  local t=$1 i; shift
  for i in $(seq 1 $((t * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
history_has() { grep -q "^$1" "$CLIP/colors.txt" 2>/dev/null; }
rows() { grep -c '^[0-9A-F]\{6\}' "$CLIP/colors.txt" 2>/dev/null || echo 0; }

# --- colours from the X clipboard and from a Windows program ---
set_clipboard "#FF0000"
wait_for 5 history_has FF0000 || fail "red copied with xclip did not become a row"
probe copy-text "0,128,255" >/dev/null || fail "the probe could not copy"
wait_for 5 history_has 0080FF || fail "a colour copied by a Windows program did not become a row"
set_clipboard "not a colour at all"
sleep 0.5
[ "$(rows)" = 2 ] || fail "text that is no colour was recorded ($(rows) rows)"
[ "$(row_swatch 0)" = 0080FF ] || fail "the newest colour is not drawn in the top row ($(row_swatch 0))"
[ "$(row_swatch 1)" = FF0000 ] || fail "red is not drawn in the second row"
note "colour texts: rows 0080FF, FF0000"

# --- pictures ---
probe copy-picture 64 48 3366CC >/dev/null || fail "the probe could not copy a picture"
wait_for 10 pngs_are 1 || fail "the copied picture left no PNG in clipbrd ($(ls "$CLIP"))"
file="$CLIP/$(ls "$CLIP" | grep '^[0-9]\{12\}\.png$')"
[ "$(identify -format '%wx%h' "$file")" = 64x48 ] || fail "the PNG is not 64x48"
[ "$(pixel_of "$file" 10 10)" = 3366CC ] || fail "the PNG does not hold the copied pixels"
probe copy-picture 64 48 3366CC >/dev/null
sleep 1.5
[ "$(pngs)" = 1 ] || fail "the same picture copied again was recorded twice"
shot pictures
# The list shows its first picture in the top-left cell under the column buttons.
[ "$(pixel_of "$E2E_DIR/pictures.png" $((4 + 61)) $((35 + 61)))" = 3366CC ] ||
  fail "the picture list does not show the copied picture"
note "picture: $(basename "$file"), shown in the list, a repeat not recorded"

# A burst from a script: every picture is kept under a name of its own, in order.
for i in $(seq 1 30); do probe copy-picture $((20 + i)) 20 $(printf '%02X4080' $((i * 8))) >/dev/null; done
wait_for 20 pngs_are 31 || fail "a burst of 30 copies left $(pngs) pictures, not 31"
[ "$(identify -format '%w' "$CLIP/$(ls "$CLIP" | grep '^[0-9]\{12\}\.png$' | sort | tail -n1)")" = 50 ] ||
  fail "the newest name does not hold the last picture of the burst"
probe state | grep -q visible=1 || fail "the window is gone after the burst"
note "a burst of 30 pictures: 30 files, newest name last"

# --- copies marked private ---
probe copy-text "#00FF00" ExcludeClipboardContentFromMonitorProcessing >/dev/null
probe copy-text "#00FF00" CanIncludeInClipboardHistory >/dev/null
probe copy-text "#00FF00" "Clipboard Viewer Ignore" >/dev/null
probe copy-picture 30 30 00FF00 ExcludeClipboardContentFromMonitorProcessing >/dev/null
sleep 1.5
history_has 00FF00 && fail "a colour marked private was recorded"
[ "$(pngs)" = 31 ] || fail "a picture marked private was recorded"
note "private copies left alone"

# --- rows: the copy button copies without coming back; keys, menu, wheel ---
xdotool mousemove $((wx + 264 + 75)) $((wy + 19 + 20 + 10)) click 1
sleep 0.5
got=$(xclip -o -selection clipboard 2>/dev/null || true)
case "$got" in *[Ff][Ff]0000*|*255*) ;; *) fail "the copy button of the red row put '$got' on the clipboard";; esac
[ "$(rows)" = 2 ] || fail "the colour copied from the history came back as a row"
for c in 101010 202020 303030 404040 505050 606060 707070 808080 909090 A0A0A0 B0B0B0 C0C0C0 D0D0D0 E0E0E0; do
  set_clipboard "#$c"
done
wait_for 5 history_has E0E0E0 || fail "the last of a run of copies was not recorded"
[ "$(rows)" = 16 ] || fail "a run of 14 copies left $(rows) rows, not 16"
[ "$(row_swatch 0)" = E0E0E0 ] || fail "the top row is not the newest copy"
xdotool mousemove $((wx + 264 + 40)) $((wy + 19 + 100)) click 5
[ "$(row_swatch 0)" = D0D0D0 ] || fail "the wheel did not scroll the rows ($(row_swatch 0))"
xdotool mousemove $((wx + 264 + 40)) $((wy + 19 + 100)) click 4
[ "$(row_swatch 0)" = E0E0E0 ] || fail "the wheel did not scroll back"
# Select the top row by a click, Down to the second, Delete removes it.
xdotool mousemove $((wx + 264 + 40)) $((wy + 19 + 10)) click 1
xdotool key Down Delete
sleep 0.5
history_has D0D0D0 && fail "Down then Delete did not remove the second row"
xdotool key shift+F10
probe menu 3 | grep -q found=1 || fail "Shift+F10 on the colour rows opened no menu"
xdotool key Escape; sleep 0.3
# The menu: Delete on the selected row.
xdotool mousemove $((wx + 264 + 40)) $((wy + 19 + 10)) click 3
probe menu 3 | grep -q found=1 || fail "a right click on a row opened no menu"
xdotool key Up Up Return  # Delete all, Delete: the item above the separator
sleep 0.5
[ "$(rows)" = 14 ] || fail "the menu's Delete did not remove one row ($(rows) rows)"
note "copy button, wheel, keys and menu act on the rows"

# --- a row's colour dragged onto the palette strip ---
set_clipboard "#12AB34"
wait_for 5 history_has 12AB34 || fail "#12AB34 was not recorded"
xdotool mousemove $((wx + 264 + 12)) $((wy + 19 + 10)) click 1  # the colour list has the focus: the strip shows
sleep 0.5
cell_x=$((wx + 2 + 3 * 20 + 12)); cell_y=$((wy + 277 + 11))
xdotool mousemove $((wx + 264 + 12)) $((wy + 19 + 10)) mousedown 1
sleep 0.2
xdotool mousemove $((wx + 264 + 20)) $((wy + 19 + 10)); sleep 0.2
xdotool mousemove $cell_x $cell_y; sleep 0.2
xdotool mousemove $((cell_x + 1)) $cell_y; sleep 0.2
xdotool mousemove $cell_x $cell_y; sleep 0.2
xdotool mouseup 1
sleep 0.5
shot strip
[ "$(pixel_of "$E2E_DIR/strip.png" $((2 + 3 * 20 + 12)) $((277 + 11)))" = 12AB34 ] ||
  fail "the row's colour dragged onto cell 3 of the strip did not land there"
note "drag from a row onto the strip"

# --- and a strip cell's colour dragged onto the second row's swatch ---
cell5=$(pixel_of "$E2E_DIR/strip.png" $((2 + 5 * 20 + 12)) $((277 + 11)))
xdotool mousemove $((wx + 2 + 5 * 20 + 12)) $cell_y mousedown 1
sleep 0.2
xdotool mousemove $((wx + 2 + 5 * 20 + 20)) $cell_y; sleep 0.2
xdotool mousemove $((wx + 264 + 12)) $((wy + 19 + 30)); sleep 0.2
xdotool mousemove $((wx + 264 + 13)) $((wy + 19 + 30)); sleep 0.2
xdotool mouseup 1
sleep 0.5
[ "$(row_swatch 1)" = "$cell5" ] || fail "cell 5's colour ($cell5) dropped on the second row did not replace it"
history_has "$cell5" || fail "the dropped colour was not written to the colour file"
note "drag from the strip onto a row"

# --- a picture file opened into the history; one column ---
convert -size 50x40 xc:'#AA5500' "png24:$E2E_DIR/opened.png"
xdotool mousemove $((wx + 65)) $((wy + 96)) click 1  # the picture list has the focus: the picture tools show
sleep 0.5
xdotool mousemove $((wx + 14)) $((wy + 287)) click 1
file_dialog Open "$E2E_DIR/opened.png"
wait_for 10 pngs_are 32 || fail "the opened file did not become a picture of the history ($(ls "$CLIP"))"
newest="$CLIP/$(ls "$CLIP" | grep '^[0-9]\{12\}\.png$' | sort | tail -n1)"
[ "$(identify -format '%wx%h' "$newest")" = 50x40 ] || fail "the opened picture is not 50x40"
[ "$(pixel_of "$newest" 5 5)" = AA5500 ] || fail "the opened picture's pixels were not kept"
xdotool mousemove $((wx + 4 + 256 - 51 + 7)) $((wy + 19 + 7)) click 1
sleep 0.3
note "an opened file joins the pictures; one column chosen"

# --- restart ---
before=$(cat "$CLIP/colors.txt")
probe send-close >/dev/null || fail "no main window to close"
for _ in $(seq 1 50); do [ "$(probe_value count)" = 0 ] && break; sleep 0.2; done
stop_kolo
[ "$(probe reg CLP_countcol)" = 15 ] || fail "CLP_countcol is not 15 after closing"
[ "$(probe reg CLP_column)" = 1 ] || fail "the column button's choice was not kept"
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not come back"
sleep 1
[ "$(row_swatch 0)" = 12AB34 ] || fail "the colour history was not there after a restart"
[ "$(cat "$CLIP/colors.txt")" = "$before" ] || fail "the colour file changed across the restart"
shot restarted
# One column now: the newest (the opened picture) fills the first cell, centred.
[ "$(pixel_of "$E2E_DIR/restarted.png" $((4 + 123)) $((35 + 123)))" = AA5500 ] ||
  fail "the picture history (one column, the opened picture first) was not there after a restart"
note "both histories are back after a restart"

# --- the picture list's menu: Delete all asks, Escape keeps, Yes (Enter) deletes ---
xdotool mousemove $((wx + 4 + 123)) $((wy + 35 + 123)) click 3
probe menu 3 | grep -q found=1 || fail "a right click on a picture opened no menu"
xdotool key Up Return  # Delete all, the last item
box=$(probe message 10) || fail "no question before deleting all pictures"
grep -q '^title=Confirmation' <<<"$box" || fail "the question is not a confirmation: $box"
xdotool key Escape; sleep 0.6
[ "$(pngs)" = 32 ] || fail "answering Cancel still deleted pictures"
xdotool mousemove $((wx + 4 + 123)) $((wy + 35 + 123)) click 3
probe menu 3 | grep -q found=1 || fail "the picture menu did not open again"
xdotool key Up Return
probe message 10 >/dev/null || fail "no question the second time"
xdotool key Return; sleep 0.8
[ "$(pngs)" = 0 ] || fail "Delete all left $(pngs) pictures"
note "the picture menu's Delete all asks first, then empties the folder"

#!/usr/bin/env bash
# The colour slots with real input: a right click selects a slot and its menu
# copies that slot's colour; a colour text pasted from the X clipboard lands in
# the selected slot; the format menu changes what the copy buttons write;
# typing "ff" makes a slot pure blue; Tab and Space reach and press a copy
# button; a slot's colour and then a palette cell's dragged onto the magnifier
# grid each paint their own colour; the colour area looks as it should.
# KOLO_UPDATE_REFERENCE=1 rewrites the reference picture instead of comparing.
. "$(dirname "$0")/lib.sh"

wine reg add 'HKCU\Software\Velmora\Kolo' /v x /t REG_DWORD /d 100 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v y /t REG_DWORD /d 100 /f >/dev/null
wine reg add 'HKCU\Software\Velmora\Kolo' /v confirmClose /t REG_DWORD /d 0 /f >/dev/null

start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
rect=$(probe_value rect)
wx=${rect%%,*}
wy=$(echo "$rect" | cut -d, -f2)
[ "$wx,$wy" = "100,100" ] || fail "the window is not at the stored place ($rect)"

# The right-hand column starts at (264, 19); slot N's row is 18 pixels below the last.
col_x=$((wx + 264)); col_y=$((wy + 19))
row_top() { echo $((19 + 18 * ($1 - 1))); }             # in the window
row_y() { echo $((wy + $(row_top "$1") + 9)); }          # the middle of slot N's row, on the screen
swatch_x=$((col_x + 2 + 1 + 8))
edit_x=$((col_x + 2 + 18 + 23))
copy_x=$((col_x + 2 + 65 + 8))
swatch_px() { pixel "$1" $((264 + 2 + 1 + 8)) $(($(row_top "$2") + 9)); }  # FILE N

clipboard() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r'; }
wait_clipboard() { # TEXT: wait until the X clipboard holds it
  local i
  for i in $(seq 1 25); do [ "$(clipboard)" = "$1" ] && return 0; sleep 0.2; done
  return 1
}
pixel() { # FILE X Y -> rrggbb
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'A-F' 'a-f'
}
shot() { # -> the window's picture, in $E2E_DIR/$1.png
  xdotool mousemove $((wx + 420)) $((wy + 340))  # off the window: no hover looks, no hint
  sleep 0.5
  local i
  for i in 1 2 3 4 5; do
    screenshot_kolo "$E2E_DIR/$1.png" && return 0
    sleep 0.5
  done
  fail "no screenshot of the window ($(xdotool search --name '^Kolo$' | wc -l) windows named Kolo)"
}
menu_pick() { # N: choose item N (1-based) of the menu just opened, by keyboard
  sleep 0.6
  local i
  for i in $(seq 1 "$1"); do xdotool key Down; sleep 0.1; done
  xdotool key Return
  sleep 0.4
}

# The colour area as it comes up on a first start.
shot start
convert "$E2E_DIR/start.png" -crop "97x134+264+19" +repage "$E2E_DIR/area.png"
compare_with_reference color_area "$E2E_DIR/area.png" 60
[ "$(swatch_px "$E2E_DIR/start.png" 3)" = 0080c0 ] || fail "slot 3's swatch is not 0080C0"

# A right click on slot 3's swatch selects it, and "Copy" copies slot 3's colour.
xdotool mousemove "$swatch_x" "$(row_y 3)" click 3
menu_pick 1
wait_clipboard "0080C0" || fail "Copy put '$(clipboard)' on the clipboard, not slot 3's 0080C0"
shot selected
# Frames: the pale selected colour between border and swatch, else sky blue.
[ "$(pixel "$E2E_DIR/selected.png" $((264 + 2 + 40)) $(($(row_top 3) + 17)))" = 0080c0 ] \
  || fail "slot 3's frame has no border: it does not show it selected"
[ "$(pixel "$E2E_DIR/selected.png" $((264 + 2 + 17)) $(($(row_top 3) + 9)))" = d9e8f7 ] \
  || fail "slot 3's frame is not the selected colour"
[ "$(pixel "$E2E_DIR/selected.png" $((264 + 2 + 17)) $(($(row_top 1) + 9)))" = a6caf0 ] \
  || fail "slot 1's frame still shows it selected"

# A colour text from another program pasted into slot 2.
set_clipboard "#FF8000"
xdotool mousemove "$swatch_x" "$(row_y 2)" click 3
menu_pick 2
shot pasted
[ "$(swatch_px "$E2E_DIR/pasted.png" 2)" = ff8000 ] \
  || fail "Past did not put FF8000 into slot 2"
# Text that is not a colour leaves the slot alone: "Past" is disabled then,
# and Return on it only closes the menu.
set_clipboard "no colour here"
xdotool mousemove "$swatch_x" "$(row_y 2)" click 3
menu_pick 2
shot unchanged
[ "$(swatch_px "$E2E_DIR/unchanged.png" 2)" = ff8000 ] \
  || fail "a text that is not a colour changed slot 2"

# The copy button writes the current format; its menu picks another one.
xdotool mousemove "$copy_x" "$(row_y 2)" click 1
wait_clipboard "FF8000" || fail "the copy button wrote '$(clipboard)', not FF8000"
xdotool mousemove "$copy_x" "$(row_y 2)" click 3
menu_pick 3  # "HTML (#RRGGBB)"
xdotool mousemove "$copy_x" "$(row_y 2)" click 1
wait_clipboard "#FF8000" || fail "after choosing HTML the copy button wrote '$(clipboard)'"
xdotool mousemove "$copy_x" "$(row_y 2)" click 3
menu_pick 2  # "RGB num (r,g,b)"
xdotool mousemove "$copy_x" "$(row_y 2)" click 1
wait_clipboard "255,128,0" || fail "after choosing RGB num the copy button wrote '$(clipboard)'"

# Typing: "ff" alone is 0000FF, pure blue.
xdotool mousemove "$edit_x" "$(row_y 4)" click 1
xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 80 "ff"
shot typed
[ "$(swatch_px "$E2E_DIR/typed.png" 4)" = 0000ff ] \
  || fail "typing ff into slot 4 did not make it blue"
xdotool mousemove "$copy_x" "$(row_y 4)" click 1
wait_clipboard "0,0,255" || fail "slot 4 copied as '$(clipboard)'"

# The keyboard alone: from slot 3's edit, Tab reaches its copy button and Space copies.
xdotool mousemove "$edit_x" "$(row_y 3)" click 1
sleep 0.3
xdotool key Tab
sleep 0.2
xdotool key space
wait_clipboard "0,128,192" || fail "Tab and Space from slot 3's edit copied '$(clipboard)', not slot 3's colour"

# Colours dragged onto the same cell of the magnifier grid, first from slot 3,
# then from a palette cell: the cell takes each drag's own colour.
drag() { # X1 Y1 X2 Y2: press, past the 4-pixel threshold, over the target, release
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mousemove $(($1 + 6)) "$2"; sleep 0.2
  xdotool mousemove "$3" "$4"; sleep 0.2
  xdotool mousemove $(($3 + 1)) "$4"; sleep 0.2
  xdotool mousemove "$3" "$4"; sleep 0.2
  xdotool mouseup 1
  sleep 0.4
}
xdotool mousemove $((wx + 6 + 21 * 4 + 9)) $((wy + 8)) click 1  # the screen colour tab
sleep 0.5
grid_x=108; grid_y=123       # a cell of the grid, in the window (the main image starts at 4, 19)
cell_x=$((2 + 5 * 20 + 12)); cell_y=$((277 + 11))  # palette cell 5
drag "$swatch_x" "$(row_y 3)" $((wx + grid_x)) $((wy + grid_y))
shot slot-on-grid
[ "$(pixel "$E2E_DIR/slot-on-grid.png" $grid_x $grid_y)" = 0080c0 ] \
  || fail "slot 3's colour dragged onto the grid shows $(pixel "$E2E_DIR/slot-on-grid.png" $grid_x $grid_y)"
drag $((wx + cell_x)) $((wy + cell_y)) $((wx + grid_x)) $((wy + grid_y))
shot cell-on-grid
cell=$(pixel "$E2E_DIR/cell-on-grid.png" $cell_x $cell_y)
[ "$cell" != 0080c0 ] || fail "palette cell 5 holds slot 3's colour: the check would prove nothing"
[ "$(pixel "$E2E_DIR/cell-on-grid.png" $grid_x $grid_y)" = "$cell" ] \
  || fail "palette cell 5 ($cell) dragged onto the grid shows $(pixel "$E2E_DIR/cell-on-grid.png" $grid_x $grid_y)"

# The slots and the format are settings: they are there after closing.
wine "$PROBE" send-close >/dev/null
for _ in $(seq 1 50); do [ "$(probe_value count)" = 0 ] && break; sleep 0.2; done
[ "$(wine "$PROBE" reg ColorFormat | tr -d '\r')" = 1 ] || fail "the chosen format was not saved"
[ "$(wine "$PROBE" reg color2 | tr -d '\r')" = $((0x0080FF)) ] || fail "slot 2 was not saved"
[ "$(wine "$PROBE" reg color4 | tr -d '\r')" = $((0xFF0000)) ] || fail "slot 4 was not saved"
note "ok"

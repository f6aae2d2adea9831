#!/usr/bin/env bash
# Printing the screenshot tab's picture, for real. Wine's PostScript driver is
# installed as a printer whose port writes into a file, and a 100x100 picture
# opened through the open dialog is printed with the print button and the print
# dialog. The PostScript page, drawn by Ghostscript at the printer's resolution,
# must be the printer's paper with the picture upright, as large as on the
# screen (96 dpi on a 600 dpi printer: 625x625) and centred on the printable
# area. Before that: with no printer the user is warned and no dialog opens, a
# cancelled print dialog prints nothing and says nothing, and a job the port
# cannot take is reported as an error.
. "$(dirname "$0")/lib.sh"

# A prefix of its own: its printer must not reach the other scenarios, and the
# machine's own printers (CUPS) must not reach it.
export CUPS_SERVER="$E2E_DIR/no-cups-here"
kolo_wine_env "$KOLO_BUILD" wine-e2e-print
kolo_ensure_prefix
kolo_ensure_server
PRINTER="Kolo Test Printer"
trap 'probe remove-printer "$PRINTER" >/dev/null 2>&1 || true; stop_all' EXIT
probe remove-printer "$PRINTER" >/dev/null 2>&1 || true  # left by an interrupted run
stop_kolo
reset_settings

command -v gs >/dev/null || fail "Ghostscript (gs) is not installed"
PY=/usr/bin/python3  # Debian's, with Pillow
PAGE="$E2E_DIR/page.ps"
# Blue top-left quarter, the rest red: a page printed mirrored or upside down shows it.
convert -size 100x100 xc:'#C81E28' -fill '#2040C0' -draw 'rectangle 0,0 49,49' "png24:$E2E_DIR/picture.png"

place_kolo 100 100
start_kolo
probe wait-visible 30 >/dev/null || fail "the main window did not appear"
read -r kx ky _ _ <<<"$(probe_value rect | tr ',' ' ')"
sleep 1
tab_button 5
control() { helper locate-text "$1" || fail "no control \"$1\""; }
click_at $(centre_of "$(control "open image...")")
file_dialog Open "$E2E_DIR/picture.png"
print=$(control "print image...")

# --- no printer installed: the user is told, no print dialog ---
click_at $(centre_of "$print")
box=$(probe message 5) || fail "with no printer the user was not told; windows: $(shown_windows)"
grep -q '^title=Warning$' <<<"$box" || fail "with no printer the message is not a warning: $box"
xdotool key Return; sleep 0.5
note "no printer: a warning"

# --- the test printer: its port writes the PostScript into a file ---
printer=$(probe add-printer "$PRINTER" "$(winpath "$KOLO_SOURCE/tests/data/print/test_printer.ppd")" LPT1:) ||
  fail "the test printer could not be installed"
port_to() { wine reg add 'HKCU\Software\Wine\Printing\Spooler' /v LPT1: /t REG_SZ /d "$1" /f >/dev/null; }
port_to "$PAGE"
value() { sed -n "s/^$1=//p" <<<"$printer"; }
note "printer: paper $(value paper), printable $(value page) at $(value dpi) dpi from $(value offset)"

# --- a cancelled dialog prints nothing and says nothing ---
click_at $(centre_of "$print")
wait_window Print || fail "no print dialog; windows: $(shown_windows)"
xdotool key Escape
gone_window Print || fail "Escape did not close the print dialog"
probe message 1 | grep -q '^found=1' && fail "a cancelled print dialog brought a message"
sleep 1
[ ! -e "$PAGE" ] || fail "a cancelled print dialog printed"
note "cancelled: nothing printed, nothing said"

print_with_dialog() {
  click_at $(centre_of "$print")
  wait_window Print || fail "no print dialog; windows: $(shown_windows)"
  xdotool key Return
  gone_window Print || fail "Return did not close the print dialog"
}

# --- a port that cannot take the job: an error, not silence ---
port_to "$E2E_DIR/no-such-folder/page.ps"
print_with_dialog
box=$(probe message 5) || fail "a print that could not be written was not reported"
grep -q '^title=Error$' <<<"$box" || fail "the failed print's message is not an error: $box"
xdotool key Return; sleep 0.5
port_to "$PAGE"
note "a port that cannot be written: an error"

# --- printed: the page as Ghostscript draws it ---
print_with_dialog
for _ in $(seq 1 50); do [ -s "$PAGE" ] && break; sleep 0.2; done
[ -s "$PAGE" ] || fail "nothing was printed"
probe message 1 | grep -q '^found=1' && fail "printing brought a message: $(probe message 0)"
IFS=x read -r dpi _ <<<"$(value dpi)"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r"$dpi" -sOutputFile="$E2E_DIR/page.png" "$PAGE" ||
  fail "Ghostscript cannot draw the printed page"
"$PY" - "$E2E_DIR/page.png" "$(value paper)" "$(value page)" "$(value dpi)" "$(value offset)" <<'EOF' ||
import sys
from PIL import Image, ImageChops
page = Image.open(sys.argv[1]).convert("RGB")
paper, printable, dpi = (tuple(map(int, a.split("x"))) for a in sys.argv[2:5])
ox, oy = map(int, sys.argv[5].split(","))
assert page.size == paper, f"the page is {page.size}, the printer's paper {paper}"
# The placement rule: the screen's size (96 dpi) at the printer's dpi, centred on
# the printable area, halves rounded to even.
w, h = round(100 * dpi[0] / 96), round(100 * dpi[1] / 96)
x, y = round((printable[0] - w) / 2), round((printable[1] - h) / 2)
want = (ox + x, oy + y, ox + x + w, oy + y + h)
got = ImageChops.difference(page, Image.new("RGB", page.size, "white")).getbbox()
print(f"picture printed at {got}, expected {want}")
assert got == want, f"the picture lies at {got}, not {want}"
def near(p, c):
    return all(abs(a - b) <= 8 for a, b in zip(page.getpixel(p), c))
l, t, r, b = got
assert near((l + w // 4, t + h // 4), (0x20, 0x40, 0xC0)), "the blue quarter is not at the top left"
assert near((r - w // 4, b - h // 4), (0xC8, 0x1E, 0x28)), "the picture's red is not at the bottom right"
EOF
  fail "the printed page is wrong"
note "printed: the picture centred on the page at its size on the screen"

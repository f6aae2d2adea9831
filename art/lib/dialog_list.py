"""The picture list shared by the dialogs and pop-ups: options, new palette,
About, upload, image preview, layout picker and the value slider."""

from canvas import Img
from catalog import ImageList
import icon
import shapes
import theme
import vector

BTN3 = ("normal", "hover", "down")
BTN4 = ("normal", "hover", "down", "disabled")
TAB4 = ("normal", "hover", "down", "active")


def strip_states(glyph, w, h, gx, gy, states, close=False):
    out = []
    for s in states:
        if s == "disabled":
            img = Img(w, h)
            img.blit(glyph.map(lambda p: None if p is None else 0x5FA8D6), gx, gy)
        elif close:
            img = theme.strip_button(glyph, w, h, s, gx, gy, theme.CLOSE_HOVER, theme.CLOSE_DOWN)
        else:
            img = theme.strip_button(glyph, w, h, s, gx, gy)
        out.append(img)
    return out


POINTER = ["KK....", "KWKK..", "KWWWK.", "KWWWWK", "KWWWK.", "KWKK..", "KK...."]


def slider_arrow(pointing_right):
    """The value slider's pointers (6x7), beside its colour strip."""
    img = Img(6, 7)
    for y, row in enumerate(POINTER):
        for x, ch in enumerate(row if pointing_right else row[::-1]):
            img.px[y][x] = {"K": theme.NAVY, "W": 0xFFFFFF}.get(ch)
    return img


ABOUT_FRAMES = 12
ABOUT_DELAY = 10  # hundredths of a second per frame


def about_picture():
    """The program's wheel, turning one part (30 degrees) per frame, so the
    twelve frames make one full turn and loop without a jump."""
    frames = []
    for n in range(ABOUT_FRAMES):
        img, _ = icon.wheel(48, background=theme.SKY, turn=-30.0 * n)
        frames.append(img.map(lambda c: None if c is None else vector.snap(c, 16)))
    return frames


def build(glyphs):
    L = ImageList("dialog", "Dialogs and pop-ups", "kDlgImg", "dialogs and pop-ups")
    L.notes = ("One list for the small windows: `TfrmProperty`, `TfrmNewPalette`, `TfrmAbout`, "
               "`TfrmUpload`, `TfrmImagePreview`, `TfrmPreview` and `TfrmColorPrev`. Check boxes "
               "take eight pictures in the order of the check box index set.")
    L.where.update({
        "close": "close buttons of the dialogs, the upload window and the picture preview",
        "help": "`TfrmProperty` help button",
        "ok": "OK of `TfrmProperty`, `TfrmAbout`, `TfrmNewPalette` (`VMPictureButton1`)",
        "cancel": "Cancel of `TfrmProperty`, `TfrmAbout`, `TfrmNewPalette` (`VMPictureButton2`), "
                  "the lower close button of `TfrmUpload`",
        "drop": "`VMPictureButton3` of `TfrmNewPalette`, the choice boxes of `TfrmProperty`",
        "random": "`btnRandom`", "about_picture": "`TfrmAbout`", "new_version": "`btnNewVer`",
        "previous": "`btnPrevImage`", "next": "`btnNextImage`", "crop": "`btnCrop`",
        "slider_pointer_left": "`leftCursor` of `TfrmColorPrev`",
        "slider_pointer_right": "`rightCursor` of `TfrmColorPrev`",
    })
    for n, key in enumerate(("all", "2", "3", "4")):
        L.where["filter_" + key] = "`but%d` of `TfrmPreview`" % (n + 1)
    for state in theme.CHECK_STATES:
        L.where["check_" + state] = "check boxes of `TfrmProperty`"
    strip = theme.LINE
    close = glyphs["strip_close"].render()
    L.put_states(0, "close", strip_states(close, 9, 10, 2, 2, BTN3, close=True), BTN3,
                 "title strip: close", bg=strip)
    L.put_states(3, "help", strip_states(glyphs["strip_help"].render(), 9, 10, 2, 2, BTN3), BTN3,
                 "title strip: help", bg=strip)
    for base, name, caption in ((6, "ok", "OK"), (9, "cancel", "Cancel")):
        L.put_states(base, name, [theme.text_button(glyphs, caption, 64, 20, s) for s in BTN3],
                     BTN3, "button %s" % caption)
    drop = glyphs["arrow_drop"].render()
    L.put_states(12, "drop", theme.panel_states(drop, 12, 14, BTN3), BTN3,
                 "choice box: open the list")
    L.put_states(15, "random", theme.panel_states(glyphs["icon_dice"].render(), 20, 18, BTN4),
                 BTN4, "new palette: draw new random colours")
    for n, state in enumerate(theme.CHECK_STATES):
        L.put(19 + n, "check_" + state, theme.check_box(state, False),
              "check box (%s)" % state.replace("_", ", "))
    turning = about_picture()
    L.put(27, "about_picture", turning[0], "About window: the program's picture, turning",
          frames=turning, delays=[ABOUT_DELAY] * len(turning))
    L.put_states(28, "new_version", [theme.text_button(glyphs, "Get new version", 90, 20, s)
                                     for s in BTN3], BTN3, "About window: fetch the new version")
    prev_g = glyphs["strip_prev"].render()
    next_g = glyphs["strip_next"].render()
    crop_g = glyphs["strip_crop"].render()
    L.put_states(31, "previous", strip_states(prev_g, 13, 13, 4, 3, BTN4), BTN4,
                 "picture preview: previous picture", bg=strip)
    L.put_states(35, "next", strip_states(next_g, 13, 13, 5, 3, BTN4), BTN4,
                 "picture preview: next picture", bg=strip)
    L.put_states(39, "crop", strip_states(crop_g, 13, 13, 2, 2, BTN4), BTN4,
                 "picture preview: crop to the visible part", bg=strip)
    for n, caption in enumerate(("All", "2", "3", "4")):
        L.put_states(43 + 4 * n, "filter_" + caption.lower(),
                     [theme.text_button(glyphs, caption, 18, 14, s) for s in TAB4], TAB4,
                     "layout picker: show %s" % ("every layout" if n == 0 else
                                                 "layouts of %s colours" % caption))
    L.put(59, "slider_pointer_left", slider_arrow(True),
          "value slider: pointer left of the strip", bg=0x100010)
    L.put(60, "slider_pointer_right", slider_arrow(False),
          "value slider: pointer right of the strip", bg=0x100010)
    return L

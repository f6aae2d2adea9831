"""The main window's picture list."""

from canvas import Img
from catalog import ImageList
import mix_list
import shapes
import theme

BTN4 = ("normal", "hover", "down", "disabled")
BTN3 = ("normal", "hover", "down")
TAB4 = ("normal", "hover", "down", "active")

TAB_GLYPHS = [
    ("picker", "colour picker", "tab_picker"),
    ("wheel", "colour wheel", "tab_wheel"),
    ("palette", "colour palette", "tab_palette"),
    ("mix", "mix colours", "tab_mix"),
    ("getcolor", "colours from screen", "tab_getcolor"),
    ("getimage", "images from screen", "tab_getimage"),
    ("clipboard", "clipboard viewer", "tab_clipboard"),
]

SUBPAL_SMALL = (9, 13)
SUBPAL_TALL = (9, 16)


def empty_cell():
    """Palette cell without a colour: a pale square set into the panel colour."""
    img = Img(16, 16, theme.SKY)
    img.fill(3, 3, 12, 12, theme.PALE)
    return img


def transparent_cell():
    """Palette cell marked transparent: checkerboard in a frame."""
    img = Img(16, 16)
    bands = [1, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 4]  # check of each inner pixel: 4,3,3,4
    for y in range(14):
        for x in range(14):
            light = (bands[x] + bands[y]) % 2 == 0
            img.px[y + 1][x + 1] = 0xFFFFFF if light else 0xBBBBBB
    img.rect(0, 0, 15, 15, theme.LINE)
    return img


def copy_states(glyph, marked):
    """Copy button of a colour slot: flat glyph that lifts on hover."""
    g = glyph.render()
    if marked:
        g = g.recolor({theme.NAVY: theme.MARK, 0x0080C0: theme.MARK})
    out = []
    for state in BTN3:
        if state == "normal":
            img = Img(16, 16)
            img.blit(g, (16 - g.w) // 2, (16 - g.h) // 2)
        else:
            img = theme.panel_button(g, 16, 16, state)
        out.append(img)
    return out


NOTES = (
    "Buttons take their pictures in the order normal, hover, down, then disabled "
    "(or active for a choice button: the chosen one of its group is disabled and shows "
    "the active picture). A button with the keyboard focus shows its hover picture. "
    "Title-strip pictures are drawn over the strip colour (transparent around the "
    "glyph); the tab buttons are 17 high and reach 2 pixels below the 15-pixel strip, "
    "so the active tab joins the panel below it.")

WHERE = {
    "close": "`btnClose`", "tray": "`btnMinimaze`",
    "on_top_off": "`ptnToFront`", "on_top_on": "`ptnToFront`",
    "small_size": "`btnChangeSize`", "full_size": "`btnChangeSize`",
    "copy": "`btnCopyColor1`..`btnCopyColor4`, rows of `ClipboardColorList`",
    "copy_marked_normal": "`btnCopyColor1`..`btnCopyColor4`",
    "copy_marked_hover": "`btnCopyColor1`..`btnCopyColor4`",
    "copy_marked_down": "`btnCopyColor1`..`btnCopyColor4`",
    "swap": "`VMPictureButton11`, `VMPictureButton16`, `VMPictureButton14`",
    "drop": "`VMPictureButton5` (font), `VMPictureButton4` (layout)",
    "zoom_in": "`btnZoomIn`", "zoom_out": "`btnZoomOut`", "copy_image": "`btnCopyImage`",
    "get_color": "`btnGetColor`", "clear_mix": "`VMPictureButton9`", "add_image": "`btnAddImage`",
    "step_up": "`btnud1`, `btnud3`, `btnud5`", "step_down": "`btnud2`, `btnud4`, `btnud6`",
    "random_palette": "`VMPictureButton8`", "gradient_palette": "`VMPictureButton1`",
    "screen_palette": "`VMPictureButton6`", "strip_palette": "`VMPictureButton7`",
    "corner_colors": "`VMPictureButton12`", "window_shot": "`btnGetWindowShot`",
    "print_screen": "`btnPrintScreen`", "select_area": "`btnGetImage`",
    "refresh_area": "`btnPrintScreen` while an area is selected",
    "finish_area": "`btnGetImage` while an area is selected",
    "new_palette": "`btnNewColors` (`acNewPalette`)", "open_palette": "`acOpenPalette` button",
    "save_palette": "`acSavePalette` button",
    "empty_cell": "`ColorList` (`EmptyImageId`)", "transparent_cell": "`ColorList` (`TransparentImageId`)",
    "value_button_small": "`btnSubPalette1`..`btnSubPalette3`, `VMPictureButton25`..`VMPictureButton28`",
    "value_button_small_open": "the same, while the value slider is open",
    "value_button_tall": "`btnCircleSubPalette1`, `btnCircleSubPalette2`",
    "value_button_tall_open": "the same, while the value slider is open",
    "view_image": "`btnViewImage`", "open_image": "`btnOpenImage`", "save_image": "`btnSaveImage`",
    "copy_picture": "`btnCopyImg`", "print_image": "`btnPrintImage`",
    "rotate_left": "`btnRotateLeftImage`", "rotate_right": "`btnRotateRightImage`",
    "flip_horizontal": "the button of `acFlipHoriz` (`btnFlipVertImage`)",
    "flip_vertical": "the button of `acFlipVertical` (`btnFlipHorizImage`)",
    "clear_transparent": "`btnClearTransImage`", "pick_transparent": "`btnGetTransColorImage`",
    "remove_image": "`btnRemoveImage`", "resize_image": "`btnChangeSizeImage`",
    "copy_url": "`btnCopyURLImage`", "upload_image": "`btnUploadImage`",
}
for _n in range(7):
    WHERE["tab_button%d" % _n] = "`buttab%d`" % _n
    WHERE["model%d" % (_n + 1)] = "`butPalette%d`" % (_n + 1)
    WHERE["mix_picture%d" % (_n + 1)] = "`butImage%d`" % (_n + 1)
for _n in range(8):
    WHERE["harmony%d" % (_n + 1)] = "`chWheelType%d`" % (_n + 1)
for _n in range(3):
    WHERE["view_" + ("cartesian", "wheel", "ring")[_n]] = "`butViewType%d`" % (_n + 1)
    WHERE["preset%d" % (_n + 1)] = "`chBaseColor%d`" % (_n + 1)
    WHERE["columns%d" % (_n + 1)] = "`btnClipColumn%d`" % (_n + 1)
for _n, _k in enumerate(("web", "gray", "win", "mac")):
    WHERE["fixed_" + _k] = "`btnFixPalette%d`" % (_n + 1)
for _n, _k in enumerate(("average", "and", "or", "xor", "replace")):
    WHERE["mix_" + _k] = "`butMixType%d`" % (_n + 1)
for _s in ("checked_focus", "unchecked", "unchecked_focus", "checked", "disabled_unchecked",
           "disabled_checked", "unchecked_hover", "checked_hover"):
    WHERE["radio_" + _s] = "`chPalette1`..`chPalette3`, `chCMYK1`..`chCMYK6`, `chCurPalette1`, `chCurPalette2`"


def strip_backdrop(w, h, strip_h=15):
    """What a tab button sits on: the title strip, and the panel below it."""
    img = Img(w, h, theme.SKY)
    img.fill(0, 0, w - 1, strip_h - 1, theme.LINE)
    return img


def build(glyphs, drawn):
    L = ImageList("main", "Main window", "kImg", "main window")
    L.notes = NOTES
    L.where.update(WHERE)

    # Title strip.
    close = glyphs["strip_close"].render()
    L.put_states(0, "close", [theme.strip_button(close, 9, 10, s, 2, 2, theme.CLOSE_HOVER,
                                                 theme.CLOSE_DOWN) for s in BTN3],
                 BTN3, "title strip: close the window", bg=theme.LINE)
    tray = glyphs["strip_tray"].render()
    L.put_states(3, "tray", [theme.strip_button(tray, 10, 12, s, 2, 2) for s in BTN3],
                 BTN3, "title strip: minimise to the tray", bg=theme.LINE)
    pin_off = glyphs["strip_pin_off"].render()
    pin_on = glyphs["strip_pin_on"].render({"fill": 0xF6C823})
    L.put_states(40, "on_top_off", [theme.strip_button(pin_off, 9, 13, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: stay on top, now off", bg=theme.LINE)
    L.put_states(43, "on_top_on", [theme.strip_button(pin_on, 9, 13, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: stay on top, now on", bg=theme.LINE)
    collapse = glyphs["strip_collapse"].render()
    expand = glyphs["strip_expand"].render()
    L.put_states(46, "small_size", [theme.strip_button(collapse, 9, 9, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: shrink to the title strip (full size now)", bg=theme.LINE)
    L.put_states(49, "full_size", [theme.strip_button(expand, 9, 9, s, 1, 2) for s in BTN3],
                 BTN3, "title strip: back to full size (small now)", bg=theme.LINE)

    # Tab buttons: four pictures each from 52 on.
    for n, (key, use, glyph_name) in enumerate(TAB_GLYPHS):
        if glyph_name in glyphs:
            g = glyphs[glyph_name].render()
        else:
            g = getattr(shapes, glyph_name)()
        L.put_states(52 + 4 * n, "tab_button%d" % n, [theme.tab_button(g, s) for s in TAB4], TAB4,
                     "tab button %d: %s" % (n, use), bg=strip_backdrop(19, 17))

    # Copy buttons of the colour slots; the marked set shows a slot in use by a harmony.
    L.put_states(16, "copy", copy_states(glyphs["copy"], False), BTN3,
                 "colour slot and colour list: copy the colour as text")
    marked = copy_states(glyphs["copy"], True)
    L.put(261, "copy_marked_normal", marked[0], "colour slot in a harmony: copy (normal)")
    L.put(262, "copy_marked_hover", marked[1], "colour slot in a harmony: copy (hover)")
    L.put(263, "copy_marked_down", marked[2], "colour slot in a harmony: copy (down)")

    # Palette cells.
    L.put(243, "empty_cell", empty_cell(), "palette cell without a colour",
          caption="emptycol.gif")
    L.put(244, "transparent_cell", transparent_cell(), "palette cell holding the transparent colour",
          caption="transcol.gif")

    # Value-slider buttons and their "slider open" pictures.
    for (w, h), base, empty_index, key in ((SUBPAL_SMALL, 245, 252, "small"),
                                          (SUBPAL_TALL, 253, 191, "tall")):
        g = shapes.value_strip(5, h - 4)
        L.put_states(base, "value_button_" + key, theme.panel_states(g, w, h, BTN4), BTN4,
                     "value slider button, %dx%d" % (w, h))
        L.put(empty_index, "value_button_%s_open" % key, theme.panel_face(w, h, "active"),
              "value slider button while its slider is open (%dx%d)" % (w, h))
    _tool_buttons(L, glyphs, drawn)
    # Groups of buttons lie four pictures apart: first + 4 * n.
    L.extra_consts = {"GroupStride": 4}
    return L


MODELS = ["RGB", "HSB", "Lab", "HLS", "CMYK", "CMY", "LMS"]
FIXED = [("Web", "Web palette"), ("Gray", "grayscale palette"), ("Win", "Windows palette"),
         ("Mac", "Mac OS palette")]
HARMONY_NAMES = ["single colour", "complementary", "triads", "split complement", "tetrad",
                 "alternate complement", "double complement", "analogous"]
PRESET_NAMES = ["RGB primaries", "RBY primaries", "Itten colours"]
MIX_TYPES = [("average", "average colour"), ("and", "logical AND"), ("or", "logical OR"),
             ("xor", "logical XOR"), ("replace", "replace the old colour")]


def _with_plus(glyphs, base):
    img = Img(12, 12)
    img.blit(base, 0, 0)
    img.blit(glyphs["icon_plus"].render(), 5, 5)
    return img


def _window_shot(glyphs):
    img = Img(16, 16)
    img.blit(glyphs["screen_window"].render(), 0, 1)
    img.blit(glyphs["screen_pointer"].render(), 8, 6)
    return img


def _copy_picture(glyphs):
    """Two sheets, the front one holding a picture."""
    img = glyphs["copy"].render()
    pic = Img(5, 5)
    for y, row in enumerate(["..Y..", ".....", "..E..", ".EEE.", "EEEEE"]):
        for x, ch in enumerate(row):
            pic.px[y][x] = {"Y": 0xF6C823, "E": 0x3BAA4A}.get(ch)
    img.fill(4, 4, 8, 10, 0xFFFFFF)
    img.fill(4, 4, 8, 8, 0x8CC8EE)
    img.blit(pic, 4, 5)
    return img


def _tool_buttons(L, glyphs, drawn):
    g = glyphs
    icon = lambda name: g[name].render()
    panel = theme.panel_states

    L.put_states(6, "swap", panel(icon("arrow_swap"), 13, 7, BTN3), BTN3,
                 "colour slots: swap two neighbouring slots")
    L.put_states(9, "drop", panel(icon("arrow_drop"), 10, 16, BTN3), BTN3,
                 "font sample and layout preview: open the drop-down")
    L.put_states(12, "zoom_in", panel(shapes.magnifier("+"), 20, 18, BTN4), BTN4,
                 "colours from screen: zoom the preview in")
    L.put_states(19, "zoom_out", panel(shapes.magnifier("-"), 20, 18, BTN4), BTN4,
                 "colours from screen: zoom the preview out")
    L.put_states(23, "copy_image", panel(_copy_picture(g), 20, 18, BTN4), BTN4,
                 "colours from screen: copy the magnified picture")
    L.put_states(27, "get_color", panel(shapes.pipette(16), 24, 22, BTN4), BTN4,
                 "colours from screen: start picking from the screen")
    L.put_states(31, "clear_mix", panel(icon("icon_eraser"), 20, 18, BTN4), BTN4,
                 "mix colours: clear all colours of the picture")
    L.put_states(35, "add_image", panel(_with_plus(g, icon("icon_picture")), 24, 22, BTN4), BTN4,
                 "images from screen: add the picture to the list")

    for n, name in enumerate(MODELS):
        width = 28 if name == "CMYK" else 24
        L.put_states(80 + 4 * n, "model%d" % (n + 1),
                     [theme.text_button(g, name, width, 13, s) for s in TAB4], TAB4,
                     "colour picker: %s model" % name)
    views = [("cartesian", shapes.view_cartesian()), ("wheel", shapes.view_wheel()),
             ("ring", shapes.view_ring())]
    for n, (name, glyph) in enumerate(views):
        L.put_states(108 + 4 * n, "view_" + name, panel(glyph, 19, 17, TAB4), TAB4,
                     "colour picker: %s view" % name)
    for n in range(8):
        L.put_states(120 + 4 * n, "harmony%d" % (n + 1), panel(shapes.harmony(n + 1), 22, 18, TAB4),
                     TAB4, "colour wheel: %s" % HARMONY_NAMES[n])
    for n in range(3):
        L.put_states(152 + 4 * n, "preset%d" % (n + 1), panel(shapes.preset(n + 1), 22, 18, TAB4),
                     TAB4, "colour wheel: base colours, %s" % PRESET_NAMES[n])
    for n, (name, use) in enumerate(FIXED):
        L.put_states(164 + 4 * n, "fixed_" + name.lower(),
                     [theme.text_button(g, name, 24, 13, s) for s in TAB4], TAB4,
                     "colour palette: %s" % use)
    L.put_states(180, "step_up", panel(icon("arrow_up"), 9, 7, BTN4), BTN4,
                 "colour picker: step the value up")
    L.put_states(192, "step_down", panel(icon("arrow_down"), 9, 7, BTN4), BTN4,
                 "colour picker: step the value down")
    L.put_states(196, "random_palette", panel(icon("icon_dice"), 20, 18, BTN4), BTN4,
                 "colour palette: random colours")
    L.put_states(200, "gradient_palette", panel(shapes.gradient_bar(), 20, 18, BTN4), BTN4,
                 "colour palette: gradient between the colour slots")
    L.put_states(204, "screen_palette", panel(icon("icon_screen_palette"), 20, 18, BTN4), BTN4,
                 "colour palette: colours taken from the screen")
    L.put_states(208, "strip_palette", panel(icon("icon_take_strip"), 20, 18, BTN4), BTN4,
                 "colour palette: take the palette strip")
    L.put_states(212, "corner_colors", panel(shapes.corner_frame(), 20, 18, BTN4), BTN4,
                 "colour palette: colour slots to the gradient border")
    L.put_states(216, "window_shot", panel(_window_shot(g), 24, 22, BTN4), BTN4,
                 "images from screen: take one window")

    screen_full = icon("screen_full")
    L.put_states(185, "print_screen", panel(screen_full, 24, 22, BTN3), BTN3,
                 "images from screen: take the whole screen")
    L.put_states(188, "select_area", panel(shapes.area_select(), 24, 22, BTN3), BTN3,
                 "images from screen: select an area")
    L.put_states(222, "refresh_area", panel(shapes.refresh(), 24, 22, BTN3), BTN3,
                 "area selection: take the area again")
    L.put_states(225, "finish_area", panel(icon("screen_finish"), 24, 22, BTN3), BTN3,
                 "area selection: finish")

    mix_bases = [228, 232, 236, 264, 268]
    for n, (kind, use) in enumerate(MIX_TYPES):
        L.put_states(mix_bases[n], "mix_" + kind, panel(shapes.venn(kind), 20, 15, TAB4), TAB4,
                     "mix colours: %s" % use)
    thumbs = ["composition", "house", "flower", "page", "fish", "ornament", "butterfly"]
    for n, (_, plan, text) in enumerate(drawn):
        thumb = icon("thumb_" + thumbs[n])
        L.put_states(272 + 4 * n, "mix_picture%d" % (n + 1), panel(thumb, 17, 17, TAB4), TAB4,
                     "mix colours: picture %d, %s" % (n + 1, text))
    for n in range(3):
        L.put_states(300 + 4 * n, "columns%d" % (n + 1), panel(shapes.columns(n + 1), 15, 13, TAB4),
                     TAB4, "clipboard viewer: %d column%s of pictures" % (n + 1, "s" if n else ""))
    L.put_states(312, "new_palette", panel(icon("icon_palette_new"), 24, 13, BTN4), BTN4,
                 "palette strip: new palette")
    L.put_states(316, "open_palette", panel(icon("icon_folder_small"), 24, 13, BTN4), BTN4,
                 "palette strip: open a palette file")
    L.put_states(320, "save_palette", panel(icon("icon_disk_small"), 24, 13, BTN4), BTN4,
                 "palette strip: save the palette")
    for n, state in enumerate(theme.CHECK_STATES):
        L.put(324 + n, "radio_" + state, theme.check_box(state, True),
              "radio box (%s)" % state.replace("_", ", "))

    tools = [
        ("view_image", icon("icon_eye"), "preview the picture"),
        ("open_image", icon("icon_folder"), "open a picture file"),
        ("save_image", icon("icon_disk"), "save the picture"),
        ("copy_picture", _copy_picture(g), "copy the picture"),
        ("print_image", icon("icon_printer"), "print the picture"),
        ("rotate_left", icon("icon_rotate_left"), "rotate 90 degrees left"),
        ("rotate_right", shapes.mirror(icon("icon_rotate_left")), "rotate 90 degrees right"),
        ("flip_horizontal", icon("icon_flip"), "mirror left to right"),
        ("flip_vertical", shapes.transpose(icon("icon_flip")), "mirror top to bottom"),
        ("clear_transparent", shapes.clear_transparent(), "clear the transparent colour"),
        ("pick_transparent", shapes.get_transparent(g), "pick the transparent colour"),
        ("remove_image", icon("icon_remove"), "delete the picture"),
        ("resize_image", shapes.resize_glyph(), "apply the new size"),
        ("copy_url", shapes.link(), "copy the web address"),
        ("upload_image", shapes.globe_upload(), "publish on the web site"),
    ]
    for n, (name, glyph, use) in enumerate(tools):
        L.put_states(332 + 4 * n, name, panel(glyph, 18, 18, BTN4), BTN4, "picture tools: " + use)

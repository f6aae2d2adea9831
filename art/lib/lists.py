"""All picture lists of the program, in resource order."""

import main_list
import mix_list
import template_list
import message_list
import dialog_list
import fontbar_list
import scroll_list


def build_all(glyphs):
    drawn = mix_list.pictures()
    return [
        main_list.build(glyphs, drawn),
        scroll_list.build(glyphs),
        message_list.build(glyphs),
        dialog_list.build(glyphs),
        fontbar_list.build(glyphs),
        mix_list.build(glyphs, drawn),
        template_list.build(glyphs),
    ]

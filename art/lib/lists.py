"""All picture lists of the program, in resource order."""

import main_list


def build_all(glyphs):
    return [
        main_list.build(glyphs),
    ]

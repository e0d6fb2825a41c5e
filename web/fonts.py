#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Velimor
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page's two fonts: Debian's Liberation Serif Bold and Liberation Sans,
cut down to the letters the page uses. A subset is a modified font, and the
OFL reserves the name "Liberation", so the subsets carry names of their own.
Writes fonts.css (the faces as data: URLs) and fonts-notice.txt (the
fonts' copyright and licence, carried in the page).

    fonts.py OUTDIR PAGE-SOURCE...
"""
import base64
import io
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FONTS = "/usr/share/fonts/truetype/liberation2/"
FACES = [
    # file, new family, style, CSS weight
    ("LiberationSerif-Bold.ttf", "Zrcadlo Serif", "Bold", 700),
    ("LiberationSans-Regular.ttf", "Zrcadlo Sans", "Regular", 400),
]
COPYRIGHT = "/usr/share/doc/fonts-liberation2/copyright"


def renamed(font, family, style):
    """Every name that says Liberation, said with the new family."""
    postscript = family.replace(" ", "") + "-" + style
    names = {1: family, 2: style, 3: postscript + " subset", 4: family + " " + style, 6: postscript,
             16: family, 17: style}
    table = font["name"]
    for record in list(table.names):
        if record.nameID in names:
            table.setName(names[record.nameID], record.nameID, record.platformID, record.platEncID,
                          record.langID)
    return font


def main():
    out = sys.argv[1]
    text = "".join(open(path, encoding="utf-8").read() for path in sys.argv[2:])
    # Every printable letter of the page's sources: captions, labels and
    # the texts its script writes.
    letters = sorted({c for c in text if c.isprintable()} | {" ", "\u00a0"})
    css = []
    for file, family, style, weight in FACES:
        # The same bytes from the same sources, whether the build sets
        # SOURCE_DATE_EPOCH or not: the subset keeps its font's own date.
        font = TTFont(FONTS + file, recalcTimestamp=False)
        options = subset.Options()
        options.flavor = "woff"
        options.hinting = False
        options.layout_features = ["kern", "liga"]
        options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14, 16, 17]
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=[ord(c) for c in letters])
        subsetter.subset(font)
        renamed(font, family, style)
        data = io.BytesIO()
        font.flavor = "woff"
        font.save(data)
        url = "data:font/woff;base64," + base64.b64encode(data.getvalue()).decode("ascii")
        css.append('@font-face{font-family:"%s";font-weight:%d;font-style:normal;src:url(%s) format("woff")}'
                   % (family, weight, url))
    with open(out + "/fonts.css", "w", encoding="utf-8") as f:
        f.write("\n".join(css) + "\n")
    # The font stanza of Debian's copyright file: the notice and the OFL.
    stanza = open(COPYRIGHT, encoding="utf-8").read().split("\n\n")
    font_stanza = next(s for s in stanza if "SIL-OFL-1.1" in s and "Copyright" in s)
    with open(out + "/fonts-notice.txt", "w", encoding="utf-8") as f:
        f.write("The fonts Zrcadlo Serif and Zrcadlo Sans are subsets of Liberation Serif Bold and\n"
                "Liberation Sans, renamed as the licence asks of modified versions.\n\n")
        f.write(font_stanza.replace("--", "- -") + "\n")


if __name__ == "__main__":
    main()

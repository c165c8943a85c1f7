"""Turns the Markdown user guide into the plain-text readme that ships in the zip.

Usage: plain_text_readme.py GUIDE.md README.txt

The guide on the repository's page and the readme in the zip are one text:
this drops the Markdown that Notepad would show as noise and breaks the
guide's long lines, one a paragraph or list item, to fit Notepad. The guide
uses only what is handled here: headings, links, a picture on a line of its
own, code spans, lists, line breaks (a backslash ending a line, dropped here)
and indented lines, which are kept as they are.
The readme is UTF-8 with a byte order mark and CRLF line ends, which Notepad
on Windows 10 and 11 both read as UTF-8, whatever the system's code page.
"""

import pathlib
import re
import sys

# Columns a line may take, a Japanese character taking two: 40 characters,
# 640 pixels in Notepad's 12-point Japanese font at 100 % scaling and 800 at
# 125 %. Notepad opens at about three quarters of the screen's width, some 900
# pixels of text on a 1280-pixel screen, so it never folds a line again,
# whatever its word wrap; only at 150 %, rare on a screen that narrow, could it.
WIDTH = 80

PICTURE = re.compile(r"^!\[[^\]]*\]\([^)]*\)$")
LINK = re.compile(r"\[([^\]]+)\]\([^)]*\)")
HEADING = re.compile(r"^(#+) (.*)$")
BULLET = re.compile(r"^( *)- ")
NUMBERED = re.compile(r"^( *\d+[.)] )")

# The pieces a line is never broken inside: a bracketed name, a run of
# katakana, a run of Latin letters, digits and signs (words joined by single
# blanks stay together), or one other character; and the blanks between them.
PIECE = re.compile(
    r"\[[^\]]*\]|「[^」]*」|[\u30a1-\u30fe\uff66-\uff9f]+|[!-~]+(?: [!-~]+)*| +|.")
# Marks that never start a line, marks that never end one, and marks a line
# may end after.
NO_START = set("、。，．）」』］】〉》ー・：；？！…→:;,.!?%)]}")
NO_END = set("（「『［【〈《[(")
CLOSING = set("、。，．）」』］】〉》！？]")
# What follows a bracketed name in hiragana is its particle (「…」を, [OK]を).
BRACKETS_CLOSING = set("）」』］】〉》)]")
PARTICLES = set("をにでがはのともへや")


def hiragana(c):
    return "\u3041" <= c <= "\u309f"


def katakana(c):
    return "\u30a1" <= c <= "\u30fe" or "\uff66" <= c <= "\uff9f"


def kanji(c):
    return "\u4e00" <= c <= "\u9fff" or c == "々"


def latin(c):
    return c.isascii() and c.isalnum()


def may_break(before, after, blank):
    """Whether a line may end after the piece before and start with the piece
    after, a blank between them or not: after a closing mark, before an
    opening one, at a blank, or where a word in hiragana ends and one in kanji,
    katakana or Latin letters begins. Never inside a word, and never before a
    particle, as Notepad's reader would see 「権／限」 or 「Morvel／の」."""
    if after[0] in NO_START or before[-1] in NO_END:
        return False
    if before[-1] in BRACKETS_CLOSING and hiragana(after[0]):
        return False
    if blank:
        # Katakana words joined by a blank are one name (アドレス バー), and
        # so are a Latin word and the katakana after it (Enter キー).
        return not hiragana(after[0]) and not (
            katakana(after[0]) and (katakana(before[-1]) or latin(before[-1])))
    # One kana between two kanji that is not a particle joins a compound
    # (貼り付け, 切り取り); a particle (画面を開く) ends a word.
    compound = (len(before) > 1 and kanji(before[-2]) and before[-1] not in PARTICLES and
                kanji(after[0]))
    return (before[-1] in CLOSING or after[0] in NO_END or
            (hiragana(before[-1]) and not hiragana(after[0]) and not compound))


def columns(text):
    return sum(2 if ord(c) >= 0x800 else 1 for c in text)


def wrap(text, first_indent, indent):
    """Breaks text into lines of at most WIDTH columns, the first after
    first_indent, the others after indent, only where may_break allows, and
    drops the blanks where it breaks."""
    words, blank = [], ""
    for piece in PIECE.findall(text):
        if piece.isspace():
            blank = piece
            continue
        if words and not may_break(words[-1][1], piece, blank):
            words[-1][1] += blank + piece
        else:
            words.append([blank, piece])
        blank = ""
    lines, line, prefix = [], "", first_indent
    for blank, word in words:
        if line and columns(prefix + line + blank + word) > WIDTH:
            lines.append(prefix + line)
            line, prefix = word, indent
        else:
            line += (blank if line else "") + word
    lines.append(prefix + line)
    return lines


def plain_lines(line):
    # A closing backslash is Markdown's line break, which keeps a value on a
    # line of its own on the repository's page too.
    line = line.removesuffix("\\")
    heading = HEADING.match(line)
    if heading:
        # The title stays as it is; sections and their parts get the marks
        # Japanese readmes use.
        marks = {1: "", 2: "■ "}
        return [marks.get(len(heading[1]), "◆ ") + heading[2]]
    if line.startswith("    "):
        return [line]
    line = LINK.sub(r"\1", line).replace("`", "")
    bullet = BULLET.match(line)
    if bullet:
        # The bullet takes two columns; what follows lines up after it.
        return wrap(line[bullet.end():], bullet[1] + "・", bullet[1] + "  ")
    numbered = NUMBERED.match(line)
    if numbered:
        return wrap(line[numbered.end():], numbered[1], " " * len(numbered[1]))
    return wrap(line, "", "")


def plain_text(markdown):
    lines = []
    for line in markdown.splitlines():
        if PICTURE.match(line):
            continue
        # Dropping a picture must not leave two blank lines in a row.
        if line == "" and lines and lines[-1] == "":
            continue
        lines.extend(plain_lines(line))
    return "\ufeff" + "\r\n".join(lines) + "\r\n"


def main(guide, readme):
    text = plain_text(pathlib.Path(guide).read_text(encoding="utf-8"))
    pathlib.Path(readme).write_bytes(text.encode("utf-8"))


if __name__ == "__main__":
    main(*sys.argv[1:])

"""Turns the Markdown user guide into the plain-text readme that ships in the zip.

Usage: plain_text_readme.py GUIDE.md README.txt

The guide on the repository's page and the readme in the zip are one text:
this drops the Markdown that Notepad would show as noise and breaks the
guide's long lines, one a paragraph or list item, to fit Notepad. The guide
uses only what is handled here: headings, links, a picture on a line of its
own, code spans, lists and indented lines, which are kept as they are.
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
# Marks that never start a line, and marks that never end one.
NO_START = set("、。，．）」』］】〉》ー・：；？！…:;,.!?%)]}")
NO_END = set("（「『［【〈《")


def columns(text):
    return sum(2 if ord(c) >= 0x800 else 1 for c in text)


def wrap(text, first_indent, indent):
    """Breaks text into lines of at most WIDTH columns, the first after
    first_indent, the others after indent: only between pieces, with no blank
    at a line's ends, no closing mark starting a line and no opening mark
    ending one."""
    lines, line, prefix = [], [], first_indent
    for piece in PIECE.findall(text):
        if piece.isspace():
            if line:
                line.append(piece)
            continue
        if line and columns(prefix + "".join(line) + piece) > WIDTH:
            while line[-1].isspace():
                line.pop()
            carried, head = [], piece
            # Closing marks go down with what they close, an opening mark
            # with what it opens.
            while head[0] in NO_START and len(line) > 1:
                head = line.pop()
                carried.insert(0, head)
            while len(line) > 1 and line[-1][-1] in NO_END:
                carried.insert(0, line.pop())
            lines.append(prefix + "".join(line).rstrip())
            line, prefix = carried, indent
        line.append(piece)
    lines.append(prefix + "".join(line).rstrip())
    return lines


def plain_lines(line):
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

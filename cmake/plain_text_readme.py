"""Turns the Markdown user guide into the plain-text readme that ships in the zip.

Usage: plain_text_readme.py GUIDE.md README.txt

The guide on the repository's page and the readme in the zip are one text:
this drops the Markdown that Notepad would show as noise and keeps the rest,
line for line. The guide uses only what is handled here: headings, links,
a picture on a line of its own, code spans, lists and indented lines.
The readme is UTF-8 with a byte order mark and CRLF line ends, which Notepad
on Windows 10 and 11 both read as UTF-8, whatever the system's code page.
"""

import pathlib
import re
import sys

PICTURE = re.compile(r"^!\[[^\]]*\]\([^)]*\)$")
LINK = re.compile(r"\[([^\]]+)\]\([^)]*\)")
HEADING = re.compile(r"^(#+) (.*)$")
BULLET = re.compile(r"^( *)- ")


def plain_line(line):
    heading = HEADING.match(line)
    if heading:
        # The title stays as it is; sections and their parts get the marks
        # Japanese readmes use.
        marks = {1: "", 2: "■ "}
        return marks.get(len(heading[1]), "◆ ") + heading[2]
    line = LINK.sub(r"\1", line).replace("`", "")
    return BULLET.sub(r"\1・", line)


def plain_text(markdown):
    lines = []
    for line in markdown.splitlines():
        if PICTURE.match(line):
            continue
        # Dropping a picture must not leave two blank lines in a row.
        if line == "" and lines and lines[-1] == "":
            continue
        lines.append(plain_line(line))
    return "\ufeff" + "\r\n".join(lines) + "\r\n"


def main(guide, readme):
    text = plain_text(pathlib.Path(guide).read_text(encoding="utf-8"))
    pathlib.Path(readme).write_bytes(text.encode("utf-8"))


if __name__ == "__main__":
    main(*sys.argv[1:])

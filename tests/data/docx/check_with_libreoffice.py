#!/usr/bin/python3
"""Compares each NAME.expected.txt with LibreOffice's own reading of
NAME.docx (its text export writes list labels as text), as a check made
by another reader than the one under test.

LibreOffice's text export differs from the expected text in known ways,
listed in README.md: it indents list items and writes a space where the
label's suffix is a tab, shows no picture, and so on. Lines are compared
with leading spaces removed and tabs read as spaces, and picture names
are taken out of the expected lines; every other difference is printed.

Run: ./check_with_libreoffice.py [NAME...]
"""

import difflib
import glob
import os
import re
import sys
import tempfile

from hostile import soffice

HERE = os.path.dirname(os.path.abspath(__file__))
PICTURE_NAME = re.compile(r"\[[^\[\]]+\.(?:png|jpg|wmf|tmp)\]")


def normalised(lines):
    return [line.lstrip(" ").replace("\t", " ") for line in lines]


def without_question_labels(lines, expected):
    """LibreOffice shows the number of a task's first line, which the reader
    drops: "3. Question" matches an expected first line "Question"."""
    result = list(lines)
    for index, line in enumerate(expected):
        first_of_task = index == 0 or expected[index - 1] == ""
        if first_of_task and index < len(result):
            label, _, rest = result[index].partition(" ")
            if rest == line and label:
                result[index] = rest
    return result


def libreoffice_lines(folder, name):
    with open(os.path.join(folder, name + ".txt"), encoding="utf-8-sig") as f:
        return f.read().splitlines()


def expected_lines(name):
    with open(os.path.join(HERE, name + ".expected.txt"), encoding="utf-8") as f:
        return [PICTURE_NAME.sub("", line) for line in f.read().splitlines()]


def main():
    names = sys.argv[1:] or sorted(
        os.path.basename(path)[:-len(".expected.txt")]
        for path in glob.glob(os.path.join(HERE, "*.expected.txt")))
    with tempfile.TemporaryDirectory(prefix="docx-check-") as folder:
        soffice(["--convert-to", "txt:Text (encoded):UTF8",
                 *(os.path.join(HERE, name + ".docx") for name in names)], folder)
        differing = 0
        for name in names:
            expected = normalised(expected_lines(name))
            found = normalised(libreoffice_lines(folder, name))
            diff = list(difflib.unified_diff(
                expected, without_question_labels(found, expected),
                "expected", "LibreOffice", n=0, lineterm=""))
            print(f"{name}: {'agrees' if not diff else 'differs'}")
            for line in diff[2:]:
                print("    " + line)
            differing += bool(diff)
    print(f"{len(names) - differing} agree, {differing} differ")


if __name__ == "__main__":
    main()

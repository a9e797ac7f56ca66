#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts the licence identifier at the top of every source file of the project.

Usage: spdx-headers.py [--check]

C++ sources and headers (also their configured templates *.cpp.in and *.h.in) get
`// SPDX-License-Identifier: GPL-3.0-or-later` as their first line; CMake files, shell scripts
and Python scripts get the `#` form, after the interpreter line when there is one. A file that
has the identifier anywhere in its first lines is left as it is, so a second run changes
nothing. With --check nothing is written: the files without it are listed and the exit status
is 1 when there is any.
"""
import os
import subprocess
import sys

IDENTIFIER = "SPDX-License-Identifier: GPL-3.0-or-later"
# How far down an identifier still counts as the file's own (below a shebang and a comment).
HEAD_LINES = 5
SLASH_SUFFIXES = (".cpp", ".h", ".cpp.in", ".h.in")
HASH_SUFFIXES = (".cmake", ".sh", ".py")
HASH_NAMES = ("CMakeLists.txt",)


def tracked_files():
    out = subprocess.run(["git", "ls-files", "-z"], capture_output=True, check=True).stdout
    return [name for name in out.decode("utf-8").split("\0") if name]


def is_script(path):
    """An extensionless file that starts with an interpreter line for a shell or Python."""
    try:
        with open(path, "rb") as f:
            first = f.readline(200)
    except OSError:
        return False
    return first.startswith(b"#!") and any(word in first for word in (b"sh", b"python"))


def comment_for(path):
    """The comment that carries the identifier in this file, or None for a file left alone."""
    name = os.path.basename(path)
    if name.endswith(SLASH_SUFFIXES):
        return "// "
    if name.endswith(HASH_SUFFIXES) or name in HASH_NAMES:
        return "# "
    if "." not in name and is_script(path):
        return "# "
    return None


def with_identifier(text, comment):
    """The text with the identifier line added, or None when it already has one."""
    lines = text.splitlines(keepends=True)
    if any(IDENTIFIER in line for line in lines[:HEAD_LINES]):
        return None
    at = 1 if lines and lines[0].startswith("#!") else 0
    lines.insert(at, comment + IDENTIFIER + "\n")
    return "".join(lines)


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check:
        sys.exit(__doc__)
    os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    missing = []
    for path in tracked_files():
        comment = comment_for(path)
        if comment is None or not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8", newline="") as f:
            text = f.read()
        changed = with_identifier(text, comment)
        if changed is None:
            continue
        missing.append(path)
        if not check:
            # The same file, its rights kept: only the content is rewritten.
            with open(path, "w", encoding="utf-8", newline="") as f:
                f.write(changed)
    if check:
        if missing:
            print("spdx-headers: %d files without the licence identifier, first %s "
                  "(scripts/spdx-headers.py adds it)" % (len(missing), missing[0]))
            return 1
        print("spdx-headers: every source file names its licence")
        return 0
    print("spdx-headers: added the licence identifier to %d files" % len(missing))
    return 0


if __name__ == "__main__":
    sys.exit(main())

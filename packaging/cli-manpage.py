#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the manual page of trekkomat-cli from its --help text and a hand-written frame.

Usage: cli-manpage.py PROGRAM FRAME.1.in OUT.1

The options and commands come from the program's own help, and the version from its
--version, so the page cannot fall behind them; the frame holds what the help does not say
(exit statuses, environment, files). Its line `.\\" @HELP@` is replaced by SYNOPSIS,
DESCRIPTION, OPTIONS and COMMANDS, and @VERSION@ by the version.
"""
import re
import subprocess
import sys

MARKER = '.\\" @HELP@'
VERSION_MARKER = "@VERSION@"


def escape(text):
    """Text for troff: backslashes, and every dash of a word that starts with one (an option,
    "--hour-mode") is written \\-, the minus that man shows as the dash a person types, never a
    hyphen, so a search of the page finds the option; the frame's .nh keeps groff from breaking
    words at all."""
    text = text.replace("\\", "\\e")
    text = re.sub(r"(?<![\w-])-+(?:[A-Za-z0-9][\w-]*)?",
                  lambda option: option.group(0).replace("-", "\\-"), text)
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def blocks(lines):
    """Splits the help into its head and the named blocks ("Global options:", "Commands:")."""
    parts, name = {"": []}, ""
    for line in lines:
        if re.match(r"^[A-Z][\w ]*:$", line):
            name = line[:-1]
            parts[name] = []
        else:
            parts[name].append(line)
    return parts


def paragraph(lines, indent):
    """Body lines as one paragraph; a line indented deeper than the body starts a line of its
    own, as the help's little tables do."""
    out, words = [], []
    for line in lines:
        if not line.strip():
            continue
        deeper = len(line) - len(line.lstrip()) > indent
        if deeper:
            if words:
                out.append(escape(" ".join(words)))
                words = []
            out.append(".br")
            out.append("\\ \\ " + escape(line.strip()))
        elif words and words[-1].endswith("-") and line.strip()[:1].isalpha():
            words[-1] += line.strip()  # a word the help broke at its hyphen
        else:
            words.append(line.strip())
    if words:
        out.append(escape(" ".join(words)))
    return out


def options(lines):
    """"  --name VALUE   text" entries, the text going on under the 18th column."""
    out, tag, body = [], None, []
    for line in lines + ["  -END"]:
        if line.startswith("  -"):
            if tag is not None:
                out += [".TP", ".B", escape(tag)] + paragraph(body, 18)
            entry = line[2:]
            split = re.split(r"\s{2,}", entry, maxsplit=1)
            tag, body = split[0], ([" " * 18 + split[1]] if len(split) > 1 else [])
        elif tag is not None:
            body.append(line)
    return out


def commands(lines):
    """Synopsis lines indented 2, their help indented 6."""
    out, synopsis, body = [], None, []
    for line in lines + ["  END"]:
        if line.startswith("  ") and not line.startswith("   "):
            if synopsis is not None:
                out += [".TP", ".B", escape(synopsis)] + paragraph(body, 6)
            synopsis, body = line.strip(), []
        elif synopsis is not None:
            body.append(line)
    return out


def main():
    program_path, frame_path, out_path = sys.argv[1:4]
    help_text = subprocess.run([program_path, "--help"], capture_output=True, check=True,
                               encoding="utf-8").stdout
    lines = help_text.splitlines()
    parts = blocks(lines)
    head = parts[""]
    usage = head[0]
    if not usage.startswith("Usage: "):
        sys.exit("cli-manpage.py: the help does not start with a usage line")
    program, _, rest = usage[len("Usage: "):].partition(" ")
    for required in ("Global options", "Commands"):
        if required not in parts:
            sys.exit("cli-manpage.py: the help has no block " + required)
    # The commands block ends at the first line that is neither blank nor indented (the exit
    # statuses, which the frame describes at more length).
    command_lines = []
    for line in parts["Commands"]:
        if line and not line.startswith(" "):
            break
        command_lines.append(line)

    generated = [".SH SYNOPSIS", ".B " + escape(program), escape(rest), ".SH DESCRIPTION"]
    generated += paragraph(head[1:], 0)
    generated += [".SH OPTIONS"] + options(parts["Global options"])
    generated += [".SH COMMANDS"] + commands(command_lines)

    # "trekkomat-cli 2.10.0"
    version_line = subprocess.run([program_path, "--version"], capture_output=True, check=True,
                                  encoding="utf-8").stdout.split()
    if len(version_line) != 2:
        sys.exit("cli-manpage.py: --version does not print the name and the version")

    with open(frame_path, encoding="utf-8") as f:
        frame = f.read()
    if MARKER not in frame:
        sys.exit("cli-manpage.py: the frame has no line " + MARKER)
    page = frame.replace(MARKER, "\n".join(generated)).replace(VERSION_MARKER, version_line[1])
    with open(out_path, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()

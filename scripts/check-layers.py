#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the layer rules of docs/DEVELOPING.md over the includes of src/ and the programs' links.

Run from anywhere: scripts/check-layers.py [BUILD_DIR]. With a build folder it also checks that
trekkomat-cli links neither Qt Gui nor Qt Widgets. Exits 1 and names every break.
"""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SRC = os.path.join(ROOT, "src")

LOGIC = ["platform", "app/lang", "app", "device", "data", "reports", "goals", "trends", "update"]
UI = ["device/ui", "reports/ui", "goals/ui", "trends/ui"]

# Each folder may include its own files and those of the folders named here, nothing else.
ALLOWED = {
    "platform": [],
    "emulator": ["platform"],
    "backends/sim": ["platform", "emulator"],
    "backends/linux": ["platform", "backends/sim"],
    "backends/linux/desktop": ["platform", "backends/linux"],
    "app/lang": [],
    "app": ["platform", "app/lang"],
    "device": ["platform", "app/lang", "app"],
    "data": ["platform", "app/lang", "app", "device"],
    "reports": ["platform", "app/lang", "app", "device", "data"],
    "goals": ["platform", "app/lang", "app", "device", "data", "reports"],
    "trends": ["platform", "app/lang", "app", "device", "data", "reports"],
    "update": ["platform", "app/lang", "app"],
    "widgets": ["platform", "app/lang", "app"],
    "cli": ["platform", "app/lang", "app", "device", "data", "reports", "goals", "trends",
            "update", "emulator"],
    "updater": [],
}
# A ui folder may include any logic, the widgets and the other pages; never the programs.
for ui in UI:
    ALLOWED[ui] = LOGIC + ["widgets"] + UI
# The window program on top puts the pages together.
ALLOWED["window"] = LOGIC + ["widgets"] + UI

FOLDERS = sorted(ALLOWED, key=len, reverse=True)
LINUX_HEADERS = re.compile(r"^(linux/|scsi/|libudev\.h$|sys/ioctl\.h$)")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def folder_of(relative):
    for folder in FOLDERS:
        if relative == folder or relative.startswith(folder + "/"):
            return folder
    return None


def qt_module_headers(module):
    """Names of the public headers of a Qt module, found beside QtCore's headers."""
    try:
        out = subprocess.run(["qmake6", "-query", "QT_INSTALL_HEADERS"], capture_output=True,
                             text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        out = "/usr/include/x86_64-linux-gnu/qt6"
    path = os.path.join(out, module)
    return set(os.listdir(path)) if os.path.isdir(path) else set()


def main():
    widgets = qt_module_headers("QtWidgets")
    gui = qt_module_headers("QtGui")
    problems = []
    for directory, _, files in os.walk(SRC):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(directory, name)
            relative = os.path.relpath(path, SRC).replace(os.sep, "/")
            folder = folder_of(os.path.dirname(relative))
            if folder is None:
                problems.append(f"{relative}: its folder is in no layer of docs/DEVELOPING.md")
                continue
            with open(path, encoding="utf-8") as source:
                text = source.read()
            for kind, header in INCLUDE.findall(text):
                where = f"src/{relative}: #include {header}"
                if kind == "<":
                    base = header.split("/")[-1]
                    if LINUX_HEADERS.match(header) and not folder.startswith("backends/linux"):
                        problems.append(f"{where}: a Linux header above the platform layer")
                    is_ui = folder in UI or folder in ("widgets", "window")
                    if not is_ui and (header.startswith("QtWidgets/") or base in widgets):
                        problems.append(f"{where}: Qt Widgets outside the ui folders")
                    if (header.startswith("QtGui/") or base in gui) and not (
                            is_ui or folder == "backends/linux/desktop"):
                        problems.append(f"{where}: Qt Gui in a layer the command-line tool uses")
                    continue
                target = folder_of(os.path.dirname(header))
                if target is None or target == folder:
                    continue
                if target not in ALLOWED[folder]:
                    problems.append(f"{where}: {folder} may not include {target}")
    if len(sys.argv) > 1:
        cli = os.path.join(sys.argv[1], "src", "cli", "trekkomat-cli")
        linked = subprocess.run(["ldd", cli], capture_output=True, text=True).stdout
        if not linked:
            problems.append(f"{cli}: not built, so its links cannot be checked")
        for library in ("libQt6Gui", "libQt6Widgets"):
            if library in linked:
                problems.append(f"trekkomat-cli links {library}")
    for problem in problems:
        print(problem)
    print(f"layers: {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs clang-tidy over the sources, skipping every file whose input is unchanged since it was
last found clean.

  scripts/tidy-cached.py BUILD_DIR [FILE...]      (default: every src/*.cpp in git)

A file's key hashes the clang-tidy version, the .clang-tidy files that apply to it, its compile
command, its preprocessed output and the bytes of every file of this tree it includes (the
preprocessor drops comments, so a NOLINT lives only there). A change to any header the file
includes, however deep, changes the key. Only clean results are kept, as empty files named by
their key in $TREK_TIDY_CACHE or ${XDG_CACHE_HOME:-~/.cache}/trekkomat-tidy, outside the clone so
that a fresh clone profits too. Misses run two at a time (-j); any finding is printed and fails
the run, as a plain clang-tidy run would.
"""
import argparse
import concurrent.futures
import hashlib
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TIDY_ARGS = ["--quiet", "--warnings-as-errors=*"]
# Bump when the key's recipe changes, so old entries stop matching.
RECIPE = b"trekkomat-tidy 1\n"
LINE_MARKER = re.compile(rb'^# \d+ "((?:[^"\\]|\\.)*)"', re.M)
# Entries unused this long are removed; a hit renews its entry.
KEEP_SECONDS = 30 * 24 * 3600


def cache_dir():
    explicit = os.environ.get("TREK_TIDY_CACHE")
    if explicit:
        return explicit
    base = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    return os.path.join(base, "trekkomat-tidy")


def compile_commands(build_dir):
    with open(os.path.join(build_dir, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    commands = {}
    for entry in entries:
        path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
        args = entry.get("arguments") or shlex.split(entry["command"])
        commands[path] = (entry["directory"], args)
    return commands


def preprocessor(tidy_version):
    """The clang driver of clang-tidy's own version, so the preprocessed text is what it parses."""
    match = re.search(rb"version (\d+)", tidy_version)
    names = (["clang++-" + match.group(1).decode()] if match else []) + ["clang++"]
    for name in names:
        if shutil.which(name):
            return name
    return None


def preprocess_command(compiler, args):
    """The compile command turned into one that writes the preprocessed text to stdout."""
    out = [compiler]
    skip = False
    for arg in args[1:]:
        if skip:
            skip = False
        elif arg in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif arg in ("-c", "-MD", "-MMD") or arg.startswith("-o"):
            pass
        else:
            out.append(arg)
    return out + ["-E", "-w", "-o", "-"]


class Normaliser:
    """Writes the clone's and the build folder's paths as fixed words, so clones share keys."""

    def __init__(self, build_dir):
        pairs = [(os.path.abspath(build_dir), b"@BUILD@"), (ROOT, b"@ROOT@")]
        # The longer path first: the build folder usually sits inside the clone.
        self.pairs = sorted(((p.encode(), w) for p, w in pairs), key=lambda x: -len(x[0]))

    def __call__(self, data):
        for path, word in self.pairs:
            data = data.replace(path, word)
        return data


def own_files(preprocessed, directory, build_dir):
    """The files of this tree (sources, headers, generated files) the preprocessed text came
    from."""
    inside = (ROOT + os.sep, os.path.abspath(build_dir) + os.sep)
    files = set()
    for match in LINE_MARKER.finditer(preprocessed):
        name = match.group(1).decode("utf-8", "surrogateescape").replace('\\"', '"')
        if name.startswith("<"):
            continue
        path = os.path.normpath(os.path.join(directory, name))
        if path.startswith(inside):
            files.add(path)
    return sorted(files)


def tidy_configs(path):
    """Every .clang-tidy clang-tidy may read for PATH: the nearest one and those above it."""
    found = []
    folder = os.path.dirname(path)
    while True:
        candidate = os.path.join(folder, ".clang-tidy")
        if os.path.isfile(candidate):
            found.append(candidate)
        parent = os.path.dirname(folder)
        if parent == folder:
            return found
        folder = parent


def file_key(path, command, context):
    """The cache key of PATH, or None when it cannot be preprocessed (then it is always run)."""
    directory, args = command
    if context["compiler"] is None:
        return None
    run = subprocess.run(preprocess_command(context["compiler"], args), cwd=directory,
                         capture_output=True, check=False)
    if run.returncode != 0:
        return None
    normalise = context["normalise"]
    digest = hashlib.sha256(RECIPE)
    digest.update(context["fixed"])
    for config in tidy_configs(path):
        digest.update(normalise(config.encode()) + b"\0")
        with open(config, "rb") as f:
            digest.update(f.read() + b"\0")
    digest.update(normalise(os.path.relpath(path, ROOT).encode()) + b"\0")
    digest.update(normalise(shlex.join(args).encode()) + b"\0")
    digest.update(normalise(run.stdout))
    for own in own_files(run.stdout, directory, context["build_dir"]):
        with open(own, "rb") as f:
            digest.update(b"\0" + normalise(own.encode()) + b"\0" + f.read())
    return digest.hexdigest()


def check(path, command, context):
    """Returns (path, how, findings or None when clean); how is "cached", "run" or "uncacheable"."""
    key = file_key(path, command, context) if command else None
    entry = os.path.join(context["cache"], key[:2], key[2:]) if key else None
    if entry and os.path.exists(entry):
        os.utime(entry)
        return path, "cached", None
    run = subprocess.run([context["tidy"], "-p", context["build_dir"], *TIDY_ARGS, path],
                         capture_output=True, text=True, check=False)
    if run.returncode != 0:
        findings = run.stdout.strip() or run.stderr.strip() or "clang-tidy failed"
        return path, "run" if entry else "uncacheable", findings
    if not entry:
        return path, "uncacheable", None
    os.makedirs(os.path.dirname(entry), exist_ok=True)
    with open(entry, "w", encoding="utf-8"):
        pass
    return path, "run", None


def prune(cache):
    limit = time.time() - KEEP_SECONDS
    for folder, _, names in os.walk(cache):
        for name in names:
            entry = os.path.join(folder, name)
            try:
                if os.stat(entry).st_mtime < limit:
                    os.remove(entry)
            except OSError:
                pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", help="a build folder with compile_commands.json")
    parser.add_argument("files", nargs="*", help="sources to check (default: src/*.cpp)")
    parser.add_argument("-j", "--jobs", type=int, default=2)
    options = parser.parse_args()

    tidy = shutil.which("clang-tidy")
    if not tidy:
        sys.exit("tidy-cached: clang-tidy is not installed")
    files = options.files or subprocess.run(["git", "ls-files", "src/*.cpp"], cwd=ROOT,
                                            capture_output=True, text=True,
                                            check=True).stdout.split()
    files = [os.path.normpath(os.path.join(ROOT if not options.files else os.getcwd(), f))
             for f in files]
    missing = [f for f in files if not os.path.isfile(f)]
    if missing:
        sys.exit("tidy-cached: no such file: " + ", ".join(missing))
    commands = compile_commands(options.build_dir)
    version = subprocess.run([tidy, "--version"], capture_output=True, check=True).stdout
    context = {
        "tidy": tidy,
        "build_dir": os.path.abspath(options.build_dir),
        "cache": cache_dir(),
        "compiler": preprocessor(version),
        "normalise": Normaliser(options.build_dir),
        "fixed": version + b"\0" + " ".join(TIDY_ARGS).encode() + b"\0",
    }
    # The biggest sources first, so the two workers finish close together.
    files.sort(key=lambda f: -os.path.getsize(f))

    failed, counts = [], {"cached": 0, "run": 0, "uncacheable": 0}
    with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
        jobs = [pool.submit(check, f, commands.get(f), context) for f in files]
        for job in concurrent.futures.as_completed(jobs):
            path, how, findings = job.result()
            counts[how] += 1
            if findings is not None:
                failed.append(path)
                print(findings, flush=True)
    prune(context["cache"])
    if failed:
        print(f"clang-tidy: findings in {len(failed)} of {len(files)} files", file=sys.stderr)
        return 1
    summary = f"{counts['cached']} unchanged since a clean run, {counts['run']} checked"
    if counts["uncacheable"]:
        summary += f", {counts['uncacheable']} without a key (no compile command or no clang++)"
    print(f"clang-tidy: {len(files)} files clean ({summary})")
    return 0


if __name__ == "__main__":
    sys.exit(main())

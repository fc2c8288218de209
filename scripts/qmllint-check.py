#!/usr/bin/env python3
"""qmllint over the window's QML module, held to the warnings kept on purpose.

    scripts/qmllint-check.py --kept LIST --root MODULE_DIR [--list] -- QMLLINT ARGS... FILES...

Runs qmllint (with the arguments of the build's lint target) and counts its messages per
file and kind. Reads of the context property "app" are left out: the window reaches the
controller through it, and qmllint cannot know a context property's type. Fails when a file
has more messages of a kind than LIST keeps; --list prints the current counts in LIST's
format instead. The suite runs it as tst_qmllint (ctest -R tst_qmllint -V shows the whole
command, to which --list can be added).
"""
import argparse
import collections
import json
import os
import re
import subprocess
import sys
import tempfile

# Kinds by the start of qmllint's message; anything else is named by its own text.
KINDS = [
    ("unqualified", r"Unqualified access"),
    ("unused-import", r"Unused import"),
    ("deferred-id", r"Cannot defer property assignment"),
    ("maybe-method", r"Property \"[^\"]*\" is a \w+ property\. It may or may not be a method"),
    ("missing-property", r"Property \"[^\"]*\" not found on type"),
    ("no-property", r"Binding assigned to \"[^\"]*\", but no property"),
    ("binding-type", r"Cannot assign binding of type"),
    ("unresolved-type", r"(Type |')?\S+'? is used but it is not resolved|Type not found"),
    ("grouped-property", r"unknown grouped property scope"),
    ("import", r"Failed to import|Warnings occurred while importing"),
]


def kind_of(message):
    first = message.splitlines()[0] if message else ""
    for kind, pattern in KINDS:
        if re.match(pattern, first):
            return kind
    return "other:" + re.sub(r"\s+", "-", re.sub(r"\"[^\"]*\"", "X", first)).strip("-")[:60]


def read_kept(path):
    kept = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            text = line.split("#", 1)[0].strip()
            if not text:
                continue
            fields = text.split()
            if len(fields) != 3 or not fields[2].isdigit():
                sys.exit(f"{path}:{number}: expected 'file kind count  # reason'")
            if "#" not in line:
                sys.exit(f"{path}:{number}: a kept warning needs its reason after '#'")
            kept[(fields[0], fields[1])] = int(fields[2])
    return kept


def lint(command, root):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "lint.json")
        run = subprocess.run(command + ["--json", out], capture_output=True, text=True)
        if not os.path.exists(out):
            sys.exit(f"qmllint wrote no report (exit {run.returncode}):\n{run.stderr}")
        with open(out, encoding="utf-8") as f:
            report = json.load(f)
    found = collections.defaultdict(list)
    app_reads = 0
    for entry in report.get("files", []):
        if not entry.get("success", True) and not entry.get("warnings"):
            sys.exit(f"qmllint could not read {entry.get('filename')}")
        path = entry["filename"]
        name = os.path.relpath(path, root)
        lines = None
        for w in entry.get("warnings", []):
            kind = kind_of(w.get("message", ""))
            line, column = w.get("line"), w.get("column")
            if kind == "unqualified" and line and column:
                if lines is None:
                    with open(path, encoding="utf-8") as f:
                        lines = f.read().splitlines()
                if re.match(r"app\b", lines[line - 1][column - 1:]):
                    app_reads += 1
                    continue
            where = f"{name}:{line}:{column}" if line else name
            found[(name, kind)].append(f"{where}: {w.get('message', '').splitlines()[0]}")
    return found, app_reads


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kept", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command
    if not command:
        sys.exit("no qmllint command given")

    found, app_reads = lint(command, args.root)
    if args.list:
        for (name, kind), messages in sorted(found.items()):
            print(f"{name} {kind} {len(messages)}  # ")
        return 0

    kept = read_kept(args.kept)
    over = {key: messages for key, messages in found.items() if len(messages) > kept.get(key, 0)}
    for (name, kind), messages in sorted(over.items()):
        print(f"{name} {kind}: {len(messages)} found, {kept.get((name, kind), 0)} kept")
        for message in messages:
            print("    " + message)
    for (name, kind), count in sorted(kept.items()):
        if len(found.get((name, kind), [])) < count:
            print(f"note: {name} {kind} kept {count}, now {len(found.get((name, kind), []))}")
    total = sum(len(m) for m in found.values())
    print(f"qmllint: {total} messages besides {app_reads} reads of app; "
          f"{len(over)} file and kind pairs above the kept list")
    return 1 if over else 0


if __name__ == "__main__":
    sys.exit(main())

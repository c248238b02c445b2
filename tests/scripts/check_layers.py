#!/usr/bin/env python3
"""Checks that the product's includes keep the features side by side.

base/ is the toolbox at the bottom; the features desk/, session/ and player/ stand on it side by
side, each including only its own files, base/ and resources/ (base/ only those two). app/ on
top includes base/ and each feature only through its one narrow header, and runs the steps of
each command across them. Nothing includes app/. The browsers' native messaging host (host/)
reads the profile as the program does: it includes base/ and the stored password's reader. The uninstaller shares nothing with the
program but the handle owners and the display scale of base/ (both header-only).
Usage: check_layers.py [source root]; prints every include against the stack and fails on any.
"""
import os
import re
import sys

FEATURES = ["desk", "session", "player"]
NARROW = {"desk": "desk/desk.h", "session": "session/session.h", "player": "player/player.h"}
SHARED = ("resources/",)


def allowed(folder, target):
    """Whether a file of folder may include target (a path from the root, or a generated name)."""
    if "/" not in target:
        return True  # generated into the build tree (product_facts.h) or a system header
    top = target.split("/")[0]
    if top == folder or target.startswith(SHARED):
        return True
    if folder == "uninstall":
        return target in ("base/handle.h", "base/display_scale.h")
    if folder == "host":
        return top == "base" or target == "player/stored_password.h"
    if top == "base":
        return folder != "base"
    if folder == "app":
        return target in NARROW.values()
    return False


def resolve(root, source, include):
    beside = os.path.normpath(os.path.join(os.path.dirname(source), include))
    if os.path.exists(os.path.join(root, beside)) and not beside.startswith(".."):
        return beside
    return include


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../.."))
    faults = []
    for folder in ["base", "app", "uninstall", "host"] + FEATURES:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                source = os.path.relpath(os.path.join(directory, name), root)
                with open(os.path.join(root, source), encoding="utf-8") as text:
                    for number, line in enumerate(text, 1):
                        found = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                        if found and not allowed(folder, resolve(root, source, found.group(1))):
                            faults.append(f"{source}:{number}: includes {found.group(1)} against the stack")
    print("\n".join(faults) if faults else "includes follow the stack")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())

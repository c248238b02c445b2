#!/usr/bin/python3
"""Checks the compiled help file against its sources.

Usage: check_help.py HELP_SOURCE_DIR RTLN_CHM CHMLS

- every page and style sheet of the sources is inside the compiled file;
- every entry of the contents (.hhc) and the index (.hhk) names a page that exists, and an
  anchor of that page when it names one;
- every local link of every page leads to an existing file, and anchor when it names one.
Prints each problem and exits 1 when there is any.
"""
import os
import re
import subprocess
import sys
from html.parser import HTMLParser


class PageScan(HTMLParser):
    """Collects a page's anchors (name and id) and the targets of its links."""

    def __init__(self):
        super().__init__()
        self.anchors = set()
        self.links = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if attrs.get("id"):
            self.anchors.add(attrs["id"])
        if tag == "a" and attrs.get("name"):
            self.anchors.add(attrs["name"])
        if tag in ("a", "link") and attrs.get("href"):
            self.links.append(attrs["href"])


def is_local(target):
    return not re.match(r"^[a-z][a-z0-9+.-]*:", target, re.I)


def main(source_dir, chm, chmls):
    problems = []
    pages = {}
    for name in sorted(os.listdir(source_dir)):
        if name.endswith(".htm"):
            scan = PageScan()
            with open(os.path.join(source_dir, name), encoding="cp1252") as page:
                scan.feed(page.read())
            pages[name] = scan

    def resolve(where, target):
        if not is_local(target):
            return
        page, _, anchor = target.partition("#")
        page = page or where
        if not os.path.isfile(os.path.join(source_dir, page)):
            problems.append(f"{where}: {target}: no such file")
        elif anchor and (page not in pages or anchor not in pages[page].anchors):
            problems.append(f"{where}: {target}: no such anchor")

    for name, scan in pages.items():
        for target in scan.links:
            resolve(name, target)

    for sitemap in ("rtln.hhc", "rtln.hhk"):
        with open(os.path.join(source_dir, sitemap), encoding="cp1252") as text:
            entries = re.findall(r'<param\s+name="Local"\s+value="([^"]*)"', text.read(), re.I)
        if not entries:
            problems.append(f"{sitemap}: no entries")
        for target in entries:
            resolve(sitemap, target)

    listing = subprocess.run([chmls, "list", chm], capture_output=True, text=True)
    if listing.returncode != 0:
        problems.append(f"{chm}: chmls failed: {listing.stderr.strip()}")
    inside = set(re.findall(r"\s/([^/\s]+)$", listing.stdout, re.M))
    wanted = [name for name in os.listdir(source_dir) if name.endswith((".htm", ".css", ".hhc", ".hhk"))]
    for name in sorted(wanted):
        if name not in inside:
            problems.append(f"{chm}: {name} is missing")

    for problem in problems:
        print(problem)
    print(f"{len(pages)} topics, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))

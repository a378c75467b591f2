#!/usr/bin/env python3
"""Every relative link of the given Markdown files leads somewhere: to a file
of the repository and, when it names a heading (#anchor), to a heading of
that page, as GitHub makes its anchors. Links inside code are not links.
Prints each broken link as FILE:LINE: LINK: why, and exits 1 when there is
one."""
import re
import sys
from pathlib import Path

LINK = re.compile(r"\]\(([^)\s]+)\)")
CODE_SPAN = re.compile(r"`[^`]*`")


def lines_outside_code(path):
    fenced = False
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.lstrip().startswith("```"):
            fenced = not fenced
        elif not fenced:
            yield number, line


def anchor(heading):
    text = CODE_SPAN.sub(lambda m: m.group(0)[1:-1], heading.lstrip("#").strip()).lower()
    return re.sub(r"[^\w\- ]", "", text).replace(" ", "-")


def anchors(path):
    return {anchor(line) for _, line in lines_outside_code(path) if line.startswith("#")}


def broken_links(path):
    for number, line in lines_outside_code(path):
        for target in LINK.findall(CODE_SPAN.sub("", line)):
            if re.match(r"[a-z]+:", target):
                continue  # a web address: not checked here
            name, _, heading = target.partition("#")
            page = (path.parent / name).resolve() if name else path
            if not page.exists():
                yield number, target, "no such file"
            elif heading and page.suffix == ".md" and heading not in anchors(page):
                yield number, target, f"{page.name} has no heading #{heading}"


def main(files):
    broken = 0
    for file in map(Path, files):
        for number, target, why in broken_links(file):
            print(f"{file}:{number}: {target}: {why}")
            broken += 1
    print(f"{broken} broken links in {len(files)} pages")
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

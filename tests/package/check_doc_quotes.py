#!/usr/bin/env python3
"""Every code block of a page marked <!-- quoted from FILE --> stands, line
for line, in that file (relative to the page), so the page cannot drift
from the example it quotes. Usage: check_doc_quotes.py <page.md>"""
import os
import re
import sys


def quoted_blocks(page):
    lines = open(page, encoding="utf-8").read().split("\n")
    for i, line in enumerate(lines):
        match = re.fullmatch(r"(\s*)<!-- quoted from (\S+) -->", line)
        if not match or i + 1 >= len(lines) or not lines[i + 1].strip().startswith("```"):
            continue
        indent, source = match.group(1), match.group(2)
        block = []
        for body in lines[i + 2:]:
            if body.strip() == "```":
                break
            block.append(body[len(indent):] if body.startswith(indent) else body)
        yield source, i + 1, block


def main():
    page = sys.argv[1]
    failures, count = [], 0
    for source, line_number, block in quoted_blocks(page):
        count += 1
        text = open(os.path.join(os.path.dirname(page), source), encoding="utf-8").read().split("\n")
        found = any(text[start:start + len(block)] == block for start in range(len(text) - len(block) + 1))
        if not found:
            failures.append(f"{page}:{line_number}: the block quoted from {source} is not in it as it stands")
    for failure in failures:
        print(failure)
    if count == 0:
        print(f"{page} quotes nothing")
        return 1
    if not failures:
        print(f"the {count} quotations of {page} stand in their sources")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Tells whether two documents of the same format show the same pages: every page rendered by Ghostscript
at 72 dpi (one pixel a point, no anti-aliasing, no image interpolation) must be identical pixel for
pixel; for PDF, `qpdf --check` must pass on both and `pdftotext` must read the same text from both.

usage: scripts/compare-documents.py FIRST SECOND

Made to compare a compact document with the default one of the same calls. The pages are rendered as
one stream per document and compared as they arrive, so that documents of thousands of pages need no
more than two pages in memory. PostScript pages are rendered on the sheet the document's
%%DocumentMedia comment names. Exits 0 when the documents agree, 1 when they differ (saying where),
77 when a reader is missing (1 when the environment variable CI is set).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

RENDER = ["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-dNOINTERPOLATE", "-dTextAlphaBits=1",
          "-dGraphicsAlphaBits=1", "-r72", "-sDEVICE=ppmraw", "-sstdout=%stderr", "-sOutputFile=-"]


def need(tool):
    if shutil.which(tool) is None:
        print(f"{'FAIL' if os.environ.get('CI') else 'SKIP'}: {tool} is missing", file=sys.stderr)
        sys.exit(1 if os.environ.get("CI") else 77)


def sheet_options(path):
    """Ghostscript's page size for a PostScript file: the sheet its %%DocumentMedia comment names."""
    with open(path, "rb") as document:
        for _ in range(200):
            line = document.readline()
            if not line or line.startswith(b"%%EndComments"):
                break
            media = re.match(rb"%%DocumentMedia: \S+ (\d+) (\d+)", line)
            if media:
                return [f"-dDEVICEWIDTHPOINTS={media.group(1).decode()}",
                        f"-dDEVICEHEIGHTPOINTS={media.group(2).decode()}", "-dFIXEDMEDIA"]
    return []


def read_number(stream):
    """The next number of a PPM header, past blanks and comments; None at the end of the stream."""
    digits = b""
    while True:
        byte = stream.read(1)
        if not byte:
            return None
        if byte == b"#":
            stream.readline()
        elif byte.isdigit():
            digits += byte
        elif digits:
            return int(digits)


def pages(stream):
    """The pages of a stream of binary PPM images, one at a time: (width, height, pixels)."""
    while True:
        magic = stream.read(2)
        if not magic:
            return
        if magic != b"P6":
            raise ValueError(f"not a binary PPM page: {magic!r}")
        width, height, maximum = read_number(stream), read_number(stream), read_number(stream)
        if None in (width, height, maximum) or maximum != 255:
            raise ValueError("a PPM header Ghostscript should not write")
        pixels = stream.read(width * height * 3)
        if len(pixels) != width * height * 3:
            raise ValueError("a page cut short")
        yield width, height, pixels


def differing_pixels(first, second):
    return sum(1 for at in range(0, len(first), 3) if first[at:at + 3] != second[at:at + 3])


def compare_renderings(first, second, options):
    """Renders both documents side by side and returns the list of problems found."""
    # Messages go to files, which never fill up and stop a renderer as a pipe would.
    messages = [tempfile.TemporaryFile() for _ in (first, second)]
    renderers = [subprocess.Popen(RENDER + options + [path], stdout=subprocess.PIPE, stderr=message)
                 for path, message in zip((first, second), messages)]
    problems, count = [], 0
    streams = [pages(renderer.stdout) for renderer in renderers]
    for count, (one, other) in enumerate(zip(*streams), start=1):
        if one[:2] != other[:2]:
            problems.append(f"page {count}: {one[0]}x{one[1]} against {other[0]}x{other[1]} pixels")
        elif one[2] != other[2]:
            problems.append(f"page {count}: {differing_pixels(one[2], other[2])} pixels differ")
    # Pages one document has beyond the other's last.
    extra = [sum(1 for _ in stream) for stream in streams]
    if extra != [0, 0]:
        problems.append(f"page counts differ: {count + extra[0]} against {count + extra[1]}")
    for path, renderer, message in zip((first, second), renderers, messages):
        status = renderer.wait()
        message.seek(0)
        error = message.read().decode(errors="replace")
        if status != 0 or re.search("error", error, re.IGNORECASE):
            problems.append(f"Ghostscript could not render {path}: {error.strip()}")
    if not problems:
        print(f"OK: {count} pages render identically")
    return problems


def compare_pdf_readers(first, second):
    problems = []
    for path in (first, second):
        check = subprocess.run(["qpdf", "--check", path], capture_output=True, text=True)
        if check.returncode != 0:
            problems.append(f"qpdf --check {path}: {check.stdout.strip()} {check.stderr.strip()}")
    with tempfile.TemporaryDirectory() as folder:
        texts = []
        for index, path in enumerate((first, second)):
            text = os.path.join(folder, f"{index}.txt")
            subprocess.run(["pdftotext", "-layout", path, text], check=True)
            with open(text, "rb") as read:
                texts.append(read.read())
    if texts[0] != texts[1]:
        problems.append("pdftotext reads different texts")
    elif not problems:
        print(f"OK: qpdf --check passes on both; pdftotext reads the same {len(texts[0])} bytes")
    return problems


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    first, second = sys.argv[1:]
    pdf = first.endswith(".pdf")
    need("gs")
    problems = []
    if pdf:
        need("qpdf")
        need("pdftotext")
        problems += compare_pdf_readers(first, second)
    problems += compare_renderings(first, second, [] if pdf else sheet_options(first))
    for problem in problems[:20]:
        print(f"FAIL: {problem}", file=sys.stderr)
    if len(problems) > 20:
        print(f"FAIL: and {len(problems) - 20} more", file=sys.stderr)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The standard report from Python, as a whole program: standard_report.py pdf|ps PAGES FILE.

The same calls as bench/report_program.cpp, each page's lines built with ordinary string formatting; the
bytes written equal the C++ program's. Exits 0 when the document reached the file."""
import sys

import paginor
from paginor import AlignmentConstants, FontEffectConstants, FontNumberConstants, FontStyleConstants


def write_report_page(document, page):
    """One page of the standard report: heading, 40 lines of text and five figures."""
    document.NewPage(36, 36, 36, 36, 255, 255, 230)
    document.SetFont(FontNumberConstants.Helvetica, 16, FontStyleConstants.Bold, FontEffectConstants.NoFontEffect)
    document.WriteText(f"Quarterly report, page {page}", True, 8, AlignmentConstants.Center)
    document.SetFont(FontNumberConstants.Helvetica, 10, FontStyleConstants.Regular,
                     FontEffectConstants.NoFontEffect)
    write_text = document.WriteText
    page_label = f"{page:4d}"
    for index in range(1, 41):
        write_text(f"Line {index:2d} of page {page_label}: the quick brown fox jumps over the lazy dog "
                   f"{index * page} times.", True, 2)
    document.SetColor(0, 128, 0)
    document.SetFillColor(255, 204, 0)
    document.SetFillStyle(True)
    document.SetThickness(2)
    document.DrawLine(10, 560, 510, 580)
    document.DrawRectangle(10, 600, 150, 60)
    document.DrawCircle(244, 630, 35)
    document.DrawEllipse(364, 630, 60, 20)
    document.DrawArc(464, 630, 40, 0, 120)
    document.SetColor(0, 0, 0)
    document.SetFillStyle(False)
    document.SetThickness(1)


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("pdf", "ps") or not sys.argv[2].isdigit():
        sys.exit("usage: standard_report.py pdf|ps PAGES FILE")
    document = paginor.PDF() if sys.argv[1] == "pdf" else paginor.PS()
    if not document.Create(sys.argv[3]):
        sys.exit(f"standard_report.py: cannot create {sys.argv[3]}: {document.LastFailureMessage()}")
    for page in range(1, int(sys.argv[2]) + 1):
        write_report_page(document, page)
    if not document.Flush():
        sys.exit(f"standard_report.py: the document did not reach {sys.argv[3]}: {document.LastFailureMessage()}")


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The same document as PDF and as PostScript: the page is drawn once, by a function that takes any
paginor.Document; only the class differs. Usage: both_formats.py [output stem] (writes <stem>.pdf and
<stem>.ps; the default stem is "both_formats"). The Python twin of examples/both_formats.cpp."""
import sys

import paginor
from paginor import AlignmentConstants, BulletConstants, FontEffectConstants, FontNumberConstants, FontStyleConstants


def draw_sample(document: paginor.Document, path: str) -> bool:
    """Draws and writes the whole document; False when any item was refused or the file not written."""
    document.title = "One document, two formats"
    document.author = "Paginor examples"
    document.paper_size = paginor.PaperSizeConstants.Letter
    document.orientation = paginor.OrientationConstants.Landscape
    with document:  # flushed when the block ends, dropped if it raises
        if not document.Create(path):
            return False
        document.NewPage(48, 48, 48, 48, 255, 255, 255)
        ok = True
        document.SetFont(FontNumberConstants.Times, 28, FontStyleConstants.Bold, FontEffectConstants.NoFontEffect)
        ok = document.WriteText("One document, two formats", True, 10, AlignmentConstants.Center) and ok
        document.SetFont(FontNumberConstants.Helvetica, 12, FontStyleConstants.Regular, FontEffectConstants.NoFontEffect)
        ok = document.WriteTitle("Drawn once through paginor::Document", AlignmentConstants.NoAlignment,
                                 BulletConstants.Disc) and ok
        ok = document.WriteTitle("Written as PDF and as PostScript", AlignmentConstants.NoAlignment,
                                 BulletConstants.Square) and ok

        # Figures: a filled rectangle, a dashed ellipse, a pie slice from 30 to 300 degrees and a curve.
        document.SetThickness(2)
        document.SetColor(30, 60, 120)
        document.SetFillColor(200, 215, 240)
        document.SetFillStyle(True)
        ok = document.DrawRectangle(0, 110, 160, 90) and ok
        document.SetDash("6 3")
        ok = document.DrawEllipse(280, 155, 90, 45) and ok
        document.SetDash("")
        document.SetFillColor(250, 200, 90)
        ok = document.DrawArc(470, 155, 45, 30, 300) and ok
        document.SetFillStyle(False)
        ok = document.DrawCurve(560, 200, 620, 100, 690, 200) and ok
        document.SetThickness(1)
        document.SetColor(0, 0, 0)

        document.SetPosition(0, 230)
        document.SetFont(FontNumberConstants.Times, 12, FontStyleConstants.Regular, FontEffectConstants.NoFontEffect)
        ok = document.WriteMultiText(
            "A host program switches between the two formats by switching the class: every drawing, text "
            "and picture operation takes the same arguments and places its item at the same position in "
            "both. Only PDF adds hyperlinks and the keywords, producer and subject properties.",
            3, AlignmentConstants.Center, True, 480) and ok
    return ok


def main():
    stem = sys.argv[1] if len(sys.argv) > 1 else "both_formats"
    try:
        written = draw_sample(paginor.PDF(), f"{stem}.pdf") and draw_sample(paginor.PS(), f"{stem}.ps")
    except paginor.Error as error:
        written = False
        print(error, file=sys.stderr)
    if not written:
        sys.exit(f"could not write {stem}.pdf and {stem}.ps")
    print(f"{stem}.pdf\n{stem}.ps")


if __name__ == "__main__":
    main()

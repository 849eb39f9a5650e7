#!/usr/bin/env python3
"""A two-page invoice, written once through paginor.Document and saved as PDF and as PostScript: a logo,
the addresses, a table of 30 items that goes on over a page break with its heading repeated, amounts
right-aligned at their column edges with TextWidth, totals, payment terms with a link, and a
"Page N of M" footer on every page. Usage: invoice.py [output stem] (writes <stem>.pdf and <stem>.ps;
the default stem is "invoice").

The Python twin of examples/invoice.cpp: the same calls, so the same bytes."""
import sys

import paginor
from paginor import AlignmentConstants, FontEffectConstants, FontNumberConstants, FontStyleConstants

GOODS = ("Laid writing paper, A4, ream of 500", "Envelopes C5, box of 250", "Bookcloth, navy, per metre",
         "Bone folder", "Linen thread, 50 m", "Archival glue, 1 litre", "Marbled endpapers, pack of 20",
         "Mull, per metre", "Headbands, assorted, 10 m", "Board, 2 mm, sheet of 700 x 1000")
# Thirty lines of stationery, enough to need a second page: (description, quantity, unit price in cents).
ITEMS = [(GOODS[index % 10] + ("" if index < 10 else ", second lot" if index < 20 else ", third lot"),
          1 + index * 7 % 13, 275 + index * 389 % 2400) for index in range(30)]

# A4 with 50-point margins: 495 points across inside them.
TABLE_WIDTH = 495
ROW_HEIGHT = 18
PADDING = 6
# Right edges of the columns Description, Quantity, Unit price and Amount.
COLUMN_ENDS = (265, 315, 405, TABLE_WIDTH)


def money(cents):
    """123456 cents as "1,234.56"."""
    return f"{cents // 100:,}.{cents % 100:02d}"


class Invoice:
    def __init__(self, document: paginor.Document):
        self.document = document
        self.ok = True

    def check(self, accepted):
        """Every call that can refuse is checked: one refusal makes the whole invoice fail."""
        self.ok = self.ok and accepted

    def font(self, family, height, style=FontStyleConstants.Regular):
        self.document.SetFont(family, height, style, FontEffectConstants.NoFontEffect)

    def text_at(self, x, y, text, link=""):
        self.document.SetPosition(x, y)
        self.check(self.document.WriteText(text, False, 0, AlignmentConstants.NoAlignment, link))

    def text_ending_at(self, right, y, text):
        """A text whose end lies PADDING points before the column edge `right`, measured in the current font."""
        self.text_at(int(right - PADDING - self.document.TextWidth(text)), y, text)

    def new_page(self):
        self.document.NewPage(50, 50, 50, 50, 255, 255, 255)

    def heading(self):
        """The logo (a pie slice in a square), the sender, the invoice's numbers and the customer."""
        document = self.document
        document.SetColor(30, 70, 130)
        document.SetFillColor(30, 70, 130)
        document.SetFillStyle(True)
        self.check(document.DrawRectangle(0, 0, 34, 34))
        document.SetFillColor(245, 180, 60)
        self.check(document.DrawArc(17, 17, 12, 20, 340))
        document.SetFillStyle(False)
        document.SetColor(0, 0, 0)

        self.font(FontNumberConstants.Helvetica, 20, FontStyleConstants.Bold)
        self.text_at(44, 6, "Northwind Paper Supplies")
        document.SetPosition(0, 6)
        self.check(document.WriteText("INVOICE", False, 0, AlignmentConstants.RightAlign))

        self.font(FontNumberConstants.Helvetica, 9)
        document.SetPosition(44, 34)
        for line in ("12 Harbour Lane", "Port Ellis, PE4 2AX", "accounts@northwind.example"):
            self.check(document.WriteText(line, True, 3))
        document.SetPosition(0, 34)
        for line in ("Invoice no. 2026-0417", "Date: 8 December 2026", "Due: 7 January 2027"):
            self.check(document.WriteText(line, True, 3, AlignmentConstants.RightAlign))

        self.font(FontNumberConstants.Helvetica, 10, FontStyleConstants.Bold)
        self.text_at(0, 100, "Bill to")
        self.font(FontNumberConstants.Helvetica, 10)
        document.SetPosition(0, 116)
        for line in ("Marta Okafor", "Okafor & Daughters Bookbinding", "3 Mill Street, Lowbridge"):
            self.check(document.WriteText(line, True, 3))

    def heading_row(self, y):
        """The table's heading row at y: shaded, outlined, the number columns' headings right-aligned."""
        document = self.document
        document.SetColor(120, 120, 120)
        document.SetFillColor(225, 230, 238)
        document.SetFillStyle(True)
        self.check(document.DrawRectangle(0, y, TABLE_WIDTH, ROW_HEIGHT))
        document.SetFillStyle(False)
        document.SetColor(0, 0, 0)
        self.font(FontNumberConstants.Helvetica, 10, FontStyleConstants.Bold)
        self.text_at(PADDING, y + 4, "Description")
        for end, heading in zip(COLUMN_ENDS[1:], ("Qty", "Unit price", "Amount")):
            self.text_ending_at(end, y + 4, heading)

    def columns(self, top, bottom):
        """The column separators of the rows from top to bottom."""
        self.document.SetColor(120, 120, 120)
        self.check(self.document.DrawLine(0, top, 0, bottom))
        for end in COLUMN_ENDS:
            self.check(self.document.DrawLine(end, top, end, bottom))
        self.document.SetColor(0, 0, 0)

    def table(self, top, items):
        """The table from top down, one row per item; when the room left on the page (above its footer)
        does not take another row, the table goes on at the top of a new page under its heading repeated.
        Returns the y below the table and the subtotal in cents."""
        document = self.document
        self.heading_row(top)
        y = top + ROW_HEIGHT
        page_top = top
        subtotal = 0
        for description, quantity, unit_cents in items:
            document.SetPosition(0, y)
            _, down = document.GetSpaceLeft()
            if down < ROW_HEIGHT:
                self.columns(page_top, y)
                self.new_page()
                page_top = 0
                self.heading_row(0)
                y = ROW_HEIGHT
            amount = quantity * unit_cents
            subtotal += amount
            self.font(FontNumberConstants.Helvetica, 10)
            self.text_at(PADDING, y + 4, description)
            self.text_ending_at(COLUMN_ENDS[1], y + 4, str(quantity))
            self.text_ending_at(COLUMN_ENDS[2], y + 4, money(unit_cents))
            self.text_ending_at(COLUMN_ENDS[3], y + 4, money(amount))
            y += ROW_HEIGHT
            document.SetColor(200, 200, 200)
            self.check(document.DrawLine(0, y, TABLE_WIDTH, y))
            document.SetColor(0, 0, 0)
        self.columns(page_top, y)
        return y, subtotal

    def totals(self, top, subtotal):
        """Subtotal, tax and total under the last two columns; the total is bold and double-ruled."""
        tax = (subtotal * 20 + 50) // 100  # 20 %, rounded to the cent
        y = top + 6
        for label, cents, total in (("Subtotal", subtotal, False), ("VAT 20 %", tax, False),
                                    ("Total due", subtotal + tax, True)):
            style = FontStyleConstants.Bold if total else FontStyleConstants.Regular
            self.font(FontNumberConstants.Helvetica, 10, style)
            self.text_at(COLUMN_ENDS[1] + PADDING, y, label)
            self.text_ending_at(COLUMN_ENDS[3], y, money(cents))
            y += ROW_HEIGHT
        rule = y - 3
        self.check(self.document.DrawLine(COLUMN_ENDS[1], rule, TABLE_WIDTH, rule))
        self.check(self.document.DrawLine(COLUMN_ENDS[1], rule + 2, TABLE_WIDTH, rule + 2))
        return y

    def terms(self, top):
        document = self.document
        self.font(FontNumberConstants.Helvetica, 9, FontStyleConstants.Bold)
        self.text_at(0, top, "Payment terms")
        self.font(FontNumberConstants.Times, 10)
        document.SetPosition(0, top + 14)
        self.check(document.WriteMultiText(
            "Please pay the total due within 30 days of the invoice date by bank transfer, quoting the invoice "
            "number. Goods remain our property until paid in full.",
            2, AlignmentConstants.NoAlignment, True, 300))
        self.font(FontNumberConstants.Times, 10, FontStyleConstants.Italic)
        document.SetColor(20, 60, 170)
        _, y = document.GetPosition()
        self.text_at(0, y + 4, "Pay online: pay.northwind.example/2026-0417",
                     "https://pay.northwind.example/2026-0417")
        document.SetColor(0, 0, 0)


def write_invoice(document: paginor.Document, path: str) -> bool:
    """The whole invoice on any document; False when any item was refused or the document not written."""
    document.title = "Invoice 2026-0417"
    document.author = "Northwind Paper Supplies"
    document.paper_size = paginor.PaperSizeConstants.A4
    # "{page}" and "{pages}" are filled in on every page, also those a table or paragraph starts.
    document.footer = "Invoice 2026-0417 - page {page} of {pages}"
    if not document.Create(path):
        return False
    invoice = Invoice(document)
    invoice.new_page()
    invoice.heading()
    below, subtotal = invoice.table(180, ITEMS)
    invoice.terms(invoice.totals(below, subtotal) + 24)
    return document.Flush() and invoice.ok


def main():
    stem = sys.argv[1] if len(sys.argv) > 1 else "invoice"
    for document, extension in ((paginor.PDF(), ".pdf"), (paginor.PS(), ".ps")):
        path = stem + extension
        if not write_invoice(document, path):
            sys.exit(f"could not write {path}: {document.LastFailureMessage()}")
        print(path)


if __name__ == "__main__":
    main()

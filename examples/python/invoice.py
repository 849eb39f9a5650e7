#!/usr/bin/env python3
"""An invoice: a heading, addresses, a table drawn with lines and amounts right-aligned in their columns,
totals and payment terms. Usage: invoice.py [output.pdf]

The Python twin of examples/invoice.cpp: the same calls, so the same bytes."""
import sys

import paginor
from paginor import AlignmentConstants, FontEffectConstants, FontNumberConstants, FontStyleConstants

ITEMS = [
    ("Laid writing paper, A4, ream of 500", 12, 1895), ("Envelopes C5, box of 250", 4, 2250),
    ("Bookcloth, navy, per metre", 25, 1140), ("Bone folder", 3, 675),
    ("Linen thread, 50 m", 10, 420), ("Archival glue, 1 litre", 2, 2399),
    ("Marbled endpapers, pack of 20", 6, 1575), ("Delivery", 1, 1250),
]
# The area inside the margins is 495 points wide on A4 with 50-point margins.
TABLE_WIDTH = 495
ROW_HEIGHT = 18
PADDING = 6
# Right edges of the columns Description, Quantity, Unit price and Amount.
COLUMN_ENDS = (265, 315, 405, TABLE_WIDTH)
NUMBER_HEIGHT = 10


def money(cents):
    """123456 cents as "1,234.56"."""
    return f"{cents // 100:,}.{cents % 100:02d}"


class Invoice:
    def __init__(self, pdf):
        self.pdf = pdf
        self.ok = True

    def check(self, accepted):
        """Every call that can refuse is checked: one refusal makes the whole invoice fail."""
        self.ok = self.ok and accepted

    def font(self, family, height, style=FontStyleConstants.Regular):
        self.pdf.SetFont(family, height, style, FontEffectConstants.NoFontEffect)

    def text_at(self, x, y, text):
        self.pdf.SetPosition(x, y)
        self.check(self.pdf.WriteText(text))

    def number_ending_at(self, right, y, number):
        """Courier's characters are all 0.6 of the font height wide: a number is right-aligned by its length."""
        self.font(FontNumberConstants.Courier, NUMBER_HEIGHT)
        self.text_at(right - PADDING - len(number) * NUMBER_HEIGHT * 6 // 10, y, number)

    def heading(self):
        pdf = self.pdf
        self.font(FontNumberConstants.Helvetica, 20, FontStyleConstants.Bold)
        self.text_at(0, 0, "Northwind Paper Supplies")
        pdf.SetPosition(0, 0)
        self.check(pdf.WriteText("INVOICE", False, 0, AlignmentConstants.RightAlign))
        self.font(FontNumberConstants.Helvetica, 9)
        pdf.SetPosition(0, 28)
        for line in ("12 Harbour Lane", "Port Ellis, PE4 2AX", "accounts@northwind.example"):
            self.check(pdf.WriteText(line, True, 3))
        pdf.SetPosition(0, 28)
        for line in ("Invoice no. 2026-0417", "Date: 8 December 2026", "Due: 7 January 2027"):
            self.check(pdf.WriteText(line, True, 3, AlignmentConstants.RightAlign))
        self.font(FontNumberConstants.Helvetica, 10, FontStyleConstants.Bold)
        self.text_at(0, 100, "Bill to")
        self.font(FontNumberConstants.Helvetica, 10)
        pdf.SetPosition(0, 116)
        for line in ("Marta Okafor", "Okafor & Daughters Bookbinding", "3 Mill Street, Lowbridge"):
            self.check(pdf.WriteText(line, True, 3))

    def table(self, top):
        """The table from `top` down; returns the y below it and the subtotal in cents."""
        pdf = self.pdf
        pdf.SetColor(120, 120, 120)
        pdf.SetThickness(1)
        pdf.SetFillColor(225, 230, 238)
        pdf.SetFillStyle(True)
        self.check(pdf.DrawRectangle(0, top, TABLE_WIDTH, ROW_HEIGHT))
        pdf.SetFillStyle(False)
        pdf.SetColor(0, 0, 0)
        self.font(FontNumberConstants.Helvetica, 10, FontStyleConstants.Bold)
        self.text_at(PADDING, top + 4, "Description")
        for column, heading in enumerate(("Qty", "Unit price", "Amount"), start=1):
            self.text_at(COLUMN_ENDS[column - 1] + PADDING, top + 4, heading)
        y = top + ROW_HEIGHT
        subtotal = 0
        for description, quantity, unit_cents in ITEMS:
            amount = quantity * unit_cents
            subtotal += amount
            self.font(FontNumberConstants.Helvetica, 10)
            self.text_at(PADDING, y + 4, description)
            self.number_ending_at(COLUMN_ENDS[1], y + 4, str(quantity))
            self.number_ending_at(COLUMN_ENDS[2], y + 4, money(unit_cents))
            self.number_ending_at(COLUMN_ENDS[3], y + 4, money(amount))
            y += ROW_HEIGHT
            pdf.SetColor(200, 200, 200)
            self.check(pdf.DrawLine(0, y, TABLE_WIDTH, y))
            pdf.SetColor(0, 0, 0)
        # Outer frame and column separators, drawn last so that they lie over the header's fill.
        pdf.SetColor(120, 120, 120)
        self.check(pdf.DrawLine(0, top, TABLE_WIDTH, top))
        self.check(pdf.DrawLine(0, y, TABLE_WIDTH, y))
        self.check(pdf.DrawLine(0, top, 0, y))
        for end in COLUMN_ENDS:
            self.check(pdf.DrawLine(end, top, end, y))
        pdf.SetColor(0, 0, 0)
        return y, subtotal

    def totals(self, top, subtotal):
        tax = (subtotal * 20 + 50) // 100  # 20 %, rounded to the cent
        y = top + 6
        for label, cents in (("Subtotal", subtotal), ("VAT 20 %", tax), ("Total due", subtotal + tax)):
            bold = label == "Total due"
            self.font(FontNumberConstants.Helvetica, 10, FontStyleConstants.Bold if bold else FontStyleConstants.Regular)
            self.text_at(COLUMN_ENDS[1] + PADDING, y, label)
            self.number_ending_at(COLUMN_ENDS[3], y, money(cents))
            y += ROW_HEIGHT
        rule = y - 3
        self.check(self.pdf.DrawLine(COLUMN_ENDS[1], rule, TABLE_WIDTH, rule))
        self.check(self.pdf.DrawLine(COLUMN_ENDS[1], rule + 2, TABLE_WIDTH, rule + 2))
        return y

    def terms(self, top):
        self.font(FontNumberConstants.Helvetica, 9, FontStyleConstants.Bold)
        self.text_at(0, top, "Payment terms")
        self.font(FontNumberConstants.Times, 10)
        self.pdf.SetPosition(0, top + 14)
        self.check(self.pdf.WriteMultiText(
            "Please pay the total due within 30 days of the invoice date by bank transfer to the account "
            "below, quoting the invoice number. Goods remain our property until paid in full. Questions "
            "about this invoice: accounts@northwind.example.",
            2, AlignmentConstants.NoAlignment, True, 300))


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "invoice.pdf"
    pdf = paginor.PDF()
    pdf.title = "Invoice 2026-0417"
    pdf.author = "Northwind Paper Supplies"
    pdf.subject = "Invoice"
    pdf.paper_size = paginor.PaperSizeConstants.A4
    if not pdf.Create(path):
        sys.exit(f"cannot create {path}: {pdf.LastFailureMessage()}")
    pdf.NewPage(50, 50, 50, 50, 255, 255, 255)
    invoice = Invoice(pdf)
    invoice.heading()
    below, subtotal = invoice.table(180)
    invoice.terms(invoice.totals(below, subtotal) + 24)
    if not pdf.Flush() or not invoice.ok:
        sys.exit(f"could not write {path}")
    print(path)


if __name__ == "__main__":
    main()

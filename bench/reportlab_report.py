#!/usr/bin/env python3
"""The standard report written with ReportLab's canvas, as a whole program to measure Paginor's Python
module against: reportlab_report.py PAGES FILE (Debian: python3-reportlab).

The same pages as bench/standard_report.py: A4 with a pale yellow background inside 36-point margins, a
centred bold heading, 40 lines of Helvetica 10 built with ordinary string formatting, a line, a rectangle,
a circle, an ellipse and a pie slice in green filled with orange, and a centred footer in Times 10."""
import sys

from reportlab.lib.pagesizes import A4
from reportlab.pdfgen import canvas

WIDTH, HEIGHT = A4
MARGIN = 36
FOOTER = "Paginor (c) 2026 The Paginor developers"


def top(y):
    """ReportLab's y (from the bottom of the page) of a y measured down from the top margin."""
    return HEIGHT - MARGIN - y


def write_report_page(pdf, page):
    pdf.setFillColorRGB(1, 1, 230 / 255)
    pdf.rect(0, 0, WIDTH, HEIGHT, stroke=0, fill=1)
    pdf.setFillColorRGB(0, 0, 0)
    pdf.setFont("Helvetica-Bold", 16)
    pdf.drawCentredString(WIDTH / 2, top(16), f"Quarterly report, page {page}")
    pdf.setFont("Helvetica", 10)
    y = 24
    for index in range(1, 41):
        pdf.drawString(MARGIN, top(y + 10),
                       f"Line {index:2d} of page {page:4d}: the quick brown fox jumps over the lazy dog "
                       f"{index * page} times.")
        y += 12
    pdf.setStrokeColorRGB(0, 128 / 255, 0)
    pdf.setFillColorRGB(1, 204 / 255, 0)
    pdf.setLineWidth(2)
    pdf.line(MARGIN + 10, top(560), MARGIN + 510, top(580))
    pdf.rect(MARGIN + 10, top(660), 150, 60, stroke=1, fill=1)
    pdf.circle(MARGIN + 244, top(630), 35, stroke=1, fill=1)
    pdf.ellipse(MARGIN + 304, top(650), MARGIN + 424, top(610), stroke=1, fill=1)
    pdf.wedge(MARGIN + 424, top(670), MARGIN + 504, top(590), 0, 120, stroke=1, fill=1)
    pdf.setStrokeColorRGB(0, 0, 0)
    pdf.setFillColorRGB(0, 0, 0)
    pdf.setLineWidth(1)
    pdf.setFont("Times-Roman", 10)
    pdf.drawCentredString(WIDTH / 2, MARGIN + 2, FOOTER)
    pdf.showPage()


def main():
    if len(sys.argv) != 3 or not sys.argv[1].isdigit():
        sys.exit("usage: reportlab_report.py PAGES FILE")
    pdf = canvas.Canvas(sys.argv[2], pagesize=A4, pageCompression=0)
    for page in range(1, int(sys.argv[1]) + 1):
        write_report_page(pdf, page)
    pdf.save()


if __name__ == "__main__":
    main()

// An invoice: a heading, addresses, a table drawn with lines and amounts right-aligned in their columns,
// totals and payment terms. Usage: invoice [output.pdf]
#include <paginor/paginor.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using paginor::AlignmentConstants;
using paginor::FontEffectConstants;
using paginor::FontNumberConstants;
using paginor::FontStyleConstants;

struct Item {
  std::string description;
  int quantity;
  long long unitCents;
};

// 123456 cents as "1,234.56".
std::string Money(long long cents) {
  const std::string digits = std::to_string(cents / 100);
  std::string money;
  for (size_t index = 0; index < digits.size(); ++index) {
    if (index > 0 && (digits.size() - index) % 3 == 0) money += ',';
    money += digits[index];
  }
  const long long rest = cents % 100;
  return money + (rest < 10 ? ".0" : ".") + std::to_string(rest);
}

// The page layout: the area inside the margins is 495 points wide on A4 with 50-point margins.
constexpr int16_t kTableWidth = 495;
constexpr int16_t kRowHeight = 18;
constexpr int16_t kPadding = 6;
// Right edges of the columns Description, Quantity, Unit price and Amount.
constexpr int16_t kColumnEnds[] = {265, 315, 405, kTableWidth};
constexpr uint8_t kNumberHeight = 10;

class Invoice {
 public:
  explicit Invoice(paginor::PDF& pdf) : pdf_(pdf) {}

  // Every call that can refuse is checked: one refusal makes the whole invoice fail.
  void Check(bool accepted) { ok_ = ok_ && accepted; }
  bool Ok() const { return ok_; }

  void Font(FontNumberConstants family, uint8_t height, FontStyleConstants style = FontStyleConstants::Regular) {
    pdf_.SetFont(family, height, style, FontEffectConstants::NoFontEffect);
  }

  // A text starting at (x, y).
  void TextAt(int16_t x, int16_t y, const std::string& text) {
    pdf_.SetPosition(x, y);
    Check(pdf_.WriteText(text));
  }

  // A number whose last character ends kPadding points before `right`. Courier's characters are all
  // 0.6 of the font height wide, so a number in Courier is right-aligned by its character count.
  void NumberEndingAt(int16_t right, int16_t y, const std::string& number) {
    Font(FontNumberConstants::Courier, kNumberHeight);
    const int width = static_cast<int>(number.size()) * kNumberHeight * 6 / 10;
    TextAt(static_cast<int16_t>(right - kPadding - width), y, number);
  }

  void Heading() {
    Font(FontNumberConstants::Helvetica, 20, FontStyleConstants::Bold);
    TextAt(0, 0, "Northwind Paper Supplies");
    // RightAlign ends the text at the right margin, whatever its width.
    pdf_.SetPosition(0, 0);
    Check(pdf_.WriteText("INVOICE", false, 0, AlignmentConstants::RightAlign));

    Font(FontNumberConstants::Helvetica, 9);
    pdf_.SetPosition(0, 28);
    for (const char* line : {"12 Harbour Lane", "Port Ellis, PE4 2AX", "accounts@northwind.example"}) {
      Check(pdf_.WriteText(line, true, 3));
    }
    pdf_.SetPosition(0, 28);
    for (const char* line : {"Invoice no. 2026-0417", "Date: 8 December 2026", "Due: 7 January 2027"}) {
      Check(pdf_.WriteText(line, true, 3, AlignmentConstants::RightAlign));
    }

    Font(FontNumberConstants::Helvetica, 10, FontStyleConstants::Bold);
    TextAt(0, 100, "Bill to");
    Font(FontNumberConstants::Helvetica, 10);
    pdf_.SetPosition(0, 116);
    for (const char* line : {"Marta Okafor", "Okafor & Daughters Bookbinding", "3 Mill Street, Lowbridge"}) {
      Check(pdf_.WriteText(line, true, 3));
    }
  }

  // The table from `top` down: a shaded header row, one row per item, ruled lines and column
  // separators. Returns the y below the table.
  int16_t Table(int16_t top, const std::vector<Item>& items, long long& subtotal) {
    // Header row: a rectangle filled in light grey, outlined in the line colour.
    pdf_.SetColor(120, 120, 120);
    pdf_.SetThickness(1);
    pdf_.SetFillColor(225, 230, 238);
    pdf_.SetFillStyle(true);
    Check(pdf_.DrawRectangle(0, top, kTableWidth, kRowHeight));
    pdf_.SetFillStyle(false);
    pdf_.SetColor(0, 0, 0);

    Font(FontNumberConstants::Helvetica, 10, FontStyleConstants::Bold);
    const int16_t headerText = static_cast<int16_t>(top + 4);
    TextAt(kPadding, headerText, "Description");
    const char* numberHeadings[] = {"Qty", "Unit price", "Amount"};
    // The headings of number columns are left-aligned at the column start.
    for (int column = 1; column < 4; ++column) {
      TextAt(static_cast<int16_t>(kColumnEnds[column - 1] + kPadding), headerText, numberHeadings[column - 1]);
    }

    int16_t y = static_cast<int16_t>(top + kRowHeight);
    subtotal = 0;
    for (const Item& item : items) {
      const long long amount = item.quantity * item.unitCents;
      subtotal += amount;
      const int16_t text = static_cast<int16_t>(y + 4);
      Font(FontNumberConstants::Helvetica, 10);
      TextAt(kPadding, text, item.description);
      NumberEndingAt(kColumnEnds[1], text, std::to_string(item.quantity));
      NumberEndingAt(kColumnEnds[2], text, Money(item.unitCents));
      NumberEndingAt(kColumnEnds[3], text, Money(amount));
      y = static_cast<int16_t>(y + kRowHeight);
      // A light rule under every row.
      pdf_.SetColor(200, 200, 200);
      Check(pdf_.DrawLine(0, y, kTableWidth, y));
      pdf_.SetColor(0, 0, 0);
    }

    // Outer frame and column separators, drawn last so that they lie over the header's fill.
    pdf_.SetColor(120, 120, 120);
    Check(pdf_.DrawLine(0, top, kTableWidth, top));
    Check(pdf_.DrawLine(0, y, kTableWidth, y));
    Check(pdf_.DrawLine(0, top, 0, y));
    for (const int16_t end : kColumnEnds) Check(pdf_.DrawLine(end, top, end, y));
    pdf_.SetColor(0, 0, 0);
    return y;
  }

  // Subtotal, tax and total under the last two columns; the total is bold and double-ruled.
  int16_t Totals(int16_t top, long long subtotal) {
    const long long tax = (subtotal * 20 + 50) / 100;  // 20 %, rounded to the cent
    const struct {
      const char* label;
      long long cents;
    } lines[] = {{"Subtotal", subtotal}, {"VAT 20 %", tax}, {"Total due", subtotal + tax}};
    int16_t y = static_cast<int16_t>(top + 6);
    for (const auto& line : lines) {
      const bool total = line.label == lines[2].label;
      Font(FontNumberConstants::Helvetica, 10, total ? FontStyleConstants::Bold : FontStyleConstants::Regular);
      TextAt(static_cast<int16_t>(kColumnEnds[1] + kPadding), y, line.label);
      NumberEndingAt(kColumnEnds[3], y, Money(line.cents));
      y = static_cast<int16_t>(y + kRowHeight);
    }
    const int16_t rule = static_cast<int16_t>(y - 3);
    Check(pdf_.DrawLine(kColumnEnds[1], rule, kTableWidth, rule));
    Check(pdf_.DrawLine(kColumnEnds[1], static_cast<int16_t>(rule + 2), kTableWidth, static_cast<int16_t>(rule + 2)));
    return y;
  }

  void Terms(int16_t top) {
    Font(FontNumberConstants::Helvetica, 9, FontStyleConstants::Bold);
    TextAt(0, top, "Payment terms");
    Font(FontNumberConstants::Times, 10);
    pdf_.SetPosition(0, static_cast<int16_t>(top + 14));
    Check(pdf_.WriteMultiText(
        "Please pay the total due within 30 days of the invoice date by bank transfer to the account "
        "below, quoting the invoice number. Goods remain our property until paid in full. Questions "
        "about this invoice: accounts@northwind.example.",
        2, AlignmentConstants::NoAlignment, true, 300));
  }

 private:
  paginor::PDF& pdf_;
  bool ok_ = true;
};

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "invoice.pdf";

  paginor::PDF pdf;
  pdf.SetTitle("Invoice 2026-0417");
  pdf.SetAuthor("Northwind Paper Supplies");
  pdf.SetSubject("Invoice");
  pdf.SetPaperSize(paginor::PaperSizeConstants::A4);
  if (!pdf.Create(path)) {
    std::fprintf(stderr, "cannot create %s\n", path);
    return 1;
  }
  pdf.NewPage(50, 50, 50, 50, 255, 255, 255);

  const std::vector<Item> items = {
      {"Laid writing paper, A4, ream of 500", 12, 1895},  {"Envelopes C5, box of 250", 4, 2250},
      {"Bookcloth, navy, per metre", 25, 1140},           {"Bone folder", 3, 675},
      {"Linen thread, 50 m", 10, 420},                    {"Archival glue, 1 litre", 2, 2399},
      {"Marbled endpapers, pack of 20", 6, 1575},         {"Delivery", 1, 1250},
  };

  Invoice invoice(pdf);
  invoice.Heading();
  long long subtotal = 0;
  const int16_t below = invoice.Table(180, items, subtotal);
  const int16_t afterTotals = invoice.Totals(below, subtotal);
  invoice.Terms(static_cast<int16_t>(afterTotals + 24));

  if (!pdf.Flush() || !invoice.Ok()) {
    std::fprintf(stderr, "could not write %s\n", path);
    return 1;
  }
  std::printf("%s\n", path);
  return 0;
}

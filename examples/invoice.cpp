// A two-page invoice, written once through paginor::Document and saved as PDF and as PostScript: a
// logo, the addresses, a table of 30 items that goes on over a page break with its heading repeated,
// amounts right-aligned at their column edges with TextWidth, totals, payment terms with a link, and a
// "Page N of M" footer on every page. Usage: invoice [output stem] (writes <stem>.pdf and <stem>.ps;
// the default stem is "invoice").
#include <paginor/paginor.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using paginor::AlignmentConstants;
using paginor::Document;
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

// Thirty lines of stationery, enough to need a second page.
std::vector<Item> Items() {
  const char* goods[] = {"Laid writing paper, A4, ream of 500", "Envelopes C5, box of 250", "Bookcloth, navy, per metre",
                         "Bone folder", "Linen thread, 50 m", "Archival glue, 1 litre", "Marbled endpapers, pack of 20",
                         "Mull, per metre", "Headbands, assorted, 10 m", "Board, 2 mm, sheet of 700 x 1000"};
  std::vector<Item> items;
  for (int index = 0; index < 30; ++index) {
    items.push_back({goods[index % 10] + std::string(index < 10 ? "" : index < 20 ? ", second lot" : ", third lot"),
                     1 + index * 7 % 13, 275 + index * 389 % 2400});
  }
  return items;
}

// A4 with 50-point margins: 495 points across inside them.
constexpr int16_t TableWidth = 495;
constexpr int16_t RowHeight = 18;
constexpr int16_t Padding = 6;
// Right edges of the columns Description, Quantity, Unit price and Amount.
constexpr int16_t ColumnEnds[] = {265, 315, 405, TableWidth};

class Invoice {
 public:
  explicit Invoice(Document& document) : document_(document) {}

  // Every call that can refuse is checked: one refusal makes the whole invoice fail.
  void Check(bool accepted) { ok_ = ok_ && accepted; }
  bool Ok() const { return ok_; }

  void Font(FontNumberConstants family, uint8_t height, FontStyleConstants style = FontStyleConstants::Regular) {
    document_.SetFont(family, height, style, FontEffectConstants::NoFontEffect);
  }

  void TextAt(int16_t x, int16_t y, const std::string& text, const std::string& link = "") {
    document_.SetPosition(x, y);
    Check(document_.WriteText(text, false, 0, AlignmentConstants::NoAlignment, link));
  }

  // A text whose end lies Padding points before the column edge right, measured in the current font.
  void TextEndingAt(int16_t right, int16_t y, const std::string& text) {
    TextAt(static_cast<int16_t>(right - Padding - document_.TextWidth(text)), y, text);
  }

  void NewPage() { document_.NewPage(50, 50, 50, 50, 255, 255, 255); }

  // The logo (a pie slice in a square), the sender, the invoice's numbers and the customer.
  void Heading() {
    document_.SetColor(30, 70, 130);
    document_.SetFillColor(30, 70, 130);
    document_.SetFillStyle(true);
    Check(document_.DrawRectangle(0, 0, 34, 34));
    document_.SetFillColor(245, 180, 60);
    Check(document_.DrawArc(17, 17, 12, 20, 340));
    document_.SetFillStyle(false);
    document_.SetColor(0, 0, 0);

    Font(FontNumberConstants::Helvetica, 20, FontStyleConstants::Bold);
    TextAt(44, 6, "Northwind Paper Supplies");
    document_.SetPosition(0, 6);
    Check(document_.WriteText("INVOICE", false, 0, AlignmentConstants::RightAlign));

    Font(FontNumberConstants::Helvetica, 9);
    document_.SetPosition(44, 34);
    for (const char* line : {"12 Harbour Lane", "Port Ellis, PE4 2AX", "accounts@northwind.example"}) {
      Check(document_.WriteText(line, true, 3));
    }
    document_.SetPosition(0, 34);
    for (const char* line : {"Invoice no. 2026-0417", "Date: 8 December 2026", "Due: 7 January 2027"}) {
      Check(document_.WriteText(line, true, 3, AlignmentConstants::RightAlign));
    }

    Font(FontNumberConstants::Helvetica, 10, FontStyleConstants::Bold);
    TextAt(0, 100, "Bill to");
    Font(FontNumberConstants::Helvetica, 10);
    document_.SetPosition(0, 116);
    for (const char* line : {"Marta Okafor", "Okafor & Daughters Bookbinding", "3 Mill Street, Lowbridge"}) {
      Check(document_.WriteText(line, true, 3));
    }
  }

  // The table's heading row at y: shaded, outlined, the number columns' headings right-aligned.
  void HeadingRow(int16_t y) {
    document_.SetColor(120, 120, 120);
    document_.SetFillColor(225, 230, 238);
    document_.SetFillStyle(true);
    Check(document_.DrawRectangle(0, y, TableWidth, RowHeight));
    document_.SetFillStyle(false);
    document_.SetColor(0, 0, 0);
    Font(FontNumberConstants::Helvetica, 10, FontStyleConstants::Bold);
    const int16_t text = static_cast<int16_t>(y + 4);
    TextAt(Padding, text, "Description");
    TextEndingAt(ColumnEnds[1], text, "Qty");
    TextEndingAt(ColumnEnds[2], text, "Unit price");
    TextEndingAt(ColumnEnds[3], text, "Amount");
  }

  // The column separators of the rows from top to bottom.
  void Columns(int16_t top, int16_t bottom) {
    document_.SetColor(120, 120, 120);
    Check(document_.DrawLine(0, top, 0, bottom));
    for (const int16_t end : ColumnEnds) Check(document_.DrawLine(end, top, end, bottom));
    document_.SetColor(0, 0, 0);
  }

  // The table from top down, one row per item; when the room left on the page (above its footer) does
  // not take another row, the table goes on at the top of a new page under its heading repeated.
  // Returns the y below the table.
  int16_t Table(int16_t top, const std::vector<Item>& items, long long& subtotal) {
    HeadingRow(top);
    int16_t y = static_cast<int16_t>(top + RowHeight);
    int16_t pageTop = top;
    subtotal = 0;
    for (const Item& item : items) {
      int16_t across = 0, down = 0;
      document_.SetPosition(0, y);
      document_.GetSpaceLeft(across, down);
      if (down < RowHeight) {
        Columns(pageTop, y);
        NewPage();
        pageTop = 0;
        HeadingRow(0);
        y = RowHeight;
      }
      const long long amount = item.quantity * item.unitCents;
      subtotal += amount;
      const int16_t text = static_cast<int16_t>(y + 4);
      Font(FontNumberConstants::Helvetica, 10);
      TextAt(Padding, text, item.description);
      TextEndingAt(ColumnEnds[1], text, std::to_string(item.quantity));
      TextEndingAt(ColumnEnds[2], text, Money(item.unitCents));
      TextEndingAt(ColumnEnds[3], text, Money(amount));
      y = static_cast<int16_t>(y + RowHeight);
      document_.SetColor(200, 200, 200);
      Check(document_.DrawLine(0, y, TableWidth, y));
      document_.SetColor(0, 0, 0);
    }
    Columns(pageTop, y);
    return y;
  }

  // Subtotal, tax and total under the last two columns; the total is bold and double-ruled.
  int16_t Totals(int16_t top, long long subtotal) {
    const long long tax = (subtotal * 20 + 50) / 100;  // 20 %, rounded to the cent
    const struct {
      const char* label;
      long long cents;
      bool total;
    } lines[] = {{"Subtotal", subtotal, false}, {"VAT 20 %", tax, false}, {"Total due", subtotal + tax, true}};
    int16_t y = static_cast<int16_t>(top + 6);
    for (const auto& line : lines) {
      Font(FontNumberConstants::Helvetica, 10, line.total ? FontStyleConstants::Bold : FontStyleConstants::Regular);
      TextAt(static_cast<int16_t>(ColumnEnds[1] + Padding), y, line.label);
      TextEndingAt(ColumnEnds[3], y, Money(line.cents));
      y = static_cast<int16_t>(y + RowHeight);
    }
    const int16_t rule = static_cast<int16_t>(y - 3);
    Check(document_.DrawLine(ColumnEnds[1], rule, TableWidth, rule));
    Check(document_.DrawLine(ColumnEnds[1], static_cast<int16_t>(rule + 2), TableWidth, static_cast<int16_t>(rule + 2)));
    return y;
  }

  void Terms(int16_t top) {
    Font(FontNumberConstants::Helvetica, 9, FontStyleConstants::Bold);
    TextAt(0, top, "Payment terms");
    Font(FontNumberConstants::Times, 10);
    document_.SetPosition(0, static_cast<int16_t>(top + 14));
    Check(document_.WriteMultiText(
        "Please pay the total due within 30 days of the invoice date by bank transfer, quoting the invoice "
        "number. Goods remain our property until paid in full.",
        2, AlignmentConstants::NoAlignment, true, 300));
    Font(FontNumberConstants::Times, 10, FontStyleConstants::Italic);
    document_.SetColor(20, 60, 170);
    int16_t x = 0, y = 0;
    document_.GetPosition(x, y);
    TextAt(0, static_cast<int16_t>(y + 4), "Pay online: pay.northwind.example/2026-0417",
           "https://pay.northwind.example/2026-0417");
    document_.SetColor(0, 0, 0);
  }

 private:
  Document& document_;
  bool ok_ = true;
};

// The whole invoice on any writer; false when any item was refused or the document not written.
bool WriteInvoice(Document& document, const std::string& path) {
  document.SetTitle("Invoice 2026-0417");
  document.SetAuthor("Northwind Paper Supplies");
  document.SetPaperSize(paginor::PaperSizeConstants::A4);
  // "{page}" and "{pages}" are filled in on every page, also those a table or paragraph starts.
  document.SetFooter("Invoice 2026-0417 - page {page} of {pages}");
  if (!document.Create(path)) return false;

  Invoice invoice(document);
  invoice.NewPage();
  invoice.Heading();
  long long subtotal = 0;
  const int16_t below = invoice.Table(180, Items(), subtotal);
  const int16_t afterTotals = invoice.Totals(below, subtotal);
  invoice.Terms(static_cast<int16_t>(afterTotals + 24));
  return document.Flush() && invoice.Ok();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string stem = argc > 1 ? argv[1] : "invoice";
  paginor::PDF pdf;
  paginor::PS ps;
  for (Document* document : {static_cast<Document*>(&pdf), static_cast<Document*>(&ps)}) {
    const std::string path = stem + (document == &pdf ? ".pdf" : ".ps");
    if (!WriteInvoice(*document, path)) {
      std::fprintf(stderr, "could not write %s: %s\n", path.c_str(), document->LastFailureMessage().c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "paginor/enumerations.h"
#include "paginor/export.h"

namespace paginor {

class DocumentWriter;

/// Receives a document's bytes in order, in blocks, as they are produced; returning false refuses them
/// and aborts the document (its Flush then returns false with FailureConstants::OutputAborted).
using OutputFunction = std::function<bool(std::string_view bytes)>;

// What every Paginor document offers, whatever its format: properties, pages, the drawing state,
// figures and text. Positions and sizes are whole points from the top-left corner of the area inside
// the page margins, y growing downwards. Texts are UTF-8. No operation throws: the Draw and Write
// operations return false when they refuse (the item does not fit, an argument is out of range) or fail.
//
// A document can be moved; the document moved from behaves like a new one of its kind (nothing of the
// old document stays with it) and can be assigned to again.
class PAGINOR_API Document {
 public:
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Document properties: stored unchecked, read by Create.
  const std::string& Author() const;
  void SetAuthor(std::string value);
  const std::string& Creator() const;
  void SetCreator(std::string value);
  const std::string& Title() const;
  void SetTitle(std::string value);
  OrientationConstants Orientation() const;
  void SetOrientation(OrientationConstants value);
  PaperSizeConstants PaperSize() const;
  void SetPaperSize(PaperSizeConstants value);
  bool Rotated() const;
  void SetRotated(bool value);
  const std::string& Version() const;
  /// The text written centred at the foot of every page (UTF-8); by default the library's copyright
  /// notice with "(c)" for its sign. An empty text writes no footer at all; nothing else on the page
  /// moves. Read when each page ends.
  const std::string& Footer() const;
  /// Sets the footer text; see Footer().
  void SetFooter(std::string value);

  // Opens the output file (replacing any old one) and starts the document; false for an invalid
  // orientation or paper size, or a file that cannot be created.
  bool Create(const std::string& file);
  /// Starts the document as Create(file) does, but hands its bytes to output, in blocks as they are
  /// produced, instead of writing a file. Memory stays bounded whatever the document's length. False
  /// for an empty function or what Create(file) refuses.
  bool Create(OutputFunction output);
  /// Starts the document as Create(file) does, collecting its bytes in memory; take them with
  /// TakeOutput() after a successful Flush.
  bool CreateInMemory();
  /// After a successful Flush of a document started with CreateInMemory(): the whole document, handed
  /// over once (a second call gives an empty text). Empty otherwise.
  std::string TakeOutput();
  /// Why the last Create, Flush, Draw or Write operation that returned false failed; NoFailure once one
  /// succeeds. Other operations leave it as it is.
  FailureConstants LastFailure() const;
  /// The message of LastFailure(), in plain English, naming the operation, the argument and its value
  /// (for a file, the system's error text); empty with NoFailure.
  const std::string& LastFailureMessage() const;
  // Ends the last page, completes the document and writes it; true when all of it reached the file.
  bool Flush();
  // Ends the current page and starts a new one with these margins (kept from the previous page when
  // negative or too large) and background colour.
  void NewPage(int16_t marginleft, int16_t margintop, int16_t marginright, int16_t marginbottom,
               uint8_t red, uint8_t green, uint8_t blue);

  void SetColor(uint8_t red, uint8_t green, uint8_t blue);
  void GetColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  void SetFillColor(uint8_t red, uint8_t green, uint8_t blue);
  void GetFillColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  void GetPageColor(uint8_t& red, uint8_t& green, uint8_t& blue) const;
  // The dash pattern of lines: one to sixteen non-negative numbers separated by blanks, not all zero,
  // such as "3 2" (3 points drawn, 2 left out); "" for solid lines. Any other text is ignored.
  void SetDash(const std::string& dash);
  std::string GetDash() const;
  void SetFillStyle(bool fillstyle);
  bool GetFillStyle() const;
  void SetThickness(uint8_t thickness);
  uint8_t GetThickness() const;
  void SetPictureDimensions(int16_t width, int16_t height);
  void GetPictureDimensions(int16_t& width, int16_t& height) const;
  void SetPosition(int16_t x = -1, int16_t y = -1);
  void GetPosition(int16_t& x, int16_t& y) const;
  void GetPageDimensions(int16_t& width, int16_t& height) const;
  void GetPageMargins(int16_t& marginleft, int16_t& margintop, int16_t& marginright,
                      int16_t& marginbottom) const;

  bool DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
  bool DrawRectangle(int16_t x, int16_t y, int16_t width, int16_t height);
  bool DrawCircle(int16_t x, int16_t y, int16_t r);
  bool DrawEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry);
  bool DrawArc(int16_t x, int16_t y, int16_t r, float th1, float th2);
  bool DrawCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3);

  void SetFont(FontNumberConstants fontnumber, uint8_t fontheight, FontStyleConstants fontstyle,
               FontEffectConstants fonteffect);
  void GetFont(FontNumberConstants& fontnumber, uint8_t& fontheight, FontStyleConstants& fontstyle,
               FontEffectConstants& fonteffect) const;
  bool WriteText(const std::string& text, bool carriagereturn = false, uint8_t dy = 0,
                 AlignmentConstants alignment = AlignmentConstants::NoAlignment);
  bool WriteMultiText(const std::string& text, uint8_t dy = 0,
                      AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                      bool justified = false, int16_t width = 0);
  bool WriteTitle(const std::string& text, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                  BulletConstants bullet = BulletConstants::Disc);
  // Draws a BMP, GIF or JPEG picture at the current position (one pixel a point, or fitted into the box
  // of SetPictureDimensions, never enlarged), with its data in the given encoding, and moves the
  // position to the line start below it. False, writing nothing, when the file does not load, the
  // picture does not fit below the position, or it could not be written.
  bool DrawPicture(const std::string& file, AlignmentConstants alignment = AlignmentConstants::NoAlignment,
                   EncodingConstants encoding = EncodingConstants::ASCII85);

 protected:
  // Takes the format's writer, and remembers how to make a fresh one of the same kind.
  template <typename FormatWriter>
  explicit Document(std::unique_ptr<FormatWriter> writer)
      : MakeWriter(&MakeFresh<FormatWriter>), OwnWriter(std::move(writer)) {}
  // Only a document of the same format can take over a document's writer.
  Document(Document&&) noexcept;
  Document& operator=(Document&&) noexcept;

  // The document's writer; after a move, a fresh one made on first use.
  DocumentWriter& Writer() const;

  /// Runs the operation of the given name, which returns whether it succeeded, so that nothing escapes
  /// it, and keeps why it failed for LastFailure(). For the formats' own operations.
  template <typename Operation>
  bool Reported(const char* name, Operation&& operation) noexcept;

 private:
  template <typename FormatWriter>
  static std::unique_ptr<DocumentWriter> MakeFresh() {
    return std::make_unique<FormatWriter>();
  }

  std::unique_ptr<DocumentWriter> (*MakeWriter)();
  mutable std::unique_ptr<DocumentWriter> OwnWriter;
};

}  // namespace paginor

// Pictures: loading, the drawn size, the fit test, alignment and the position afterwards. The format
// writes the placed picture; a failure while it does takes everything back.
#include <exception>
#include <string>

#include "layout/page_layout.h"
#include "services/alignment.h"
#include "services/enumeration_codes.h"
#include "services/failure.h"
#include "services/resize.h"

namespace paginor {
namespace {

bool IsEncoding(EncodingConstants encoding) {
  return encoding >= EncodingConstants::ASCII85 && encoding <= EncodingConstants::Flate;
}

}  // namespace

template <typename Step>
bool PageLayout::AllOrNothing(Step&& output) {
  // The format notes its state first: it may still move bytes it holds in the buffer.
  Format.NoteState();
  LineBuffer::Checkpoint checkpoint(Output.Lines);
  const int16_t x = PositionX, y = PositionY, linestart = LineStartX;
  try {
    output();
    return true;
  } catch (const std::exception&) {  // an internal failure, or memory refused
    checkpoint.TakeBack();
    Format.RestoreState();
    PositionX = x;
    PositionY = y;
    LineStartX = linestart;
    return false;
  }
}

bool PageLayout::DrawPicture(const std::string& file, AlignmentConstants alignment, std::string_view hyperlink,
                             EncodingConstants encoding) {
  if (NoPageOpen()) return false;
  if (!IsAlignment(alignment)) return RefuseAlignment(alignment);
  if (!IsEncoding(encoding)) {
    return Refuse(FailureConstants::InvalidArgument, "the encoding " + std::to_string(Code(encoding)) +
                                                         " is not one of the EncodingConstants");
  }
  std::optional<EmbeddedPicture> picture = Pictures.Load(file);
  if (!picture) {
    return Refuse(FailureConstants::PictureNotLoadable,
                  "the picture \"" + file + "\" cannot be loaded: " + Pictures.LoadFailureText());
  }
  // One pixel is one point, unless the picture box asks for a smaller size.
  int16_t width = picture->Width(), height = picture->Height();
  if (PictureWidth >= 1 && PictureHeight >= 1) {
    Resize().Calculate(PictureWidth, PictureHeight, width, height, width, height);
  }
  // The width is tested at the current x whatever the alignment.
  if (!LineFits("the picture", PositionY, height)) return false;
  if (PositionX + width > AvailableWidth()) return RefuseWidth("the picture", width, PositionX);
  return AllOrNothing([&] {
    if (alignment != AlignmentConstants::NoAlignment) {
      PositionX = AlignmentOffset(AvailableWidth(), width, alignment);
    }
    const PagePoint topLeft = PagePointOf(PositionX, PositionY);
    Format.DrawPicture({*picture, topLeft, width, height, encoding});
    if (!hyperlink.empty()) {
      const PageRect area{topLeft.x, topLeft.y, PageX(CheckedInt16(PositionX + width)), CheckedInt16(topLeft.y - height)};
      Format.DrawLink(hyperlink, area);
    }
    PositionX = LineStartX;
    PositionY = CheckedInt16(PositionY + height);
  });
}

}  // namespace paginor

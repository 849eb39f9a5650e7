// Pictures: loading, the drawn size, the fit test, alignment and the position afterwards. The format
// writes the picture itself through EmitPicture; a failure while it does takes everything back.
#include <exception>
#include <string>

#include "core/document_writer.h"
#include "services/enumeration_codes.h"
#include "services/failure.h"
#include "services/resize.h"

namespace paginor {
namespace {

bool IsAlignment(AlignmentConstants alignment) {
  return IsCodeBetween(Code(alignment), AlignmentConstants::NoAlignment, AlignmentConstants::RightAlign);
}

bool IsEncoding(EncodingConstants encoding) {
  return IsCodeBetween(Code(encoding), EncodingConstants::ASCII85, EncodingConstants::Flate);
}

}  // namespace

template <typename Output>
bool DocumentWriter::AllOrNothing(Output&& output) {
  LineBuffer::Checkpoint checkpoint(Lines);
  const int16_t x = PositionX, y = PositionY, linestart = LineStartX;
  NoteFormatState();
  try {
    output();
    return true;
  } catch (const std::exception&) {  // an internal failure, or memory refused
    checkpoint.TakeBack();
    RestoreFormatState();
    PositionX = x;
    PositionY = y;
    LineStartX = linestart;
    return false;
  }
}

bool DocumentWriter::DrawPicture(const std::string& file, AlignmentConstants alignment, std::string_view hyperlink,
                                 EncodingConstants encoding) {
  if (NoPageOpen()) return false;
  if (!IsAlignment(alignment)) return RefuseAlignment(static_cast<int32_t>(alignment));
  if (!IsEncoding(encoding)) {
    return Refuse(FailureConstants::InvalidArgument, "the encoding " + std::to_string(static_cast<int32_t>(encoding)) +
                                                         " is not one of the EncodingConstants");
  }
  std::optional<EmbeddedPicture> picture = Pictures.Load(file);
  if (!picture) {
    return Refuse(FailureConstants::PictureNotLoadable,
                  "the picture \"" + file + "\" cannot be loaded: " + Pictures.LoadFailureText());
  }
  int16_t width = 0, height = 0;
  try {
    // One pixel is one point, unless the picture box asks for a smaller size.
    width = picture->Width();
    height = picture->Height();
    if (PictureWidth >= 1 && PictureHeight >= 1) {
      Resize().Calculate(PictureWidth, PictureHeight, width, height, width, height);
    }
    // The width is tested at the current x whatever the alignment.
    if (!LineFits("the picture", CurrentY(), height)) return false;
    if (PositionX + width > AvailableWidth()) return RefuseWidth("the picture", width, PositionX);
  } catch (const std::exception&) {
    return false;
  }
  return AllOrNothing([&] {
    if (alignment != AlignmentConstants::NoAlignment) {
      PositionX = Services.AlignmentOffset(AvailableWidth(), width, static_cast<int32_t>(alignment));
    }
    EmitPicture(*picture, width, height, encoding);
    if (!hyperlink.empty()) {
      EmitLink(hyperlink, PositionX, PositionY, CheckedInt16(PositionX + width), CheckedInt16(PositionY - height));
    }
    PositionX = LineStartX;
    PositionY = CheckedInt16(PositionY - height);
  });
}

}  // namespace paginor

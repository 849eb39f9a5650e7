#include "services/alignment.h"

#include "services/failure.h"

namespace paginor {

bool IsAlignment(AlignmentConstants alignment) {
  return alignment >= AlignmentConstants::NoAlignment && alignment <= AlignmentConstants::RightAlign;
}

int16_t AlignmentOffset(int16_t available, int16_t used, AlignmentConstants alignment) {
  const int16_t difference = CheckedInt16(static_cast<int32_t>(available) - used);
  switch (alignment) {
    case AlignmentConstants::Center:
      return static_cast<int16_t>(difference / 2);
    case AlignmentConstants::RightAlign:
      return difference;
    default:  // NoAlignment, LeftAlign and unknown values
      return 0;
  }
}

}  // namespace paginor

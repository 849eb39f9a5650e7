#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "paginor/enumerations.h"

namespace paginor::demo {

// One entry of the paper list: what the list shows and the paper code it stands for.
struct PaperItem {
  std::string_view Name;
  PaperSizeConstants Value;
};

// The paper list in the order it is shown; the form selects the item at DefaultPaperItem ("A4").
inline constexpr std::array<PaperItem, 9> PaperItems = {{
    {"A3", PaperSizeConstants::A3},
    {"A4", PaperSizeConstants::A4},
    {"A5", PaperSizeConstants::A5},
    {"Executive", PaperSizeConstants::Executive},
    {"Folio", PaperSizeConstants::Folio},
    {"Ledger", PaperSizeConstants::Ledger},
    {"Legal", PaperSizeConstants::Legal},
    {"Letter", PaperSizeConstants::Letter},
    {"Tabloid", PaperSizeConstants::Tabloid},
}};
inline constexpr size_t DefaultPaperItem = 1;

// The paper code of the item with this name (compared without regard to case); none for an unknown
// name.
std::optional<PaperSizeConstants> PaperByName(std::string_view name);

}  // namespace paginor::demo

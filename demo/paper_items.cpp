#include "paper_items.h"

#include "same_name.h"

namespace paginor::demo {

std::optional<PaperSizeConstants> PaperByName(std::string_view name) {
  for (const PaperItem& item : PaperItems) {
    if (SameName(item.Name, name)) return item.Value;
  }
  return std::nullopt;
}

}  // namespace paginor::demo

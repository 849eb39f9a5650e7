#pragma once

#include <string>

#include "paginor/document.h"

namespace paginor::bench {

// One page of the standard report (A4 portrait): a page with margins and a background, a centred bold
// heading, 40 lines of text and five figures; the footer comes by itself. With a logo file, the logo is
// drawn centred at the top of the page first. The text is in Helvetica, or in the OpenType family given.
void WriteReportPage(Document& document, int page, const std::string& logo = {}, const std::string& family = {});

}  // namespace paginor::bench

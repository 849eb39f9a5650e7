// The public PS class: a document with a PostScript writer.
#include "paginor/ps.h"

#include "ps/ps_writer.h"

namespace paginor {

PS::PS() : Document(std::make_unique<PsWriter>()) {}

}  // namespace paginor

// The public PS class: a document with a PostScript writer.
#include "paginor/ps.h"

#include "document/document_body.h"
#include "ps/ps_writer.h"

namespace paginor {

PS::PS() : Document(&Body::Make<PsWriter>) {}

}  // namespace paginor

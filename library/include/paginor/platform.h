#pragma once

#include <functional>
#include <string>

#include "paginor/export.h"

namespace paginor {

enum class MessageIcon { Information, Exclamation, Critical };

// Receives the messages the library shows: the text, the caption and the kind of message.
using MessageHandler =
    std::function<void(const std::string& text, const std::string& caption, MessageIcon icon)>;

// Installs the handler for the library's messages (each PDF and PS writer says "Initialize()" when it is
// constructed, captioned with LibraryTitle()). An empty handler, the default, shows nothing.
PAGINOR_API void SetMessageHandler(MessageHandler handler);

/// Asks for failure messages: when enabled, every Create, Flush, Draw or Write operation that returns
/// false also passes its LastFailureMessage() to the message handler, captioned with LibraryTitle(),
/// with MessageIcon::Exclamation. Disabled by default.
PAGINOR_API void SetFailureMessages(bool enabled);

// The library's title, "Paginor".
PAGINOR_API const std::string& LibraryTitle();

// The library's one-line copyright notice (with a "©", UTF-8); page footers show it with "(c)".
PAGINOR_API const std::string& LibraryCopyright();

}  // namespace paginor

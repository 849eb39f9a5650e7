#pragma once

/// @file
/// The library's messages, title and copyright notice.

#include <functional>
#include <string>

#include "paginor/export.h"

/// Paginor: writes PDF and PostScript documents through one small, stateful drawing interface.
namespace paginor {

/// The kind of a message the library shows.
enum class MessageIcon {
  Information,  ///< For information only, such as the "Initialize()" of a new writer.
  Exclamation,  ///< A warning.
  Critical      ///< An error.
};

/// Receives the messages the library shows: the text, the caption and the kind of message.
using MessageHandler =
    std::function<void(const std::string& text, const std::string& caption, MessageIcon icon)>;

/// Installs the handler for the library's messages, replacing the previous one. Each PDF and PS writer
/// sends "Initialize()" when it is constructed, captioned with LibraryTitle(), as
/// MessageIcon::Information. The handler runs on the thread that constructs the writer (or whose
/// operation failed, for failure messages): with documents on several threads it may run on several at
/// once. Safe to call from any thread, also while documents are written and from inside the handler; a
/// call already running keeps the handler it started with. What the handler throws is caught and
/// dropped: no operation of the library throws. An empty handler, the default, shows nothing.
PAGINOR_API void SetMessageHandler(MessageHandler handler);

/// Asks for failure messages: when enabled, every Create, Flush, Draw or Write operation that returns
/// false also passes its LastFailureMessage() to the message handler, captioned with LibraryTitle(),
/// with MessageIcon::Exclamation. Disabled by default. Safe to call from any thread.
PAGINOR_API void SetFailureMessages(bool enabled);

/// The library's title, "Paginor": the caption of its messages.
PAGINOR_API const std::string& LibraryTitle();

/// The library's one-line copyright notice, in UTF-8 with a "©". The footer of every page shows it
/// with "(c)" in place of the "©".
PAGINOR_API const std::string& LibraryCopyright();

}  // namespace paginor

#pragma once

#include <ctime>
#include <string>

#include "paginor/platform.h"

namespace paginor {

// Passes a message to the installed handler, if any; whatever the handler throws stays here. Safe on
// any thread, also while another thread installs a handler.
void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) noexcept;

// Passes the message of a failed operation to the handler, when failure messages are enabled.
void ShowFailure(const std::string& message) noexcept;

// The creation date and time of a document: the local time now, or, when the environment variable
// SOURCE_DATE_EPOCH holds a number of seconds, that instant in UTC, so that outputs are reproducible.
std::tm CreationTime();

}  // namespace paginor

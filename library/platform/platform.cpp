#include <atomic>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/platform_services.h"

namespace paginor {
namespace {

// The handler installed for the whole process. Documents on several threads read it while any thread
// may replace it: each reader takes its own reference under the lock and calls the handler after
// releasing it, so that a handler may itself install another, and a replaced handler lives until its
// last running call ends.
struct InstalledHandler {
  std::mutex Lock;
  std::shared_ptr<const MessageHandler> Handler;
};

InstalledHandler& Installed() {
  static InstalledHandler installed;
  return installed;
}

std::atomic<bool>& FailureMessages() {
  static std::atomic<bool> enabled{false};
  return enabled;
}

}  // namespace

void SetFailureMessages(bool enabled) { FailureMessages() = enabled; }

void ShowFailure(const std::string& message) noexcept {
  if (FailureMessages()) ShowMessage(message, LibraryTitle(), MessageIcon::Exclamation);
}

void SetMessageHandler(MessageHandler handler) {
  try {
    std::shared_ptr<const MessageHandler> replaced;
    if (handler) replaced = std::make_shared<const MessageHandler>(std::move(handler));
    InstalledHandler& installed = Installed();
    const std::lock_guard guard(installed.Lock);
    installed.Handler.swap(replaced);
  } catch (...) {
    // Out of memory: the previous handler stays installed.
  }
}

const std::string& LibraryTitle() {
  static const std::string title = "Paginor";
  return title;
}

const std::string& LibraryCopyright() {
  static const std::string copyright = "Paginor \u00a9 2026 The Paginor developers";
  return copyright;
}

void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) noexcept {
  std::shared_ptr<const MessageHandler> handler;
  {
    InstalledHandler& installed = Installed();
    const std::lock_guard guard(installed.Lock);
    handler = installed.Handler;
  }
  if (!handler) return;
  try {
    (*handler)(text, caption, icon);
  } catch (...) {
    // What the handler throws is its own affair: no operation of the library lets anything escape.
  }
}

std::tm CreationTime() {
  std::tm result{};
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
    long long seconds = 0;
    const char* end = epoch + std::strlen(epoch);
    const auto [last, error] = std::from_chars(epoch, end, seconds);
    if (error == std::errc() && last == end) {
      const std::time_t instant = static_cast<std::time_t>(seconds);
      if (gmtime_r(&instant, &result) != nullptr) return result;
    }
  }
  const std::time_t now = std::time(nullptr);
  localtime_r(&now, &result);
  return result;
}

}  // namespace paginor

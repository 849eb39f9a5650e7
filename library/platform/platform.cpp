#include <atomic>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/platform_services.h"

namespace paginor {
namespace {

MessageHandler& InstalledHandler() {
  static MessageHandler handler;
  return handler;
}

std::atomic<bool>& FailureMessages() {
  static std::atomic<bool> enabled{false};
  return enabled;
}

}  // namespace

void SetFailureMessages(bool enabled) { FailureMessages() = enabled; }

void ShowFailure(const std::string& message) {
  if (FailureMessages()) ShowMessage(message, LibraryTitle(), MessageIcon::Exclamation);
}

void SetMessageHandler(MessageHandler handler) { InstalledHandler() = std::move(handler); }

const std::string& LibraryTitle() {
  static const std::string title = "Paginor";
  return title;
}

const std::string& LibraryCopyright() {
  static const std::string copyright = "Paginor \u00a9 2026 The Paginor developers";
  return copyright;
}

void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  const MessageHandler& handler = InstalledHandler();
  if (handler) handler(text, caption, icon);
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

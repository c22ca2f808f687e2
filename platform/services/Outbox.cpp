#include "platform/services/Outbox.h"

#include <atomic>
#include <ctime>
#include <unistd.h>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"

std::string Outbox::folder() { return Paths::documents() + "/Outbox"; }
std::string Outbox::draftsFolder() { return folder() + "/Drafts"; }

std::optional<std::string> Outbox::writeUnique(const std::string& dir, const std::string& extension,
                                               const std::function<std::string(const std::string&)>& make,
                                               std::string* error) {
  auto& fm = NSFileManager::defaultManager();
  std::string why;
  if (!fm.createDirectoryAtPath(dir, true, &why)) {
    if (error) *error = "cannot create " + dir + ": " + why;
    return std::nullopt;
  }
  static std::atomic<unsigned> counter{0};
  time_t now = static_cast<time_t>(NSDate::date().timeIntervalSince1970());
  std::tm tm{};
  gmtime_r(&now, &tm);
  char stamp[32];
  strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string token = std::string(stamp) + "-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    std::string path = dir + "/" + token + extension;
    if (fm.fileExistsAtPath(path)) continue;
    if (!fm.writeAtomically(path, make(token), &why)) {
      if (error) *error = why;
      return std::nullopt;
    }
    return path;
  }
  if (error) *error = "no free file name in " + dir;
  return std::nullopt;
}

std::optional<std::string> Outbox::writeMail(const MailMessage& message, bool draft, std::string* error) {
  double date = NSDate::date().timeIntervalSince1970();
  return writeUnique(draft ? draftsFolder() : folder(), ".eml",
                     [&](const std::string& token) { return message.serialize(date, token); }, error);
}

std::optional<std::string> Outbox::writeTextMessage(const std::vector<std::string>& recipients,
                                                    const std::string& body, std::string* error) {
  std::string to;
  for (const auto& r : recipients) {
    bool clean = true;
    for (unsigned char c : r)
      if (c < 0x20) clean = false;
    if (!clean || r.empty()) continue;
    if (!to.empty()) to += ", ";
    to += r;
  }
  std::string content = "To: " + to + "\n\n" + body;
  if (content.empty() || content.back() != '\n') content += '\n';
  return writeUnique(folder(), ".txt", [&](const std::string&) { return content; }, error);
}

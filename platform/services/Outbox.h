#pragma once
// The Outbox folder under Documents: sent mail as ".eml" files and text messages as ".txt"
// files, each written whole and atomically under a name that never replaces an earlier one.
// Drafts go to "Outbox/Drafts".

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/MailMessage.h"

class Outbox {
 public:
  static std::string folder();
  static std::string draftsFolder();

  // The file's path, or none with `error` set (nothing is left behind on failure).
  static std::optional<std::string> writeMail(const MailMessage& message, bool draft, std::string* error);
  static std::optional<std::string> writeTextMessage(const std::vector<std::string>& recipients,
                                                     const std::string& body, std::string* error);

 private:
  // `make` gets the file's unique token (also used as the Message-ID) and returns the content.
  static std::optional<std::string> writeUnique(const std::string& folder, const std::string& extension,
                                                const std::function<std::string(const std::string&)>& make,
                                                std::string* error);
};

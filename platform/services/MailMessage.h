#pragma once
// An outgoing mail and its Internet message form: headers, a UTF-8 body in quoted-printable
// (an HTML body goes with a plain-text alternative), attachments in base64, CRLF line ends.

#include <cstdint>
#include <string>
#include <vector>

struct MailAttachment {
  std::vector<uint8_t> data;
  std::string mimeType;
  std::string fileName;
};

class MailMessage {
 public:
  std::string from = "Lumeno <lumeno@localhost>";
  std::vector<std::string> toRecipients;
  std::vector<std::string> ccRecipients;
  std::vector<std::string> bccRecipients;
  std::string subject;
  std::string body;
  bool isHTML = false;
  std::vector<MailAttachment> attachments;

  // The message; `date` in seconds since 1970, `token` (letters and digits) makes the
  // boundaries and the Message-ID unique.
  std::string serialize(double date, const std::string& token) const;

  // A recipient that is safe to put in a header: no line breaks or control characters, one
  // "@" with text on both sides.
  static bool isValidAddress(const std::string& address);
  // Readable text of an HTML body: tags dropped, line breaks kept, entities decoded, links
  // followed by their address.
  static std::string plainTextFromHTML(const std::string& html);
  static std::string quotedPrintable(const std::string& text);
  static std::string base64(const std::vector<uint8_t>& data);
  // A header value: as is when plain printable ASCII, else an RFC 2047 encoded word.
  static std::string encodeHeaderValue(const std::string& text);
};

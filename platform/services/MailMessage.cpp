#include "platform/services/MailMessage.h"

#include <cctype>
#include <ctime>

namespace {
const char* kCRLF = "\r\n";

std::string addressList(const std::vector<std::string>& list) {
  std::string out;
  for (const auto& a : list) {
    if (!MailMessage::isValidAddress(a)) continue;
    if (!out.empty()) out += ", ";
    out += a;
  }
  return out;
}

std::string rfc5322Date(double seconds) {
  time_t t = static_cast<time_t>(seconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  static const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char buf[64];
  snprintf(buf, sizeof buf, "%s, %02d %s %04d %02d:%02d:%02d +0000", days[tm.tm_wday], tm.tm_mday,
           months[tm.tm_mon], tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

std::string safeFileName(const std::string& name) {
  std::string out;
  for (unsigned char c : name)
    out += (c < 0x20 || c == '"' || c == '\\' || c == '/' || c == 0x7f) ? '_' : static_cast<char>(c);
  return out.empty() ? "attachment" : out;
}

bool safeToken(const std::string& s) {
  for (unsigned char c : s)
    if (!(std::isalnum(c) || c == '/' || c == '.' || c == '+' || c == '-')) return false;
  return !s.empty();
}

void decodeEntity(const std::string& name, std::string& out) {
  if (name == "amp") out += '&';
  else if (name == "lt") out += '<';
  else if (name == "gt") out += '>';
  else if (name == "quot") out += '"';
  else if (name == "apos" || name == "#39") out += '\'';
  else if (name == "nbsp") out += ' ';
  else out += "&" + name + ";";
}
}  // namespace

bool MailMessage::isValidAddress(const std::string& a) {
  for (unsigned char c : a)
    if (c < 0x20 || c == 0x7f) return false;
  auto at = a.find('@');
  return at != std::string::npos && at > 0 && at + 1 < a.size() && a.find('@', at + 1) == std::string::npos;
}

std::string MailMessage::encodeHeaderValue(const std::string& text) {
  bool plain = text.size() < 900;
  for (unsigned char c : text)
    if (c < 0x20 || c >= 0x7f) plain = false;
  if (plain && text.find("=?") == std::string::npos) return text;
  // Encoded words of at most 39 input bytes (64 characters) each, split at character boundaries.
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = std::min(text.size(), i + 39);
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    if (end == i) end = std::min(text.size(), i + 39);
    std::string chunk = text.substr(i, end - i);
    for (auto& c : chunk)
      if (c == '\r' || c == '\n') c = ' ';
    if (!out.empty()) out += "\r\n ";
    out += "=?UTF-8?B?" + base64(std::vector<uint8_t>(chunk.begin(), chunk.end())) + "?=";
    i = end;
  }
  return out;
}

std::string MailMessage::base64(const std::vector<uint8_t>& data) {
  static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < data.size(); i += 3) {
    uint32_t v = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
    out += table[v >> 18];
    out += table[(v >> 12) & 63];
    out += table[(v >> 6) & 63];
    out += table[v & 63];
  }
  if (i < data.size()) {
    uint32_t v = data[i] << 16;
    if (i + 1 < data.size()) v |= data[i + 1] << 8;
    out += table[v >> 18];
    out += table[(v >> 12) & 63];
    out += i + 1 < data.size() ? table[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string MailMessage::quotedPrintable(const std::string& text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out, line;
  auto flushSoft = [&] {
    out += line + "=\r\n";
    line.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (c == '\n') {
      // White space before a hard break must be encoded.
      if (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
        char last = line.back();
        line.pop_back();
        line += std::string("=") + hex[last >> 4] + hex[last & 15];
      }
      out += line + kCRLF;
      line.clear();
      continue;
    }
    std::string piece;
    if ((c >= 33 && c <= 126 && c != '=') || c == ' ' || c == '\t') piece = std::string(1, static_cast<char>(c));
    else piece = std::string("=") + hex[c >> 4] + hex[c & 15];
    if (line.size() + piece.size() > 75) flushSoft();
    line += piece;
  }
  if (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line += "=\r\n";
  out += line;
  return out;
}

std::string MailMessage::plainTextFromHTML(const std::string& html) {
  std::string out;
  size_t i = 0;
  std::string pendingHref;
  while (i < html.size()) {
    char c = html[i];
    if (c == '<') {
      size_t close = html.find('>', i);
      if (close == std::string::npos) break;
      std::string tag = html.substr(i + 1, close - i - 1);
      std::string name;
      for (char t : tag) {
        if (std::isspace(static_cast<unsigned char>(t)) || t == '>') break;
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(t)));
      }
      if (!name.empty() && name.back() == '/') name.pop_back();
      if (name == "br" || name == "/p" || name == "/div" || name == "p" || name == "div" || name == "/li" ||
          name == "/tr" || name == "/h1" || name == "/h2" || name == "/h3") {
        if (name == "br" || out.empty() || out.back() != '\n') out += '\n';
      } else if (name == "hr") {
        out += "\n----\n";
      } else if (name == "a") {
        auto h = tag.find("href=");
        pendingHref.clear();
        if (h != std::string::npos && h + 5 < tag.size()) {
          char q = tag[h + 5];
          size_t start = h + 6, end = tag.find(q, start);
          if ((q == '\'' || q == '"') && end != std::string::npos) pendingHref = tag.substr(start, end - start);
        }
      } else if (name == "/a" && !pendingHref.empty()) {
        out += " (" + pendingHref + ")";
        pendingHref.clear();
      }
      i = close + 1;
    } else if (c == '&') {
      size_t semi = html.find(';', i);
      if (semi != std::string::npos && semi - i <= 8) {
        decodeEntity(html.substr(i + 1, semi - i - 1), out);
        i = semi + 1;
      } else {
        out += c;
        ++i;
      }
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::string MailMessage::serialize(double date, const std::string& tokenIn) const {
  std::string token = safeToken(tokenIn) ? tokenIn : "lumeno";
  std::string m;
  auto header = [&](const std::string& name, const std::string& value) {
    if (!value.empty()) m += name + ": " + value + kCRLF;
  };
  header("From", encodeHeaderValue(from));
  header("To", addressList(toRecipients));
  header("Cc", addressList(ccRecipients));
  header("Bcc", addressList(bccRecipients));
  header("Subject", encodeHeaderValue(subject));
  header("Date", rfc5322Date(date));
  header("Message-ID", "<" + token + "@lumeno.localhost>");
  header("MIME-Version", "1.0");
  header("X-Unsent", "1");

  auto textPart = [&](const std::string& type, const std::string& text) {
    return "Content-Type: " + type + "; charset=UTF-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" +
           quotedPrintable(text) + kCRLF;
  };
  std::string bodyEntity;
  if (isHTML) {
    std::string alt = "=_alt_" + token;
    bodyEntity = "Content-Type: multipart/alternative; boundary=\"" + alt + "\"\r\n\r\n";
    bodyEntity += "--" + alt + kCRLF + textPart("text/plain", plainTextFromHTML(body));
    bodyEntity += "--" + alt + kCRLF + textPart("text/html", body);
    bodyEntity += "--" + alt + "--" + kCRLF;
  } else {
    bodyEntity = textPart("text/plain", body);
  }
  if (attachments.empty()) {
    m += bodyEntity;
    return m;
  }
  std::string mixed = "=_mix_" + token;
  m += "Content-Type: multipart/mixed; boundary=\"" + mixed + "\"\r\n\r\n";
  m += "--" + mixed + kCRLF + bodyEntity;
  for (const auto& a : attachments) {
    std::string type = safeToken(a.mimeType) ? a.mimeType : "application/octet-stream";
    std::string name = safeFileName(a.fileName);
    m += "--" + mixed + kCRLF;
    m += "Content-Type: " + type + "; name=\"" + name + "\"\r\n";
    m += "Content-Disposition: attachment; filename=\"" + name + "\"\r\n";
    m += "Content-Transfer-Encoding: base64\r\n\r\n";
    std::string b64 = base64(a.data);
    for (size_t i = 0; i < b64.size(); i += 76) m += b64.substr(i, 76) + kCRLF;
  }
  m += "--" + mixed + "--" + kCRLF;
  return m;
}

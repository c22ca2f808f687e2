#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/services/MFMessageComposeViewController.h"
#include "platform/services/Outbox.h"
#include "tests/platform/services/ServicesTestSupport.h"

namespace {

// A small reader of Internet messages, enough to check what a mail program would see.
struct Entity {
  std::map<std::string, std::string> headers;  // lower-case names, folded lines joined
  std::string body;
};

Entity parseEntity(const std::string& text) {
  Entity e;
  size_t split = text.find("\r\n\r\n");
  std::string head = text.substr(0, split);
  e.body = split == std::string::npos ? "" : text.substr(split + 4);
  std::string name;
  size_t pos = 0;
  while (pos < head.size()) {
    size_t end = head.find("\r\n", pos);
    if (end == std::string::npos) end = head.size();
    std::string line = head.substr(pos, end - pos);
    pos = end + 2;
    if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
      e.headers[name] += line;
      continue;
    }
    auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    name = line.substr(0, colon);
    for (auto& c : name) c = static_cast<char>(tolower(c));
    std::string value = line.substr(colon + 1);
    e.headers[name] = value.substr(value.find_first_not_of(' '));
  }
  return e;
}

std::string param(const std::string& header, const std::string& key) {
  auto at = header.find(key + "=\"");
  if (at == std::string::npos) return {};
  at += key.size() + 2;
  return header.substr(at, header.find('"', at) - at);
}

std::vector<Entity> parts(const Entity& multipart) {
  std::string boundary = "--" + param(multipart.headers.at("content-type"), "boundary");
  std::vector<Entity> out;
  size_t at = multipart.body.find(boundary + "\r\n");
  while (at != std::string::npos) {
    size_t start = at + boundary.size() + 2;
    size_t next = multipart.body.find("\r\n" + boundary, start);
    if (next == std::string::npos) break;
    out.push_back(parseEntity(multipart.body.substr(start, next - start)));
    at = multipart.body.find(boundary + "\r\n", next + 2);
  }
  EXPECT_NE(multipart.body.find(boundary + "--"), std::string::npos) << "closing boundary";
  return out;
}

std::string decodeQuotedPrintable(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '=' && i + 2 < s.size() && s[i + 1] == '\r' && s[i + 2] == '\n') {
      i += 2;
    } else if (s[i] == '=' && i + 2 < s.size()) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string decodeBase64(const std::string& s) {
  std::string table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  int bits = 0, value = 0;
  for (char c : s) {
    auto k = table.find(c);
    if (k == std::string::npos) continue;
    value = (value << 6) | static_cast<int>(k);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out += static_cast<char>((value >> bits) & 0xff);
    }
  }
  return out;
}

// Decodes the "=?UTF-8?B?...?=" words of a header value.
std::string decodeHeader(const std::string& v) {
  std::string out;
  size_t pos = 0;
  while (pos < v.size()) {
    size_t start = v.find("=?UTF-8?B?", pos);
    if (start == std::string::npos) {
      out += v.substr(pos);
      break;
    }
    size_t end = v.find("?=", start + 10);
    out += decodeBase64(v.substr(start + 10, end - start - 10));
    pos = end + 2;
    while (pos < v.size() && v[pos] == ' ') ++pos;
  }
  return out;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct MailResult : MFMailComposeViewControllerDelegate {
  std::vector<MFMailComposeResult> results;
  NSError error;
  void mailComposeController(MFMailComposeViewController&, MFMailComposeResult r, const NSError* e) override {
    results.push_back(r);
    if (e) error = *e;
  }
};

class MailComposeTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  void SetUp() override {
    std::string ignored;
    (void)NSFileManager::defaultManager().removeItemAtPath(Outbox::folder(), &ignored);
    unsetenv("LUMENO_MAIL_COMMAND");
  }
  void TearDown() override { unsetenv("LUMENO_MAIL_COMMAND"); }
};

const std::string kBody =
    "<b>Surah 1. Al-Fatiha, Verse 1</b>:<br><br><div dir='rtl'>بِسْمِ اللَّهِ الرَّحْمَٰنِ الرَّحِيمِ</div>"
    "<br><br>Note: 2 &lt; 3 &amp; a=b, trailing space \nnext line with a very long run of text that is certainly "
    "longer than seventy-six characters so that soft line breaks are needed<br><a href='https://example.test/app'>via "
    "Lumeno</a><br><br>";

TEST_F(MailComposeTest, SentMailIsAParseableMimeFileWithItsHtmlBody) {
  MFMailComposeViewController mail;
  MailResult result;
  mail.setMailComposeDelegate(&result);
  mail.setSubject("Sharing: Al-Fātiḥa\r\nBcc: victim@example.test");
  mail.setToRecipients({"friend@example.test", "evil@example.test\r\nBcc: more@example.test"});
  mail.setMessageBody(kBody, true);
  ASSERT_TRUE(MFMailComposeViewController::canSendMail());
  mail.send();
  ASSERT_EQ(result.results, (std::vector<MFMailComposeResult>{MFMailComposeResultSent}));
  ASSERT_EQ(mail.writtenPath().rfind(Outbox::folder() + "/", 0), 0u);

  std::string raw = readFile(mail.writtenPath());
  Entity message = parseEntity(raw);
  EXPECT_EQ(message.headers["mime-version"], "1.0");
  EXPECT_EQ(message.headers["to"], "friend@example.test");
  EXPECT_EQ(message.headers.count("bcc"), 0u);
  EXPECT_EQ(decodeHeader(message.headers["subject"]), "Sharing: Al-Fātiḥa  Bcc: victim@example.test");
  ASSERT_EQ(message.headers["content-type"].rfind("multipart/alternative;", 0), 0u);

  auto alternatives = parts(message);
  ASSERT_EQ(alternatives.size(), 2u);
  EXPECT_EQ(alternatives[0].headers["content-type"], "text/plain; charset=UTF-8");
  EXPECT_EQ(alternatives[1].headers["content-type"], "text/html; charset=UTF-8");
  EXPECT_EQ(alternatives[1].headers["content-transfer-encoding"], "quoted-printable");
  std::string html = decodeQuotedPrintable(alternatives[1].body);
  std::string expected;
  for (char c : kBody) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(html, expected);
  std::string text = decodeQuotedPrintable(alternatives[0].body);
  EXPECT_NE(text.find("2 < 3 & a=b"), std::string::npos);
  EXPECT_NE(text.find("via Lumeno (https://example.test/app)"), std::string::npos);
  EXPECT_EQ(text.find("<b>"), std::string::npos);
  // Every line of the file fits the line limit of Internet mail.
  size_t start = 0;
  for (size_t end; (end = raw.find("\r\n", start)) != std::string::npos; start = end + 2)
    EXPECT_LE(end - start, 78u) << raw.substr(start, end - start);

  mail.send();  // finished already: no second result
  EXPECT_EQ(result.results.size(), 1u);
}

TEST_F(MailComposeTest, MailClientGetsTheFileAndItsFailureIsReported) {
  setenv("LUMENO_MAIL_COMMAND", "mailer --compose %f", 1);
  MailResult ok;
  MFMailComposeViewController first;
  first.setMailComposeDelegate(&ok);
  first.setMessageBody("hello", false);
  first.send();
  ASSERT_EQ(ok.results, (std::vector<MFMailComposeResult>{MFMailComposeResultSent}));
  ASSERT_EQ(desktop.count("mailer"), 1u);
  EXPECT_EQ(desktop.calls.back().argv, (std::vector<std::string>{"mailer", "--compose", first.writtenPath()}));

  desktop.failing.push_back("mailer");
  MailResult failed;
  MFMailComposeViewController second;
  second.setMailComposeDelegate(&failed);
  second.setMessageBody("hello again", false);
  second.send();
  ASSERT_EQ(failed.results, (std::vector<MFMailComposeResult>{MFMailComposeResultFailed}));
  EXPECT_EQ(failed.error.domain, MFMailComposeErrorDomain);
  EXPECT_TRUE(NSFileManager::defaultManager().fileExistsAtPath(second.writtenPath()));  // kept in the Outbox
}

TEST_F(MailComposeTest, CancelSaveAndUnwritableOutbox) {
  MailResult r;
  MFMailComposeViewController cancelled, draft, blocked;
  for (auto* m : {&cancelled, &draft, &blocked}) {
    m->setMailComposeDelegate(&r);
    m->setMessageBody("<p>x</p>", true);
  }
  cancelled.cancel();
  draft.saveDraft();
  EXPECT_EQ(draft.writtenPath().rfind(Outbox::draftsFolder() + "/", 0), 0u);
  // A file where the Outbox folder should be: the write fails and says so.
  std::string ignored;
  (void)NSFileManager::defaultManager().removeItemAtPath(Outbox::folder(), &ignored);
  ASSERT_TRUE(NSFileManager::defaultManager().writeAtomically(Outbox::folder(), std::string("not a folder")));
  blocked.send();
  EXPECT_EQ(r.results, (std::vector<MFMailComposeResult>{MFMailComposeResultCancelled, MFMailComposeResultSaved,
                                                         MFMailComposeResultFailed}));
  EXPECT_EQ(r.error.code, MFMailComposeErrorCodeSendFailed);
  EXPECT_EQ(readFile(Outbox::folder()), "not a folder");
  (void)NSFileManager::defaultManager().removeItemAtPath(Outbox::folder(), &ignored);
}

TEST_F(MailComposeTest, TextMessageLandsAsTextFile) {
  struct : MFMessageComposeViewControllerDelegate {
    std::vector<MessageComposeResult> results;
    void messageComposeViewController(MFMessageComposeViewController&, MessageComposeResult r) override {
      results.push_back(r);
    }
  } d;
  MFMessageComposeViewController sms, dropped;
  sms.setMessageComposeDelegate(&d);
  dropped.setMessageComposeDelegate(&d);
  sms.setBody("Surah 2, Verse 255:\n\nاللَّهُ لَا إِلَٰهَ إِلَّا هُوَ");
  sms.send();
  dropped.cancel();
  EXPECT_EQ(d.results, (std::vector<MessageComposeResult>{MessageComposeResultSent, MessageComposeResultCancelled}));
  EXPECT_EQ(readFile(sms.writtenPath()), "To: \n\nSurah 2, Verse 255:\n\nاللَّهُ لَا إِلَٰهَ إِلَّا هُوَ\n");
  EXPECT_TRUE(dropped.writtenPath().empty());
}

}  // namespace

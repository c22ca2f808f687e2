// Requests to the social network: the query string, the multipart body byte for byte, the
// decoding of answers, and a call through the local stand-in service.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "social/FBRequest.h"
#include "social/json/SBJsonWriter.h"
#include "tests/support/FakeSocialServer.h"

namespace {

std::string text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(FBRequest, QueryStringsEscapeValuesInTheOrderGiven) {
  const FBParams params{{"a", "x y"}, {"b", "1/2"}, {"c", "!*'();:@&=+$,/?%#[]-_.~\xC3\xA9"}};
  EXPECT_EQ(FBRequest::serializeURL("http://h.test/me", params),
            "http://h.test/me?a=x%20y&b=1%2F2&c=%21%2A%27%28%29%3B%3A%40%26%3D%2B%24%2C%2F%3F%25%23%5B%5D-_.~%C3%A9");
  EXPECT_EQ(FBRequest::serializeURL("http://h.test/me?x=1", FBParams{{"a", "b"}}), "http://h.test/me?x=1&a=b");

  LogCapture capture;
  FBParams fileOnly;
  fileOnly.set("file", std::vector<uint8_t>{1, 2, 3});
  EXPECT_EQ(FBRequest::serializeURL("http://h.test/up", fileOnly, "GET"), "http://h.test/up?");
  EXPECT_EQ(capture.count("can not use GET to upload a file"), 1u);
}

TEST(FBRequest, PostSendsItsParametersInAClosedMultipartBodyOnly) {
  FBParams params{{"app_id", "lumeno"}, {"message", "Allah \"Ayat al-Kursi\" [2:255]"}};
  params.set("data", std::vector<uint8_t>{0x00, 0xFF, 'z'});
  params.set("format", "json");
  auto request = FBRequest::getRequestWithParams(params, "POST", nullptr, "http://h.test/method/stream.publish");
  const std::string B = FBRequest::kDefaultBoundary;
  const std::string expected = "--" + B + "\r\n" +
                               "Content-Disposition: form-data; name=\"app_id\"\r\n\r\nlumeno\r\n--" + B + "\r\n" +
                               "Content-Disposition: form-data; name=\"message\"\r\n\r\nAllah \"Ayat al-Kursi\" [2:255]\r\n--" + B + "\r\n" +
                               "Content-Disposition: form-data; name=\"format\"\r\n\r\njson\r\n--" + B + "\r\n" +
                               "Content-Disposition: form-data; name=\"data\"; filename=\"data\"\r\n"
                               "Content-Type: content/unknown\r\n\r\n" + std::string("\0\xFFz", 3) +
                               "\r\n--" + B + "--\r\n";
  EXPECT_EQ(text(request->generatePostBody()), expected);

  NSURLRequest http = request->makeURLRequest();
  EXPECT_EQ(http.URL(), "http://h.test/method/stream.publish");  // no token or message in the address
  EXPECT_EQ(http.HTTPMethod(), "POST");
  EXPECT_EQ(http.valueForHTTPHeaderField("Content-Type"), "multipart/form-data; boundary=" + B);
  EXPECT_EQ(http.valueForHTTPHeaderField("User-Agent"), "FacebookConnect");
  EXPECT_EQ(http.timeoutInterval(), 180);
  EXPECT_EQ(http.cachePolicy(), NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData);

  auto empty = FBRequest::getRequestWithParams({}, "POST", nullptr, "http://h.test/m");
  EXPECT_EQ(text(empty->generatePostBody()), "--" + B + "--\r\n");
}

TEST(FBRequest, AValueHoldingTheBoundaryGetsAnotherBoundary) {
  const std::string B = FBRequest::kDefaultBoundary;
  auto request = FBRequest::getRequestWithParams(FBParams{{"message", "a\r\n--" + B + "\r\nb"}}, "POST", nullptr, "http://h.test/m");
  const std::string boundary = request->boundary();
  EXPECT_NE(boundary, B);
  EXPECT_EQ(boundary.size(), 40u);
  auto fields = FakeSocialService::parseMultipart("multipart/form-data; boundary=" + boundary, text(request->generatePostBody()));
  ASSERT_TRUE(fields);
  EXPECT_EQ(*fields, (std::vector<std::pair<std::string, std::string>>{{"message", "a\r\n--" + B + "\r\nb"}}));
}

struct Decoding {
  std::string body;
  std::optional<int> errorCode;  // none: no error
  std::string result;            // the result written as JSON, "raw" for the bytes, "" for none
};

TEST(FBRequest, DecodesTrueFalseJsonAndTheServicesErrors) {
  const std::vector<Decoding> cases = {
      {"true", std::nullopt, R"({"result":"true"})"},
      {"false", 10000, ""},
      {R"({"error_code":190,"error_msg":"Invalid token"})", 190, ""},
      {R"({"error_code":"17"})", 17, ""},
      {R"({"error":{"message":"bad"}})", 10000, ""},
      {R"({"error_msg":"only a message"})", 10000, R"({"error_msg":"only a message"})"},
      {R"({"id":"1001"})", std::nullopt, R"({"id":"1001"})"},
      {"[1,2]", std::nullopt, "[1,2]"},
      {"\"1001_1\"", std::nullopt, ""},
      {"<html>", std::nullopt, ""},
      {"\xFF\xFE", std::nullopt, ""},
  };
  for (const Decoding& c : cases) {
    std::optional<FBError> error;
    std::optional<JSONValue> result = FBRequest::parseJsonResponse(std::vector<uint8_t>(c.body.begin(), c.body.end()), error);
    EXPECT_EQ(error ? std::optional<int>(error->code) : std::nullopt, c.errorCode) << c.body;
    if (error) {
      EXPECT_EQ(error->domain, "facebookErrDomain");
    }
    std::string written;
    if (result) written = SBJsonWriter().stringWithObject(*result).value_or("?");
    EXPECT_EQ(written, c.result) << c.body;
  }
  std::optional<FBError> error;
  FBRequest::parseJsonResponse({'f', 'a', 'l', 's', 'e'}, error);
  ASSERT_TRUE(error);
  EXPECT_EQ(error->localizedDescription, "This operation can not be completed");
}

// Records what a request reports.
struct RequestRecorder : FBRequestDelegate {
  unsigned answers = AnswersLoad | AnswersFail;
  std::vector<std::string> calls;
  std::optional<FBResult> result;
  std::optional<FBError> error;
  std::vector<uint8_t> raw;
  bool ended = false;

  unsigned fbRequestAnswers() const override { return answers; }
  void requestLoading(FBRequest&) override { calls.push_back("loading"); }
  void requestDidReceiveResponse(FBRequest&, const NSHTTPURLResponse&) override { calls.push_back("response"); }
  void requestDidFailWithError(FBRequest&, const FBError& e) override {
    calls.push_back("fail");
    error = e;
    ended = true;
  }
  void requestDidLoad(FBRequest&, const FBResult& r) override {
    calls.push_back("load");
    result = r;
    ended = true;
  }
  void requestDidLoadRawResponse(FBRequest&, const std::vector<uint8_t>& body) override {
    calls.push_back("raw");
    raw = body;
    if (!(answers & (AnswersLoad | AnswersFail))) ended = true;
  }
};

class FBRequestServiceTest : public ::testing::Test {
 protected:
  void SetUp() override { RunLoop::main().resetForTesting(); }
  void TearDown() override { RunLoop::main().resetForTesting(); }
};

TEST_F(FBRequestServiceTest, APostReachesTheServiceAndItsAnswerIsReported) {
  FakeSocialServer server;
  RequestRecorder recorder;
  FBParams params{{"message", "hello"}, {"access_token", FakeSocialService::kToken}};
  auto request = FBRequest::getRequestWithParams(params, "POST", &recorder, server.service.origin() + "/method/stream.publish");
  request->connect();
  EXPECT_TRUE(request->loading());
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return recorder.ended; }, 10));
  EXPECT_FALSE(request->loading());
  EXPECT_EQ(recorder.calls, (std::vector<std::string>{"loading", "response", "load"}));
  // The new post's identifier is a bare JSON text: it arrives as the raw bytes.
  ASSERT_TRUE(recorder.result && std::holds_alternative<std::vector<uint8_t>>(*recorder.result));
  EXPECT_EQ(text(std::get<std::vector<uint8_t>>(*recorder.result)), "\"1001_1\"");
  const auto received = server.service.received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].query, "");
  EXPECT_EQ(received[0].fields, (std::vector<std::pair<std::string, std::string>>{{"message", "hello"},
                                                                                 {"access_token", FakeSocialService::kToken}}));
}

TEST_F(FBRequestServiceTest, AnErrorStatusIsAFailureWhateverTheBody) {
  FakeSocialService::Switches switches;
  switches.postStatus = 503;
  FakeSocialServer server(switches);
  RequestRecorder recorder;
  auto request = FBRequest::getRequestWithParams(FBParams{{"message", "x"}}, "POST", &recorder,
                                                 server.service.origin() + "/method/stream.publish");
  request->connect();
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return recorder.ended; }, 10));
  EXPECT_EQ(recorder.calls.back(), "fail");
  ASSERT_TRUE(recorder.error);
  EXPECT_EQ(recorder.error->code, 503);
  EXPECT_EQ(recorder.error->domain, "facebookErrDomain");
}

TEST_F(FBRequestServiceTest, AnOversizedAnswerIsRefused) {
  FakeSocialService::Switches switches;
  switches.postBody = "[\"" + std::string(FBRequest::kMaxResponseBytes, 'x') + "\"]";
  FakeSocialServer server(switches);
  RequestRecorder recorder;
  auto request = FBRequest::getRequestWithParams(FBParams{{"access_token", FakeSocialService::kToken}}, "POST", &recorder,
                                                 server.service.origin() + "/method/stream.publish");
  request->connect();
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return recorder.ended; }, 20));
  EXPECT_EQ(recorder.calls.back(), "fail");
  EXPECT_EQ(recorder.error->code, NSURLErrorBadServerResponse);
  EXPECT_FALSE(request->loading());
}

TEST_F(FBRequestServiceTest, ARawOnlyDelegateGetsTheBytesUndecodedAndTransportFailuresArriveUnchanged) {
  FakeSocialServer server;
  RequestRecorder rawOnly;
  rawOnly.answers = FBRequestDelegate::AnswersRawResponse;
  auto request = FBRequest::getRequestWithParams({}, "GET", &rawOnly, server.service.origin() + "/method/auth.expireSession");
  request->connect();
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return rawOnly.ended; }, 10));
  EXPECT_EQ(rawOnly.calls, (std::vector<std::string>{"loading", "response", "raw"}));
  EXPECT_EQ(text(rawOnly.raw), "true");

  const std::string origin = server.service.origin();
  server.service.stop();
  RequestRecorder refused;
  auto failing = FBRequest::getRequestWithParams({}, "GET", &refused, origin + "/me");
  failing->connect();
  ASSERT_TRUE(RunLoop::main().runUntil([&] { return refused.ended; }, 10));
  EXPECT_EQ(refused.calls, (std::vector<std::string>{"loading", "fail"}));
  EXPECT_EQ(refused.error->domain, "NSURLErrorDomain");
}

}  // namespace

#include <gtest/gtest.h>

#include "tests/toolkit/network/NetworkTestSupport.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLDataResponse.h"
#include "toolkit/network/TTURLImageResponse.h"
#include "toolkit/network/TTURLRequest.h"

namespace {
std::string text(const std::optional<std::vector<uint8_t>>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}
}  // namespace

TEST(TTURLRequest, CacheKeysAreMD5OfURLOrOfURLAndPOSTParameters) {
  EXPECT_EQ(TTURLRequest::md5HexDigest(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(TTURLRequest::md5HexDigest("abc"), "900150983cd24fb0d6963f7d28e17f72");

  auto get = TTURLRequest::requestWithURL("http://127.0.0.1/a.png", nullptr);
  get->parameters()["x"] = std::string("1");
  EXPECT_EQ(get->cacheKey(), TTURLCache::keyForURL("http://127.0.0.1/a.png"));

  auto post = TTURLRequest::requestWithURL("http://127.0.0.1/form", nullptr);
  post->setHttpMethod("POST");
  post->parameters()["x"] = std::string("1");
  post->parameters()["y"] = std::string("2");
  post->parameters()["z"] = makeImage(2, 2);
  EXPECT_EQ(post->cacheKey(), TTURLRequest::md5HexDigest("http://127.0.0.1/formx=1y=2z="));

  auto lower = TTURLRequest::requestWithURL("http://127.0.0.1/form", nullptr);
  lower->setHttpMethod("post");
  lower->parameters()["x"] = std::string("1");
  EXPECT_EQ(lower->cacheKey(), TTURLCache::keyForURL("http://127.0.0.1/form"));
  EXPECT_EQ(lower->contentType(), "");
  EXPECT_TRUE(lower->httpBody().has_value());
  EXPECT_EQ(post->contentType(), "multipart/form-data; boundary=3i2ndDfv2rTHiSisAbouNdArYfORhtTPEefj3q2f");
  EXPECT_FALSE(get->httpBody().has_value());
}

TEST(TTURLRequest, MultipartBodyLayout) {
  auto post = TTURLRequest::requestWithURL("http://127.0.0.1/form", nullptr);
  post->setHttpMethod("POST");
  post->parameters()["p"] = std::string("value");
  post->addFile({'F', 'D'}, "text/plain", "f.txt");
  const std::string b = "3i2ndDfv2rTHiSisAbouNdArYfORhtTPEefj3q2f";
  EXPECT_EQ(text(post->httpBody()),
            "--" + b + "\r\n" + "\r\n--" + b + "\r\n" + "Content-Disposition: form-data; name=\"p\"\r\n\r\nvalue" +
                "\r\n--" + b + "\r\n" +
                "Content-Disposition: form-data; name=\"f.txt\"; filename=\"f.txt\"\r\nContent-Length: 2\r\n"
                "Content-Type: text/plain\r\n\r\nFD" +
                "\r\n--" + b + "--\r\n");
}

TEST(TTURLRequest, ImageParametersStayAndTheBodyIsBuiltOnce) {
  auto post = TTURLRequest::requestWithURL("http://127.0.0.1/form", nullptr);
  post->setHttpMethod("POST");
  post->parameters()["a"] = makeImage(3, 3);
  post->parameters()["b"] = makeImage(3, 3);
  std::string key = post->cacheKey();
  std::string body = text(post->httpBody());
  size_t first = body.find("name=\"a\"; filename=\"image.jpg\"");
  size_t second = body.find("name=\"b\"; filename=\"image.jpg\"");
  EXPECT_NE(first, std::string::npos);
  EXPECT_NE(second, std::string::npos);
  EXPECT_NE(body.find("Content-Type: image/jpeg\r\n\r\n\xFF\xD8"), std::string::npos);
  // A second read (a retried load) sends both images again; nothing was dropped.
  EXPECT_EQ(text(post->httpBody()), body);
  EXPECT_EQ(post->parameters().size(), 2u);
  EXPECT_EQ(post->generateCacheKey(), key);
}

TEST(TTURLRequest, ResponsesKeepBytesOrDecodeImages) {
  TTURLCache::setSharedCache(std::make_shared<TTURLCache>());
  auto request = TTURLRequest::requestWithURL("http://127.0.0.1/i.png", nullptr);

  TTURLDataResponse data;
  EXPECT_FALSE(data.processResponse(*request, nullptr, makeImage(2, 2)));
  EXPECT_FALSE(data.data().has_value());
  EXPECT_FALSE(data.processResponse(*request, nullptr, std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(data.data(), (std::vector<uint8_t>{1, 2, 3}));

  TTURLImageResponse garbage;
  auto error = garbage.processResponse(*request, nullptr, std::vector<uint8_t>{'n', 'o', 't'});
  ASSERT_TRUE(error);
  EXPECT_EQ(error->domain, TTErrorDomain);
  EXPECT_EQ(error->code, 101);
  EXPECT_FALSE(garbage.image());

  TTURLImageResponse given;
  auto image = makeImage(2, 2);
  EXPECT_FALSE(given.processResponse(*request, nullptr, image));
  EXPECT_EQ(given.image(), image);
  EXPECT_FALSE(TTURLCache::sharedCache().imageForURL(request->URL(), false));

  TTURLImageResponse decoded;
  EXPECT_FALSE(decoded.processResponse(*request, nullptr, pngBytes(3, 2)));
  ASSERT_TRUE(decoded.image());
  EXPECT_EQ(TTURLCache::sharedCache().imageForURL(request->URL(), false), decoded.image());
  TTURLCache::setSharedCache(nullptr);
}

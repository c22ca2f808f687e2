#include <gtest/gtest.h>

#include "platform/foundation/Log.h"
#include "platform/ui/UIApplication.h"
#include "tests/toolkit/navigator/NavigatorFixtures.h"
#include "toolkit/foundation/NSObject+TTCategory.h"
#include "toolkit/navigator/TTNavigator.h"
#include "toolkit/navigator/TTURLMap.h"

namespace {
class URLMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerNavigatorFixtures();
    ASSERT_TRUE(map.fromToViewController("tt://photo/(initWithPhotoId:)", "PhotoController"));
    ASSERT_TRUE(map.fromToViewController("tt://photo/featured", "PlainController"));  // after, yet more specific
    ASSERT_TRUE(map.fromToViewController("tt://home", "PlainController"));
    ASSERT_TRUE(map.fromToViewController("tt://search/(initWithName)", "SearchController"));
    ASSERT_TRUE(map.fromToViewController("tt://find?term=(initWithTerm)", "SearchController"));
    ASSERT_TRUE(map.fromToViewController("tt://kinds/(initWithFlag)/(count)/(big)/(ratio)/(scale)", "KindsController"));
  }
  TTURLMap map;
};

template <class T>
std::shared_ptr<T> opened(TTURLMap& map, const std::string& url) {
  return map.objectForURL(url).as<T>();
}
}  // namespace

TEST_F(URLMapTest, PatternsAgainstURLs) {
  struct Case {
    const char* url;
    const char* cls;  // nullptr: no match
  } cases[] = {
      {"tt://photo/42", "PhotoController"},
      {"tt://photo/featured", "PlainController"},  // literal (4) beats wildcard (3)
      {"tt://photo/42/extra", nullptr},            // more parts than the pattern
      {"tt://photo", nullptr},
      {"tt://home", "PlainController"},            // empty path matches a host-only pattern
      {"tt://home/", "PlainController"},
      {"tt://home?x=1&y=2", "PlainController"},    // the query never prevents a match
      {"other://home", nullptr},                    // scheme
      {"tt://nowhere", nullptr},
      {"tt:no-host", nullptr},
      {"not a url", nullptr},
      {"", nullptr},
  };
  for (const auto& c : cases) {
    TTObjectRef object = map.objectForURL(c.url);
    if (!c.cls) {
      EXPECT_FALSE(object) << c.url;
      continue;
    }
    ASSERT_TRUE(object) << c.url;
    EXPECT_EQ(object.cls->name(), c.cls) << c.url;
  }
}

TEST_F(URLMapTest, ArgumentsAreConvertedToTheParameterTypes) {
  EXPECT_EQ(opened<PhotoController>(map, "tt://photo/42")->photoId, 42);
  EXPECT_EQ(opened<PhotoController>(map, "tt://photo/x7")->photoId, 0);  // as intValue reads it

  auto kinds = opened<KindsController>(map, "tt://kinds/yes/-7/9000000000/1.5/2.25");
  ASSERT_TRUE(kinds);
  EXPECT_TRUE(kinds->kinds.flag);
  EXPECT_EQ(kinds->kinds.count, -7);
  EXPECT_EQ(kinds->kinds.big, 9000000000LL);
  EXPECT_FLOAT_EQ(kinds->kinds.ratio, 1.5f);
  EXPECT_DOUBLE_EQ(kinds->kinds.scale, 2.25);

  auto find = opened<SearchController>(map, "tt://find?term=two%20words");
  ASSERT_TRUE(find);
  EXPECT_EQ(find->term, "two words");
}

TEST_F(URLMapTest, UnnamedQueryParametersReachTheLastArgument) {
  // "initWithName:" is not a selector of the class: "initWithName:query:" is deduced instead.
  auto search = opened<SearchController>(map, "tt://search/ann?page=2&sort=up");
  ASSERT_TRUE(search);
  EXPECT_EQ(search->term, "ann");
  ASSERT_EQ(search->query.size(), 2u);
  EXPECT_EQ(std::any_cast<std::string>(search->query.at("page")), "2");

  TTQuery given{{"from", std::string("menu")}};
  auto withGiven = map.objectForURL("tt://search/bo?page=3", given).as<SearchController>();
  ASSERT_TRUE(withGiven);
  EXPECT_EQ(withGiven->query.size(), 2u);
  EXPECT_EQ(std::any_cast<std::string>(withGiven->query.at("from")), "menu");
}

TEST_F(URLMapTest, LiteralOnlyControllerPatternUsesThePlainInitialiser) {
  ASSERT_TRUE(map.fromToViewController("tt://about/(x)/(y)", "PlainController"));
  auto pattern = std::make_shared<TTURLNavigatorPattern>(TTURLTarget::forClass(TTClassRegistry::shared().classNamed("PlainController")),
                                                         TTNavigationMode::Create);
  ASSERT_TRUE(map.addObjectPattern(pattern, "tt://credits"));
  EXPECT_EQ(pattern->selector(), "initWithNavigatorURL:query:");
  EXPECT_TRUE(opened<PlainController>(map, "tt://credits"));
  EXPECT_TRUE(opened<PlainController>(map, "tt://about/1/2"));  // "x:y:" unknown: plain init
}

TEST_F(URLMapTest, BadRegistrationsAreLoggedAndBadArgumentsAreSilentMisses) {
  LogCapture log;
  EXPECT_FALSE(map.fromToViewController("tt://x", "NoSuchController"));
  EXPECT_FALSE(map.fromToViewController("tt://has space/(a)", "PlainController"));
  // A selector given at registration is kept even when the class cannot answer it.
  ASSERT_TRUE(map.fromToViewController("tt://count/(a)/(b)", "PhotoController", "initWithPhotoId:count:"));
  EXPECT_FALSE(map.objectForURL("tt://count/1/2"));
  // A wildcard whose text cannot be the parameter it names (a query dictionary).
  ASSERT_TRUE(map.fromToViewController("tt://typed/(query)", "SearchController", "initWithName:query:"));
  EXPECT_FALSE(map.objectForURL("tt://typed/abc"));
  std::string all;
  for (const auto& line : log.lines()) all += line + "\n";
  EXPECT_NE(all.find("no class NoSuchController"), std::string::npos) << all;
  EXPECT_NE(all.find("not a URL"), std::string::npos) << all;
  EXPECT_EQ(log.lines().size(), 2u) << all;
}

TEST_F(URLMapTest, SharedObjectsLiveAsLongAsTheirOwner) {
  ASSERT_TRUE(map.fromToSharedViewController("tt://shared", "PlainController"));
  auto first = map.objectForURL("tt://shared");
  EXPECT_EQ(map.objectForURL("tt://shared").object, first.object);
  first = {};
  EXPECT_TRUE(map.objectForURL("tt://shared"));  // a new one: the old is gone, never dangling
}

TEST_F(URLMapTest, UniversalAndObjectPatterns) {
  auto photo = std::make_shared<PhotoController>(5);
  TTObjectRef ref = tt_class_detail::refFor(photo);
  ASSERT_TRUE(map.fromToObject("tt://page/(openPage)", ref));
  auto page = map.objectForURL("tt://page/9");
  EXPECT_TRUE(page.as<PlainController>());
  EXPECT_EQ(photo->lastPage, 9);

  EXPECT_FALSE(map.objectForURL("zz://anything/at/all"));
  ASSERT_TRUE(map.fromToObject("*", "Fallback"));
  EXPECT_TRUE(map.objectForURL("zz://anything/at/all").as<PlainController>());
  EXPECT_EQ(Fallback::last, "zz://anything/at/all");
}

TEST_F(URLMapTest, FragmentsDispatchToTheTarget) {
  auto photo = std::make_shared<PhotoController>(5);
  TTObjectRef ref = tt_class_detail::refFor(photo);
  ASSERT_TRUE(map.fromToViewController("tt://photo/(photoId)#(openPage)", "PhotoController", "openPage:"));
  EXPECT_TRUE(map.dispatchURL("tt://photo/5#3", ref, std::nullopt).as<PlainController>());
  EXPECT_EQ(photo->lastPage, 3);
  EXPECT_FALSE(map.dispatchURL("tt://other/5#showComments", ref, std::nullopt));  // by name, answers nothing
  EXPECT_EQ(photo->commentsShown, 1);
  map.dispatchURL("tt://other/5#noSuchMethod", ref, std::nullopt);
  EXPECT_EQ(photo->commentsShown, 1);
}

TEST_F(URLMapTest, GeneratedURLsReadProperties) {
  ASSERT_TRUE(map.fromToURL("Photo", "tt://photo/(photoId)/(owner.name)/(caption)?title=(title)&score=(score)"));
  ASSERT_TRUE(map.fromNameToURL("Photo", "short", "tt://p/(photoId)"));
  auto pano = std::make_shared<Panorama>();
  pano->photoId = 7;
  pano->title = "Sun";
  pano->score = 1.5f;
  pano->owner = std::make_shared<User>(User{"ann"});
  TTObjectRef ref = tt_class_detail::refFor(std::shared_ptr<Photo>(pano));
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref.cls->name(), "Panorama");
  // A subclass is served by its superclass's generator; "caption" is no property.
  EXPECT_EQ(map.URLForObject(ref), "tt://photo/7/ann/?score=1.500000&title=Sun");
  EXPECT_EQ(map.URLForObject(ref, "short"), "tt://p/7");
  EXPECT_EQ(map.URLForObject(ref, "none"), "");
  User user{"bo"};
  EXPECT_EQ(map.URLForObject(tt_class_detail::refFor(std::make_shared<User>(user))), "");
}

TEST_F(URLMapTest, ApplicationURLs) {
  UIApplication::sharedApplication().setURLHandlers(
      [](const std::string&) { return true; },
      [](const std::string& url) { return url.rfind("mailto:", 0) == 0 || url.rfind("http", 0) == 0 || url.rfind("tt:", 0) == 0; });
  struct Case {
    const char* url;
    bool app;
  } cases[] = {
      {"mailto:someone@example.org", true},   // another application opens it
      {"http://example.org/", false},          // web links stay
      {"tt://home", false},                    // our registered scheme
      {"gopher://example.org/", false},        // nobody opens it
      {"https://maps.apple.com/?q=here", true}, // a map and store host
  };
  for (const auto& c : cases) {
    auto url = NSURL::URLWithString(c.url);
    ASSERT_TRUE(url) << c.url;
    EXPECT_EQ(map.isAppURL(*url), c.app) << c.url;
  }
  EXPECT_EQ(map.navigationModeForURL("mailto:someone@example.org"), TTNavigationMode::External);
  EXPECT_EQ(map.navigationModeForURL("tt://nowhere"), TTNavigationMode::External);
  EXPECT_EQ(map.navigationModeForURL("tt://home"), TTNavigationMode::Create);
  UIApplication::sharedApplication().setURLHandlers(nullptr, nullptr);
}

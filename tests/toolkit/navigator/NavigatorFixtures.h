#pragma once
// Classes the navigator tests open by URL, registered once under their names.

#include <memory>
#include <string>

#include "platform/net/NSURL.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "toolkit/navigator/TTClassBuilder.h"
#include "toolkit/controllers/TTModelViewController.h"
#include "toolkit/navigator/TTPopupViewController.h"

struct User {
  std::string name;
};

struct Photo {
  virtual ~Photo() = default;
  int photoId = 0;
  std::string title;
  float score = 0;
  std::shared_ptr<User> owner;
  std::string caption() const { return "caption"; }  // a method, not a property
};

struct Panorama : Photo {
  long long width = 0;
};

class PlainController : public UIViewController {};

struct CountingModel : TTModel {
  void load(int, bool) override { ++loads; }
  int loads = 0;
};

class PhotoController : public TTModelViewController {
 public:
  explicit PhotoController(int id = 0) : photoId(id) {}
  void viewDidLoad() override {
    setTitle("Photo " + std::to_string(photoId));
    view()->setBackgroundColor(UIColor::colorWithRed(0, 0.5, 0.5, 1));
  }
  bool persistView(Value::Map& state) override {
    state["scrollY"] = scrollY;
    return true;
  }
  void restoreView(const Value::Map& state) override {
    auto it = state.find("scrollY");
    if (it != state.end()) scrollY = it->second.doubleValue();
  }
  void delayDidEnd() override {
    TTModelViewController::delayDidEnd();
    ++delayEnds;
  }
  void createModel() override {
    counting = std::make_shared<CountingModel>();
    setModel(counting);
  }
  void showComments() { ++commentsShown; }
  std::shared_ptr<PlainController> openPage(int page) {
    lastPage = page;
    return std::make_shared<PlainController>();
  }

  int photoId;
  double scrollY = 0;
  int delayEnds = 0;
  std::shared_ptr<CountingModel> counting;
  int commentsShown = 0;
  int lastPage = 0;
};

class SearchController : public UIViewController {
 public:
  SearchController(std::string term, TTQuery query) : term(std::move(term)), query(std::move(query)) {}
  std::string term;
  TTQuery query;
};

struct Kinds {
  bool flag = false;
  int count = 0;
  long long big = 0;
  float ratio = 0;
  double scale = 0;
};

class KindsController : public UIViewController {
 public:
  explicit KindsController(Kinds k) : kinds(k) {}
  Kinds kinds;
};

class NotePopup : public TTPopupViewController {
 public:
  void showInView(UIView* view, bool) override { shownIn = view; }
  UIView* shownIn = nullptr;
};

// A container with a URL of its own.
class HostController : public UINavigationController {};

// Catches every URL nothing else answers.
struct Fallback {
  static std::shared_ptr<PlainController> open(const NSURL& url, const TTQuery& query) {
    last = url.absoluteString();
    return std::make_shared<PlainController>();
  }
  static inline std::string last;
};

inline void registerNavigatorFixtures() {
  static bool done = false;
  if (done) return;
  done = true;
  TTClassBuilder<User>("User").property("name", &User::name);
  TTClassBuilder<Photo>("Photo")
      .property("photoId", &Photo::photoId)
      .property("title", &Photo::title)
      .property("score", &Photo::score)
      .property("owner", &Photo::owner)
      .method("caption", &Photo::caption);
  TTClassBuilder<Panorama, Photo>("Panorama").property("width", &Panorama::width);
  TTClassBuilder<UIViewController>("UIViewController");
  TTClassBuilder<UINavigationController, UIViewController>("UINavigationController");
  TTClassBuilder<PlainController, UIViewController>("PlainController");
  TTClassBuilder<HostController, UINavigationController>("HostController");
  TTClassBuilder<NotePopup, UIViewController>("NotePopup");
  TTClassBuilder<PhotoController, UIViewController>("PhotoController")
      .initializer("initWithPhotoId:", [](int id) { return std::make_shared<PhotoController>(id); })
      .method("showComments", &PhotoController::showComments)
      .method("openPage:", &PhotoController::openPage);
  TTClassBuilder<SearchController, UIViewController>("SearchController")
      .initializer("initWithTerm:", [](const std::string& term) { return std::make_shared<SearchController>(term, TTQuery{}); })
      .initializer("initWithName:query:", [](const std::string& name, const TTQuery& query) {
        return std::make_shared<SearchController>(name, query);
      });
  TTClassBuilder<KindsController, UIViewController>("KindsController")
      .initializer("initWithFlag:count:big:ratio:scale:", [](bool f, short c, long long b, float r, double s) {
        return std::make_shared<KindsController>(Kinds{f, c, b, r, s});
      });
  TTClassBuilder<Fallback>("Fallback").classMethod("initWithNavigatorURL:query:", &Fallback::open);
}

#include <gtest/gtest.h>

#include "platform/ui/hosting/UINavigationController.h"
#include "tests/toolkit/controllers/ControllerTestSupport.h"
#include "toolkit/controllers/TTModelViewController.h"
#include "toolkit/controllers/TTURLRequestModel.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLDataResponse.h"
#include "toolkit/network/TTURLRequestQueue.h"

namespace {

using Log = std::vector<std::string>;

// A model the test drives: load() starts at once; finish() and fail() end the load.
class ScriptedModel : public TTModel {
 public:
  bool loaded = false, loading = false, outdated = false;
  Log loads;
  bool isLoaded() const override { return loaded; }
  bool isLoading() const override { return loading; }
  bool isOutdated() const override { return outdated; }
  void load(int policy, bool more) override {
    loads.push_back(std::to_string(policy) + (more ? " more" : ""));
    loading = true;
    didStartLoad();
  }
  void finish(bool withData) {
    loading = false;
    loaded = loaded || withData;
    didFinishLoad();
  }
  void fail() {
    loading = false;
    didFailLoadWithError(NSError("test", 7));
  }
};

class RecordingModelController : public TTModelViewController {
 public:
  Log log;
  std::shared_ptr<ScriptedModel> next;  // what createModel sets; none gives the stand-in
  bool hasRows = true;
  std::optional<Value::Map> restored;

  void createModel() override {
    if (next) setModel(next);
  }
  bool canShowModel() override { return hasRows; }
  Log take() { return std::exchange(log, {}); }

 protected:
  void didRefreshModel() override { log.push_back("didRefresh"); }
  void willLoadModel() override { log.push_back("willLoad"); }
  void didLoadModel(bool first) override { log.push_back(first ? "didLoad first" : "didLoad"); }
  void didShowModel(bool first) override { log.push_back(first ? "didShow first" : "didShow"); }
  void showLoading(bool show) override { log.push_back(show ? "+loading" : "-loading"); }
  void showModel(bool show) override { log.push_back(show ? "+model" : "-model"); }
  void showEmpty(bool show) override { log.push_back(show ? "+empty" : "-empty"); }
  void showError(bool show) override { log.push_back(show ? "+error" : "-error"); }
  bool persistView(Value::Map& state) override {
    state["row"] = Value(4);
    return true;
  }
  void restoreView(const Value::Map& state) override { restored = state; }
};

class ModelViewControllerTest : public ControllerTest {
 protected:
  std::shared_ptr<RecordingModelController> controllerWith(std::shared_ptr<ScriptedModel> model) {
    auto c = std::make_shared<RecordingModelController>();
    c->next = std::move(model);
    return c;
  }
};

TEST_F(ModelViewControllerTest, LoadLifeCycleDrivesLoadingModelEmptyAndErrorDisplays) {
  auto model = std::make_shared<ScriptedModel>();
  auto c = controllerWith(model);
  show(c);
  EXPECT_EQ(model->loads, Log{"7"});  // memory, disk and network
  EXPECT_EQ(c->take(), (Log{"didRefresh", "willLoad", "+loading"}));

  model->fail();
  EXPECT_EQ(c->take(), (Log{"-loading", "+error"}));
  ASSERT_TRUE(c->modelError());
  EXPECT_EQ(c->modelError()->code, 7);

  // Trying again: the error stays up beside the loading display until a load succeeds.
  model->load(7, false);
  EXPECT_EQ(c->take(), (Log{"willLoad", "+loading"}));
  model->finish(true);
  EXPECT_EQ(c->take(), (Log{"didLoad first", "-loading", "-error", "+model", "didShow first"}));
  EXPECT_TRUE(c->isShowingModel());
  EXPECT_FALSE(c->modelError());

  // A load that brings nothing to show leaves only the empty display.
  c->hasRows = false;
  model->load(7, false);
  model->finish(false);
  EXPECT_EQ(c->take(), (Log{"willLoad", "-model", "+loading", "didLoad first", "-loading", "+empty"}));
  EXPECT_TRUE(c->isShowingEmpty());
  EXPECT_FALSE(c->isShowingModel() || c->isShowingLoading() || c->isShowingError());
}

TEST_F(ModelViewControllerTest, ScreenWithoutAModelShowsTheStandInModelAtOnce) {
  auto c = std::make_shared<RecordingModelController>();
  show(c);
  EXPECT_EQ(c->take(), (Log{"didRefresh", "didLoad", "+model", "didShow first"}));
  ASSERT_TRUE(c->isModelCreated());
  EXPECT_TRUE(c->model()->isLoaded());

  // The navigator's delay keeps the stand-in; its end brings the real model.
  auto model = std::make_shared<ScriptedModel>();
  model->loaded = true;
  c->next = model;
  TTNavigatorHooks::shared().isDelayed = [] { return true; };
  c->invalidateModel();
  EXPECT_NE(c->model(), model.get());
  TTNavigatorHooks::shared().isDelayed = [] { return false; };
  c->take();
  c->delayDidEnd();
  EXPECT_EQ(c->model(), model.get());
  EXPECT_EQ(c->take(), (Log{"-model", "didRefresh", "didLoad", "+model", "didShow first"}));
}

TEST_F(ModelViewControllerTest, LoadingWithDataShowsBothAndHidesBeforeShowing) {
  auto model = std::make_shared<ScriptedModel>();
  model->loaded = true;
  model->outdated = true;  // refresh reloads from the network
  auto c = controllerWith(model);
  show(c);
  EXPECT_EQ(model->loads, Log{"4"});
  EXPECT_EQ(c->take(), (Log{"didRefresh", "willLoad", "+model", "didShow first", "+loading"}));
  model->outdated = false;
  model->finish(true);
  // Every hide of a pass comes before its shows; the model is shown afresh after a load.
  EXPECT_EQ(c->take(), (Log{"didLoad first", "-loading", "+model", "didShow"}));
}

TEST_F(ModelViewControllerTest, UpdatesWaitBetweenBeginAndEnd) {
  auto model = std::make_shared<ScriptedModel>();
  auto c = controllerWith(model);
  show(c);
  c->take();
  model->beginUpdates();
  model->finish(true);
  c->updateView();
  EXPECT_TRUE(c->take().empty());
  model->endUpdates();
  EXPECT_EQ(c->take(), (Log{"didLoad first", "-loading", "+model", "didShow first"}));
}

TEST_F(ModelViewControllerTest, ChangeAnnouncedWithoutALoadIsNotAFirstLoad) {
  auto model = std::make_shared<ScriptedModel>();
  model->loaded = true;
  auto c = controllerWith(model);
  show(c);
  c->take();
  model->didChange();
  EXPECT_EQ(c->take(), (Log{"didRefresh", "didLoad", "+model", "didShow"}));

  // Another model's announcements are not this screen's business.
  ScriptedModel stranger;
  stranger.addDelegate(c.get());
  stranger.didChange();
  stranger.fail();
  EXPECT_TRUE(c->take().empty());
  EXPECT_FALSE(c->modelError());
  stranger.removeDelegate(c.get());
}

TEST_F(ModelViewControllerTest, OffScreenChangesWaitForTheNextAppearance) {
  auto model = std::make_shared<ScriptedModel>();
  auto c = controllerWith(model);
  auto nav = show(c);
  nav->pushViewController(std::make_shared<UIViewController>(), false);
  backend.advance(10);
  c->take();
  model->finish(true);
  EXPECT_TRUE(c->take().empty());
  nav->popViewControllerAnimated(false);
  backend.advance(10);
  EXPECT_EQ(c->take(), (Log{"didLoad first", "-loading", "+model", "didShow first"}));
}

TEST_F(ModelViewControllerTest, FrozenStateComesBackWhenTheRebuiltViewShowsTheModel) {
  auto model = std::make_shared<ScriptedModel>();
  model->loaded = true;
  auto c = controllerWith(model);
  auto nav = show(c);
  nav->pushViewController(std::make_shared<UIViewController>(), false);
  backend.advance(10);
  c->didReceiveMemoryWarning();
  EXPECT_FALSE(c->isViewLoaded());
  EXPECT_FALSE(c->restored);
  nav->popViewControllerAnimated(false);
  backend.advance(10);
  ASSERT_TRUE(c->restored);
  EXPECT_EQ(c->restored->at("row").intValue(), 4);
  EXPECT_FALSE(c->frozenState());
}

TEST_F(ModelViewControllerTest, ControllerLeavesTheModelsDelegatesWhenItGoes) {
  auto model = std::make_shared<ScriptedModel>();
  {
    auto c = controllerWith(model);
    c->model();
    EXPECT_EQ(model->delegates().size(), 1u);
    auto other = std::make_shared<ScriptedModel>();
    c->setModel(other);
    EXPECT_TRUE(model->delegates().empty());
    c->setModel(model);
  }
  EXPECT_TRUE(model->delegates().empty());
}

// A delegate that leaves the list while told; the walk goes on over the others.
struct LeavingDelegate : TTModelDelegate {
  TTModel* from = nullptr;
  TTModelDelegate* alsoRemove = nullptr;
  int told = 0;
  void modelDidChange(TTModel* model) override {
    ++told;
    model->removeDelegate(this);
    if (alsoRemove) model->removeDelegate(alsoRemove);
  }
};

TEST(ModelTest, AnnouncementsSurviveDelegatesLeavingDuringTheWalk) {
  TTModel model;
  model.didChange();  // nobody to tell
  LeavingDelegate a, b, c;
  a.alsoRemove = &b;  // b is gone before its turn and must not be told
  for (auto* d : {&a, &b, &c}) model.addDelegate(d);
  model.didChange();
  EXPECT_EQ(a.told, 1);
  EXPECT_EQ(b.told, 0);
  EXPECT_EQ(c.told, 1);
  EXPECT_TRUE(model.delegates().empty());
}

class URLRequestModelTest : public UITest {};

TEST_F(URLRequestModelTest, OutdatedByCacheKeyAndAge) {
  RunLoop::main().setWallClock(1'000'000);
  const double age = TTURLCache::sharedCache().invalidationAge();
  struct Case {
    const char* key;
    std::optional<double> loadedAgo;
    bool outdated;
  } cases[] = {
      {"", std::nullopt, false}, {"", 1, true},           {"k", std::nullopt, false},
      {"k", age, false},         {"k", age + 1, true},    {"k", 10, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.loadedAgo.value_or(-1)));
    TTURLRequestModel model;
    model.setCacheKey(c.key);
    if (c.loadedAgo) model.setLoadedTime(NSDate::dateWithTimeIntervalSinceNow(-*c.loadedAgo));
    EXPECT_EQ(model.isOutdated(), c.outdated);
  }
}

struct ModelRecorder : TTModelDelegate {
  Log calls;
  void modelDidStartLoad(TTModel*) override { calls.push_back("start"); }
  void modelDidFinishLoad(TTModel*) override { calls.push_back("finish"); }
  void modelDidFailLoadWithError(TTModel*, const NSError& e) override { calls.push_back("fail " + std::to_string(e.code)); }
  void modelDidCancelLoad(TTModel*) override { calls.push_back("cancel"); }
};

TEST_F(URLRequestModelTest, RequestCallbacksBecomeModelAnnouncements) {
  RunLoop::main().setWallClock(2'000'000);
  TTURLRequestModel model;
  ModelRecorder recorder;
  model.addDelegate(&recorder);
  auto request = TTURLRequest::requestWithURL("http://127.0.0.1:9/page", &model);
  request->setTimestamp(NSDate::dateWithTimeIntervalSince1970(1'999'000));

  model.requestDidStartLoad(request.get());
  EXPECT_TRUE(model.isLoading());
  EXPECT_FALSE(model.isLoaded());
  model.requestDidFinishLoad(request.get());
  EXPECT_FALSE(model.isLoading());
  ASSERT_TRUE(model.isLoaded());
  EXPECT_EQ(model.loadedTime()->timeIntervalSince1970(), 1'999'000);
  EXPECT_EQ(model.cacheKey(), request->cacheKey());

  model.requestDidStartLoad(request.get());
  model.requestDidFailLoadWithError(request.get(), NSError("NSURLErrorDomain", -1009));
  model.requestDidStartLoad(request.get());
  model.requestDidCancelLoad(request.get());
  EXPECT_FALSE(model.isLoading());
  EXPECT_EQ(recorder.calls, (Log{"start", "finish", "start", "fail -1009", "start", "cancel"}));

  // A response with no time of its own counts as loaded now, not as never loaded.
  TTURLRequestModel fresh;
  auto untimed = TTURLRequest::requestWithURL("http://127.0.0.1:9/other", &fresh);
  fresh.requestDidStartLoad(untimed.get());
  fresh.requestDidFinishLoad(untimed.get());
  ASSERT_TRUE(fresh.isLoaded());
  EXPECT_EQ(fresh.loadedTime()->timeIntervalSince1970(), 2'000'000);

  model.reset();
  EXPECT_FALSE(model.isLoaded());
  EXPECT_TRUE(model.cacheKey().empty());
  model.removeDelegate(&recorder);
}

// Loads a list of lines from the server; an empty list is a model with nothing to show.
class LinesModel : public TTURLRequestModel {
 public:
  explicit LinesModel(std::string url) : url_(std::move(url)) {}
  std::string lines;
  void load(int policy, bool more) override {
    auto request = TTURLRequest::requestWithURL(url_, this);
    request->setCachePolicy(policy);
    request->setResponse(std::make_shared<TTURLDataResponse>());
    request->send();
  }
  void requestDidFinishLoad(TTURLRequest* request) override {
    auto* response = dynamic_cast<TTURLDataResponse*>(request->response().get());
    if (response && response->data()) lines.assign(response->data()->begin(), response->data()->end());
    TTURLRequestModel::requestDidFinishLoad(request);
  }

 private:
  std::string url_;
};

class LinesController : public RecordingModelController {
 public:
  std::string url;
  void createModel() override { setModel(std::make_shared<LinesModel>(url)); }
  bool canShowModel() override { return !static_cast<LinesModel*>(model())->lines.empty(); }
};

TEST_F(ModelViewControllerTest, RequestModelFromALoopbackServerDrivesTheDisplays) {
  LoopbackHTTPServer server;
  server.route("/lines", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
    r.send(LoopbackHTTPServer::response(200, "OK", "Al-Fatiha\nAl-Baqara\n"));
  });
  server.route("/none", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
    r.send(LoopbackHTTPServer::response(200, "OK", ""));
  });
  server.route("/broken", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
    r.send(LoopbackHTTPServer::response(500, "Server Error", "no"));
  });
  struct Case {
    const char* path;
    bool model, empty, error;
    Log shown;
  } cases[] = {
      {"/lines", true, false, false, {"didRefresh", "willLoad", "+loading", "didLoad first", "-loading", "+model", "didShow first"}},
      {"/none", false, true, false, {"didRefresh", "willLoad", "+loading", "didLoad first", "-loading", "+empty"}},
      {"/broken", false, false, true, {"didRefresh", "willLoad", "+loading", "-loading", "+error"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    auto controller = std::make_shared<LinesController>();
    controller->url = server.url(c.path);
    show(controller);
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return controller->model()->isLoaded() || controller->modelError().has_value(); }, 5));
    backend.advance(10);
    EXPECT_EQ(controller->log, c.shown);
    EXPECT_FALSE(controller->isShowingLoading());
    EXPECT_EQ(controller->isShowingModel(), c.model);
    EXPECT_EQ(controller->isShowingEmpty(), c.empty);
    EXPECT_EQ(controller->isShowingError(), c.error);
    EXPECT_EQ(controller->model()->isLoaded(), !c.error);
    window->setRootViewController(nullptr);
  }

  // A screen that goes while its model loads takes the load with it.
  server.route("/slow", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) { r.hold(); });
  auto controller = std::make_shared<LinesController>();
  controller->url = server.url("/slow");
  show(controller);
  EXPECT_TRUE(controller->isShowingLoading());
  EXPECT_EQ(TTURLRequestQueue::mainQueue().totalLoading(), 1);
  window->setRootViewController(nullptr);
  controller.reset();
  backend.advance(10);
  EXPECT_EQ(TTURLRequestQueue::mainQueue().totalLoading(), 0);
  server.stop();
}

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UISearchDisplayController.h"
#include "platform/ui/hosting/UIViewController.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/platform/ui/hosting/HostingTestSupport.h"

namespace {

// Records the display's messages; the answer to a search string is configurable.
class DisplayRecorder : public UISearchDisplayDelegate {
public:
    std::vector<std::string> calls;
    bool reloads = true;
    void searchDisplayControllerWillBeginSearch(UISearchDisplayController*) override { calls.push_back("willBegin"); }
    void searchDisplayControllerDidBeginSearch(UISearchDisplayController*) override { calls.push_back("didBegin"); }
    void searchDisplayControllerWillEndSearch(UISearchDisplayController*) override { calls.push_back("willEnd"); }
    void searchDisplayControllerDidEndSearch(UISearchDisplayController*) override { calls.push_back("didEnd"); }
    void didLoadSearchResultsTableView(UISearchDisplayController*, UITableView*) override { calls.push_back("load"); }
    void didShowSearchResultsTableView(UISearchDisplayController*, UITableView*) override { calls.push_back("show"); }
    void didHideSearchResultsTableView(UISearchDisplayController*, UITableView*) override { calls.push_back("hide"); }
    bool shouldReloadTableForSearchString(UISearchDisplayController*, const std::string& s) override {
        calls.push_back("reload? " + s);
        return reloads;
    }
    bool shouldReloadTableForSearchScope(UISearchDisplayController*, int option) override {
        calls.push_back("scope " + std::to_string(option));
        return reloads;
    }
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }
};

class SearchDisplayTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        UIViewController::installPlatformHooks();
        contents = std::make_shared<UIViewController>();
        nav = std::make_shared<UINavigationController>(contents);
        window->setRootViewController(nav);
        bar = std::make_shared<UISearchBar>(CGRectMake(0, 0, contents->view()->bounds().size.width, 44));
        contents->view()->addSubview(bar);
        display = std::make_unique<UISearchDisplayController>(bar, contents.get());
        display->setDelegate(&recorder);
        source.sections = {NumberSource::range(30)};
        display->setSearchResultsDataSource(&source);
        display->setSearchResultsDelegate(&source);
        backend.advance(500);
    }
    void TearDown() override {
        display.reset();
        UITest::TearDown();
    }
    CGPoint onScreen(UIView* v, CGPoint p) { return v->convertPointToView(p, nullptr); }

    std::shared_ptr<UIViewController> contents;
    std::shared_ptr<UINavigationController> nav;
    std::shared_ptr<UISearchBar> bar;
    std::unique_ptr<UISearchDisplayController> display;
    DisplayRecorder recorder;
    NumberSource source;
};

TEST_F(SearchDisplayTest, BeginTypeClearAndCancelRunTheSearchInOrder) {
    ASSERT_FALSE(nav->isNavigationBarHidden());
    backend.tap(onScreen(bar.get(), CGPointMake(100, 22)));
    backend.advance(400);
    EXPECT_TRUE(display->isActive());
    EXPECT_TRUE(nav->isNavigationBarHidden());
    EXPECT_TRUE(bar->showsCancelButton());
    ASSERT_NE(display->dimmingView(), nullptr);
    EXPECT_NEAR(display->dimmingView()->alpha(), 0.8, 1e-9);
    EXPECT_FALSE(display->isSearchResultsTableViewLoaded());  // nothing typed yet

    backend.typeText("12");
    UITableView* table = display->searchResultsTableView();
    EXPECT_TRUE(display->isShowingSearchResults());
    EXPECT_EQ(table->superview(), contents->view());
    CGRect barOnScreen = bar->convertRectToView(bar->bounds(), nullptr);
    EXPECT_DOUBLE_EQ(table->convertRectToView(table->bounds(), nullptr).origin.y, CGRectGetMaxY(barOnScreen));
    EXPECT_EQ(table->numberOfRowsInSection(0), 30);
    backend.frame();
    const char* dir = std::getenv("LUMENO_TEMP_DIR");
    EXPECT_TRUE(backend.screenshot(std::string(dir ? dir : ".") + "/search-display-results.png"));

    bar->setText("");  // an empty bar shows the dimmed content again
    EXPECT_FALSE(display->isShowingSearchResults());
    EXPECT_NE(display->dimmingView(), nullptr);

    CGRect cancel = bar->cancelButton()->bounds();
    backend.tap(onScreen(bar->cancelButton(), CGPointMake(CGRectGetMidX(cancel), CGRectGetMidY(cancel))));
    backend.advance(400);
    EXPECT_FALSE(display->isActive());
    EXPECT_FALSE(nav->isNavigationBarHidden());
    EXPECT_FALSE(bar->showsCancelButton());
    EXPECT_FALSE(bar->isFirstResponder());
    EXPECT_EQ(display->dimmingView(), nullptr);  // removed once faded out
    std::vector<std::string> expected = {"willBegin", "didBegin", "reload? 12", "load", "show", "hide", "willEnd", "didEnd"};
    EXPECT_EQ(recorder.take(), expected);
}

TEST_F(SearchDisplayTest, ADelegateThatDeclinesKeepsTheTableAsItWas) {
    display->setActive(true, false);
    backend.typeText("1");
    UITableView* table = display->searchResultsTableView();
    ASSERT_EQ(table->numberOfRowsInSection(0), 30);
    recorder.reloads = false;
    source.sections = {NumberSource::range(3)};
    backend.typeText("2");
    EXPECT_EQ(table->numberOfRowsInSection(0), 30);  // left for the owner to reload
    display->setSelectedSearchOption(1);
    EXPECT_EQ(table->numberOfRowsInSection(0), 30);
    recorder.reloads = true;
    display->setSelectedSearchOption(2);
    EXPECT_EQ(table->numberOfRowsInSection(0), 3);
    std::vector<std::string> tail(recorder.calls.end() - 3, recorder.calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"reload? 12", "scope 1", "scope 2"}));
}

TEST_F(SearchDisplayTest, TappingTheDimmedContentEndsTheSearch) {
    display->setActive(true, false);
    ASSERT_NE(display->dimmingView(), nullptr);
    CGRect dim = display->dimmingView()->convertRectToView(display->dimmingView()->bounds(), nullptr);
    EXPECT_DOUBLE_EQ(dim.origin.y, CGRectGetMaxY(bar->convertRectToView(bar->bounds(), nullptr)));
    backend.tap(CGPointMake(160, CGRectGetMidY(dim)));
    backend.advance(400);
    EXPECT_FALSE(display->isActive());
    EXPECT_EQ(display->dimmingView(), nullptr);
    EXPECT_FALSE(bar->isFirstResponder());
}

TEST_F(SearchDisplayTest, GoingAwayHandsTheBarBack) {
    display->setActive(true, false);
    backend.typeText("5");
    UITableView* table = display->searchResultsTableView();
    ASSERT_TRUE(table->superview());
    display.reset();
    EXPECT_EQ(bar->delegate(), nullptr);
    EXPECT_EQ(contents->view()->subviews().size(), 1u);  // only the bar is left
}

}  // namespace

namespace {

TEST_F(SearchDisplayTest, ScopeButtonsShowWhileSearchingAndPickAnOption) {
    bar->setScopeButtonTitles({"Arabic", "Translation"});
    display->setActive(true, false);
    ASSERT_TRUE(bar->showsScopeBar());
    EXPECT_DOUBLE_EQ(bar->frame().size.height, 88);
    CGRect barOnScreen = bar->convertRectToView(bar->bounds(), nullptr);
    UIView* dim = display->dimmingView();
    ASSERT_NE(dim, nullptr);
    EXPECT_DOUBLE_EQ(dim->convertRectToView(dim->bounds(), nullptr).origin.y, CGRectGetMaxY(barOnScreen));

    backend.typeText("3");
    backend.frame();
    const char* dir = std::getenv("LUMENO_TEMP_DIR");
    EXPECT_TRUE(backend.screenshot(std::string(dir ? dir : ".") + "/search-display-scope.png"));
    recorder.take();
    // The right half of the scope row is the second button.
    backend.tap(CGPointMake(barOnScreen.origin.x + barOnScreen.size.width * 0.75, barOnScreen.origin.y + 66));
    EXPECT_EQ(display->selectedSearchOption(), 1);
    EXPECT_EQ(bar->selectedScopeButtonIndex(), 1);
    EXPECT_EQ(recorder.take(), std::vector<std::string>{"scope 1"});

    display->setActive(false, false);
    EXPECT_FALSE(bar->showsScopeBar());
    EXPECT_DOUBLE_EQ(bar->frame().size.height, 44);
}

}  // namespace

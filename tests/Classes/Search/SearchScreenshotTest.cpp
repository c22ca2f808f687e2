// The search screen with results and the history at scale 2 (docs/search.png,
// docs/search-history.png).

#include "tests/Classes/Search/SearchFixture.h"

#include "Classes/Search/SavedSearchStore.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "tests/support/DocsScreenshot.h"

namespace {

class SearchScreenshotTest : public SearchTest {
protected:
    double scale() const override { return 2; }

    void shoot(const std::string& name) { docs_screenshot::shootForDocs(backend, name); }
    int brightness(CGPoint p) { return docs_screenshot::brightness(backend, p); }
};

TEST_F(SearchScreenshotTest, HistoryAndResults) {
    // The examples seeded here, at one instant: seeded by the screen's worker while the clock
    // moves on, they would come in another order from run to run.
    SavedSearchStore::loadHistory(db(), content());
    launch();
    backend.advance(1000);
    ASSERT_TRUE(SavedSearchStore::recordSearch(db(), "Zechariah", 3, 7));
    history->setupView();
    waitForHistory();
    ASSERT_EQ(history->savedSearches().size(), 6u);
    shoot("search-history.png");

    SearchViewController& screen = openSearch();
    search(screen, "Zechariah");
    ASSERT_EQ(screen.sections().size(), 4u);
    // Somewhere in a hit's snippet the boxed word is whiter than the paper beside it.
    const CGRect row = screen.tblSearchResults->convertRectToView(
        screen.tblSearchResults->rectForRowAtIndexPath(NSIndexPath{0, 0}), nullptr);
    int white = 0;
    for (double x = 60; x < 300; x += 1)
        if (brightness(CGPointMake(x, row.origin.y + row.size.height / 2)) >= 760) ++white;
    EXPECT_GT(white, 10);
    shoot("search.png");

    // Editing: the results dimmed, the operator keys on the keyboard; kept out of docs/.
    ASSERT_TRUE(screen.txtSearchBar->becomeFirstResponder());
    settle();
    backend.frame();
    ASSERT_TRUE(backend.screenshot(Paths::temp() + "/search-editing.png"));
    const CGRect keys = screen.viewSearchBar->convertRectToView(screen.viewSearchBar->bounds(), nullptr);
    EXPECT_LT(brightness(CGPointMake(160, keys.origin.y + 3)), brightness(CGPointMake(160, 60)));
}

}  // namespace

// The groups screen and the list at scale 2, with a few bookmarks and notes (docs/bookmark-groups.png,
// docs/bookmarks.png).

#include "tests/Classes/Bookmarks/BookmarksFixture.h"

#include "platform/foundation/Paths.h"
#include "tests/support/DocsScreenshot.h"

namespace {

class BookmarksScreenshotTest : public BookmarksTest {
protected:
    double scale() const override { return 2; }

    void shoot(const std::string& name) { docs_screenshot::shootForDocs(backend, name); }
    int brightness(CGPoint p) { return docs_screenshot::brightness(backend, p); }
};

TEST_F(BookmarksScreenshotTest, GroupsAndList) {
    addBookmark(1, 1, 1, "The opening of every prayer");
    addBookmark(2, 255, 2, "Learn by Friday");
    addBookmark(2, 286, 2);
    addBookmark(18, 10, 3);
    addBookmark(36, 58, 4, "Ask about this");
    addBookmark(55, 13, 0);
    launch();
    // The top bar is darker than the paper under it.
    EXPECT_LT(brightness(CGPointMake(160, 5)), brightness(CGPointMake(160, 300)));
    shoot("bookmark-groups.png");

    BookmarksViewController& list = openGroup(0);
    ASSERT_EQ(list.sections().size(), 5u);
    // A verse row shows dark Arabic text somewhere in its middle.
    const CGRect row = list.tblBookmarks->convertRectToView(list.tblBookmarks->rectForRowAtIndexPath(NSIndexPath{1, 0}),
                                                           nullptr);
    int ink = 0;
    for (double x = 160; x < 260; x += 2)
        if (brightness(CGPointMake(x, row.origin.y + row.size.height / 2)) < 300) ++ink;
    EXPECT_GT(ink, 3);
    shoot("bookmarks.png");

    // Batch edit: the rows' circles, one checked; kept out of docs/.
    list.btnMorePressed();
    settle();
    tapRow(list, NSIndexPath{1, 1});
    backend.frame();
    ASSERT_TRUE(backend.screenshot(Paths::temp() + "/bookmarks-editing.png"));
    const CGRect checked = list.tblBookmarks->convertRectToView(
        list.tblBookmarks->rectForRowAtIndexPath(NSIndexPath{1, 1}), nullptr);
    EXPECT_LT(brightness(CGPointMake(22, checked.origin.y + 22)), brightness(CGPointMake(22, row.origin.y + 22)));
}

}  // namespace

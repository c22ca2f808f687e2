// A font size picked on the settings page reaches the reading screen: its verse rows grow.

#include "tests/Classes/Reading/ReadingFixture.h"

#include "Classes/Settings/SettingsSubView.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

TEST_F(ReadingTest, PickedFontSizesRelayOutTheOpenChapter) {
    open(2, 1, 3);
    const int arabicRow = screen->verseToRow(5), translationRow = arabicRow + 1;
    const double arabicBefore = screen->heightForVerseRow(arabicRow);
    const double translationBefore = screen->heightForVerseRow(translationRow);
    ASSERT_GT(arabicBefore, 0);

    // The settings page takes the screen, as the More tab does; the reading screen comes back after.
    auto page = std::make_shared<SettingsSubView>("SettingsView", SettingsSubView::FontSizes);
    window->setRootViewController(std::make_shared<UINavigationController>(page));
    backend.advance(500);
    backend.runUntilIdle();
    page->myTableView->userSelectRowAtIndexPath(NSIndexPath{0, 4});  // Huge
    page->myTableView->userSelectRowAtIndexPath(NSIndexPath{1, 3});  // the largest translation size
    backend.advance(500);
    backend.runUntilIdle();
    window->setRootViewController(screen);
    backend.advance(500);
    backend.runUntilIdle();
    EXPECT_GT(screen->heightForVerseRow(arabicRow), arabicBefore * 1.3);
    EXPECT_GT(screen->heightForVerseRow(translationRow), translationBefore);
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("ArabicFontSize"), 4);
}

}  // namespace

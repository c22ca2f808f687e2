#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "platform/ui/hosting/UITableView.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

// A chapter list like the reader's index.
class ChapterList : public UIViewController, public UITableViewDataSource, public UITableViewDelegate {
public:
    std::shared_ptr<UITableView> table;
    void loadView() override {
        table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 367), UITableViewStylePlain);
        table->setDataSource(this);
        table->setDelegate(this);
        setView(table);
    }
    int numberOfSectionsInTableView(UITableView*) override { return 2; }
    int numberOfRowsInSection(UITableView*, int s) override { return s == 0 ? 4 : 10; }
    std::string titleForHeaderInSection(UITableView*, int s) override { return s == 0 ? "Juz 1" : "Juz 2"; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView* tv, const NSIndexPath& p) override {
        static const char* names[] = {"Al-Fatiha", "Al-Baqara", "Al-Imran", "An-Nisa", "Al-Maida", "Al-Anam", "Al-Araf",
                                      "Al-Anfal", "At-Tawba", "Yunus", "Hud", "Yusuf", "Ar-Rad", "Ibrahim"};
        static const char* meanings[] = {"The Opening", "The Cow", "The Family of Imran", "The Women", "The Table", "The Cattle",
                                         "The Heights", "The Spoils of War", "The Repentance", "Jonah", "Hud", "Joseph", "The Thunder", "Abraham"};
        auto cell = tv->dequeueReusableCellWithIdentifier("SurahCell");
        if (!cell) cell = std::make_shared<UITableViewCell>(UITableViewCellStyleSubtitle, "SurahCell");
        int i = p.section == 0 ? p.row : 4 + p.row;
        cell->textLabel()->setText(std::to_string(i + 1) + ". " + names[i]);
        cell->detailTextLabel()->setText(meanings[i]);
        cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        return cell;
    }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 52; }
};

class RenderTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        UIApplication::sharedApplication().setStatusBarHidden(false);
        UIViewController::installPlatformHooks();
        list = std::make_shared<ChapterList>();
        list->setTitle("Quran");
        list->navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>("Edit", UIBarButtonItemStyleBordered, nullptr));
        auto nav = std::make_shared<UINavigationController>(list);
        nav->setTabBarItem(std::make_shared<UITabBarItem>("Quran", nullptr, 0));
        auto other = std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
        other->setTabBarItem(std::make_shared<UITabBarItem>("Bookmarks", nullptr, 1));
        other->tabBarItem()->setBadgeValue("3");
        auto search = std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
        search->setTabBarItem(std::make_shared<UITabBarItem>("Search", nullptr, 2));
        auto more = std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
        more->setTabBarItem(std::make_shared<UITabBarItem>("More", nullptr, 3));
        tabs = std::make_shared<UITabBarController>();
        tabs->setViewControllers({nav, other, search, more});
        window->setRootViewController(tabs);
        backend.advance(50);
    }
    // Writes the screen where the test run keeps its files, for looking at.
    void shoot(const std::string& name) {
        const char* dir = std::getenv("LUMENO_TEMP_DIR");
        std::string path = std::string(dir ? dir : ".") + "/" + name;
        EXPECT_TRUE(backend.screenshot(path));
    }
    std::shared_ptr<ChapterList> list;
    std::shared_ptr<UITabBarController> tabs;
};

TEST_F(RenderTest, NavigationTableAndTabBarDrawAsAReadingApp) {
    list->table->selectRowAtIndexPath(NSIndexPath{0, 1}, false, UITableViewScrollPositionNone);
    backend.frame();
    shoot("hosting-navigation-table.png");
    auto navBar = backend.pixelAt(CGPointMake(160, 22));   // under the status bar
    EXPECT_GT(navBar.b, navBar.r);                           // blue-grey bar
    auto tabBar = backend.pixelAt(CGPointMake(5, 475));
    EXPECT_LT(tabBar.r + tabBar.g + tabBar.b, 3 * 90);       // dark tab bar
    auto selected = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 + 5));
    EXPECT_GT(selected.b, 180);                              // the selected row is blue
    EXPECT_LT(selected.r, 80);
    auto plainRow = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 * 2 + 5));
    EXPECT_GT(plainRow.r, 240);                              // other rows white
    auto header = backend.pixelAt(CGPointMake(300, 64 + 10));
    EXPECT_LT(header.r, 220);                                // section header bar
}

TEST_F(RenderTest, ActionSheetDimsTheScreenBehindIt) {
    auto before = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 * 2 + 5));
    auto sheet = std::make_shared<UIActionSheet>("Mishary Alafasy\nDownload 2. Al-Baqara", nullptr, "Cancel", "Download this Audio",
                                                 std::vector<std::string>{"Download all Audios"});
    sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    sheet->showFromTabBar(tabs->tabBar());
    backend.advance(400);
    shoot("hosting-action-sheet.png");
    auto after = backend.pixelAt(CGPointMake(300, 64 + 22 + 52 * 2 + 5));
    EXPECT_LT(after.r, before.r - 60);
    UIButton* destructive = sheet->buttonAtIndex(sheet->destructiveButtonIndex());
    CGRect r = destructive->convertRectToView(destructive->bounds(), nullptr);
    auto red = backend.pixelAt(CGPointMake(r.origin.x + 12, CGRectGetMidY(r)));
    EXPECT_GT(red.r, 150);
    EXPECT_LT(red.g, 100);
    sheet->dismissWithClickedButtonIndex(sheet->cancelButtonIndex(), false);
}

}  // namespace

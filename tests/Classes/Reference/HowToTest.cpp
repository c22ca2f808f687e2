// The how-to topics and the theme and start-up pickers (which nothing offers).

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/Core/Language.h"
#include "Classes/Reference/CheckmarkPicker.h"
#include "Classes/Reference/HowToUseController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/UIApplication.h"
#include "tests/support/DocsScreenshot.h"
#include "toolkit/controllers/TTWebController.h"

namespace {

// Offered by the More menu; an article is one of our pages, shown in the web page screen over
// the list.
TEST_F(SettingsTest, HowToTopicsAnswerInAnAlertOrShowOurArticleInTheWebPageScreen) {
    launch();
    openMenuRow(6);
    auto* howToNav = dynamic_cast<UINavigationController*>(tabs->modalViewController());
    ASSERT_NE(howToNav, nullptr);
    auto* howTo = dynamic_cast<HowToUseController*>(howToNav->topViewController());
    ASSERT_NE(howTo, nullptr);
    EXPECT_EQ(howTo->title(), "How to Use Lumeno");
    EXPECT_EQ(howToNav->navigationBar()->topItem()->title(), "How to Use Lumeno");
    UITableView& table = *howTo->table;
    ASSERT_EQ(table.numberOfRowsInSection(0), 14);
    EXPECT_EQ(howTo->titleForHeaderInSection(&table, 0), "How do I...");
    docs_screenshot::shoot(backend, "how-to-portrait.png");

    struct Article {
        int row;
        const char* file;
        const char* title;
    };
    const Article articles[] = {{0, "about/maker/kb/article-147.html", "Terms and conditions"},
                                {10, "about/maker/kb/index.html", "Questions and answers"},
                                {11, "about/maker/kb/article-145.html", "Search the Quran"},
                                {12, "about/maker/kb/article-146.html", "Reveal Searched Verses"}};
    for (int row = 0; row < 14; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(table.rectForRowAtIndexPath(NSIndexPath{0, row}).size.height, 45);
        const auto& topic = HowToUseController::topic(row);
        tapRow(table, NSIndexPath{0, row});
        if (topic.alertTitle) {
            ASSERT_TRUE(howTo->alert());
            EXPECT_TRUE(howTo->alert()->isVisible());
            EXPECT_EQ(howTo->alert()->title(), topic.alertTitle);
            EXPECT_FALSE(howTo->alert()->message().empty());
            EXPECT_EQ(howToNav->modalViewController(), nullptr);
            howTo->alert()->clickButtonAtIndex(0);
            settle();
            continue;
        }
        const Article* article = nullptr;
        for (const Article& a : articles)
            if (a.row == row) article = &a;
        ASSERT_NE(article, nullptr);
        auto* webNav = dynamic_cast<UINavigationController*>(howToNav->modalViewController());
        ASSERT_NE(webNav, nullptr);
        auto* web = dynamic_cast<TTWebController*>(webNav->topViewController());
        ASSERT_NE(web, nullptr);
        ASSERT_TRUE(RunLoop::main().runUntil([web] { return web->title() != "Loading..."; }, 5));
        settle();
        EXPECT_EQ(web->title(), article->title);
        EXPECT_EQ(web->URL(), "file://" + str::percentEscape(Paths::bundleResource(article->file)));
        EXPECT_EQ(web->alert(), nullptr);
        if (row == 11) docs_screenshot::shoot(backend, "how-to-article.png");
        web->closeButton()->trigger();
        settle();
        EXPECT_EQ(howToNav->modalViewController(), nullptr);
        EXPECT_EQ(tabs->modalViewController(), howToNav);  // back on the list
    }
    EXPECT_EQ(HowToUseController::topic(8).text,
              std::string("You can manage downloaded Audios from the Settings View under 'Manage Reciter(s)'."));

    // The list turns with the device.
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    settle();
    EXPECT_DOUBLE_EQ(table.bounds().size.width, 480);
    docs_screenshot::shoot(backend, "how-to-landscape.png");
    backend.rotate(UIDeviceOrientationPortrait);
    settle();

    // Done closes the list.
    ASSERT_TRUE(howTo->navigationItem()->rightBarButtonItem());
    howTo->navigationItem()->rightBarButtonItem()->trigger();
    settle();
    EXPECT_EQ(tabs->modalViewController(), nullptr);
}

TEST_F(SettingsTest, HowToTextsFollowTheInterfaceLanguage) {
    Language::setLanguage("ar");
    HowToUseController howTo;
    howTo.view();
    EXPECT_EQ(howTo.title(), "كيف تستخدم لومينو");
    UITableView& table = *howTo.table;
    EXPECT_EQ(howTo.titleForHeaderInSection(&table, 0), "كيف أقوم بـ...");
    for (int row = 0; row < 14; ++row) {
        SCOPED_TRACE(row);
        const std::string title = howTo.cellForRowAtIndexPath(&table, NSIndexPath{0, row})->textLabel()->text();
        EXPECT_NE(title, HowToUseController::topic(row).title);
        EXPECT_EQ(title, Language::get(HowToUseController::topic(row).title, "?"));
    }
    howTo.didSelectRowAtIndexPath(&table, NSIndexPath{0, 1});
    ASSERT_TRUE(howTo.alert());
    EXPECT_EQ(howTo.alert()->title(), "غيّر الترجمة");
    EXPECT_NE(howTo.alert()->message(), HowToUseController::topic(1).text);
    EXPECT_EQ(howTo.alert()->buttonTitleAtIndex(0), "موافق");
    Language::setLanguage("en");
}

TEST_F(SettingsTest, PickersCheckTheStoredChoiceAndStoreANewOne) {
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setObject(Value(), "CurrentTheme");
    defaults.setObject(Value(), "StartupScreen");
    ThemeController theme;
    StartupScreenController startup;
    struct Case {
        CheckmarkPicker* picker;
        const char* key;
        int rows;
    };
    for (const Case& c : {Case{&theme, "CurrentTheme", 2}, Case{&startup, "StartupScreen", 4}}) {
        SCOPED_TRACE(c.key);
        c.picker->view();
        UITableView& table = *c.picker->table;
        ASSERT_EQ(table.numberOfRowsInSection(0), c.rows);
        // Absent: the first row is checked.
        EXPECT_EQ(table.cellForRowAtIndexPath(NSIndexPath{0, 0})->accessoryType(), UITableViewCellAccessoryCheckmark);
        c.picker->didSelectRowAtIndexPath(&table, NSIndexPath{0, 1});
        EXPECT_EQ(defaults.stringForKey(c.key).value_or(""), "1");
        EXPECT_EQ(storedOnDisk(c.key).stringValue().value_or(""), "1");
        EXPECT_EQ(table.cellForRowAtIndexPath(NSIndexPath{0, 0})->accessoryType(), UITableViewCellAccessoryNone);
        EXPECT_EQ(table.cellForRowAtIndexPath(NSIndexPath{0, 1})->accessoryType(), UITableViewCellAccessoryCheckmark);
    }
}

}  // namespace

// The how-to topics and the theme and start-up pickers.

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/Reference/CheckmarkPicker.h"
#include "Classes/Reference/HowToUseController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/UIApplication.h"

namespace {

TEST_F(SettingsTest, HowToTopicsAnswerInAnAlertOrOpenAnArticle) {
    std::vector<std::string> opened;
    UIApplication::sharedApplication().setURLHandlers(
        [&opened](const std::string& url) {
            opened.push_back(url);
            return true;
        },
        [](const std::string&) { return true; });
    NSUserDefaults::standardUserDefaults().setObject(Value("http://127.0.0.1:9/maker"), "AboutMakerSite");

    HowToUseController howTo;
    howTo.view();
    EXPECT_EQ(howTo.title(), "How to Use Lumeno");
    UITableView& table = *howTo.table;
    ASSERT_EQ(table.numberOfRowsInSection(0), 14);
    for (int row = 0; row < 14; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(table.rectForRowAtIndexPath(NSIndexPath{0, row}).size.height, 45);
        const size_t before = opened.size();
        howTo.didSelectRowAtIndexPath(&table, NSIndexPath{0, row});
        const auto& topic = HowToUseController::topic(row);
        if (topic.alertTitle) {
            ASSERT_TRUE(howTo.alert());
            EXPECT_EQ(howTo.alert()->title(), topic.alertTitle);
            EXPECT_FALSE(howTo.alert()->message().empty());
            EXPECT_EQ(opened.size(), before);
        } else {
            ASSERT_EQ(opened.size(), before + 1);
            EXPECT_EQ(opened.back(), std::string("http://127.0.0.1:9/maker") + topic.text);
        }
    }
    EXPECT_EQ(HowToUseController::topic(8).text,
              std::string("You can manage downloaded Audios from the Settings View under 'Manage Reciter(s)'."));
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

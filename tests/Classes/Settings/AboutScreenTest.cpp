// The About screen: presented from the menu, its texts, the credited person's sheet and the
// links, which go to the addresses set for them and nowhere when none is set.

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/Settings/AboutViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/UIApplication.h"

namespace {

class AboutTest : public SettingsTest {
protected:
    void SetUp() override {
        SettingsTest::SetUp();
        UIApplication::sharedApplication().setURLHandlers(
            [this](const std::string& url) {
                opened.push_back(url);
                return true;
            },
            [](const std::string&) { return true; });
    }
    void TearDown() override {
        UIApplication::sharedApplication().setURLHandlers(nullptr, nullptr);
        SettingsTest::TearDown();
    }
    AboutViewController& openAbout() {
        launch();
        openMenuRow(6);
        auto* about = dynamic_cast<AboutViewController*>(tabs->modalViewController());
        EXPECT_NE(about, nullptr);
        return *about;
    }
    std::vector<std::string> opened;
};

TEST_F(AboutTest, ShowsVersionAndCreditsAndBackCloses) {
    AboutViewController& about = openAbout();
    EXPECT_EQ(about.lblVersion->text().rfind("Lumeno III v", 0), 0u);
    EXPECT_NE(about.lblVersion->text().find(" (Build "), std::string::npos);
    EXPECT_EQ(about.lblAbout->text(), "About");
    EXPECT_EQ(about.lblDevelopedBy->text(), "Developed by");
    EXPECT_EQ(about.lblAnalysis->text(), "Analysis and Interface");
    EXPECT_NE(about.lblRecitations->text().find("synthetic speech"), std::string::npos);
    EXPECT_EQ(about.btnBack->titleForState(UIControlStateHighlighted), "Back");
    EXPECT_TRUE(about.btnDeveloped->backgroundImageForState(UIControlStateHighlighted));
    EXPECT_EQ(about.contentSizeForViewInPopover().height, 476);
    tapView(*about.btnBack);
    EXPECT_EQ(tabs->modalViewController(), nullptr);
}

TEST_F(AboutTest, LinksOpenTheirAddressesOrNothing) {
    NSUserDefaults& d = NSUserDefaults::standardUserDefaults();
    d.setString("https://maker.example/", "AboutMakerSite");
    d.setString("https://credit.example", "AboutCreditSite");
    d.setString("credit@example.org", "AboutCreditMail");
    AboutViewController& about = openAbout();
    tapView(*about.btnDeveloped);
    about.makersPressed();
    EXPECT_EQ(opened, (std::vector<std::string>{"https://maker.example/mobile/iphone", "https://maker.example/kb"}));

    struct Case {
        int button;
        const char* url;  // null: nothing opens
    };
    for (const Case& c : {Case{0, "https://credit.example"}, Case{1, "https://credit.example/wp"},
                          Case{2, "mailto:credit@example.org"}, Case{3, nullptr}}) {
        SCOPED_TRACE(c.button);
        opened.clear();
        tapView(*about.btnCorvel);
        UIActionSheet* sheet = about.creditSheet();
        ASSERT_NE(sheet, nullptr);
        ASSERT_EQ(sheet->numberOfButtons(), 4);
        EXPECT_EQ(sheet->buttonTitleAtIndex(0), "Site");
        EXPECT_EQ(sheet->cancelButtonIndex(), 3);
        sheet->clickButtonAtIndex(c.button);
        settle();
        EXPECT_EQ(opened, c.url ? std::vector<std::string>{c.url} : std::vector<std::string>{});
    }

    // Unset (no outside address is a default), or cleared by the user, the links open nothing.
    for (const char* key : {"AboutMakerSite", "AboutCreditSite", "AboutCreditMail"}) d.removeObjectForKey(key);
    opened.clear();
    tapView(*about.btnDeveloped);
    about.actionSheetClickedButtonAtIndex(about.creditSheet(), 1);
    about.actionSheetClickedButtonAtIndex(about.creditSheet(), 2);
    d.setString("", "AboutMakerSite");
    tapView(*about.btnDeveloped);
    EXPECT_TRUE(opened.empty());
}

}  // namespace

// The About screen: presented from the menu, its texts, the credited person's sheet and the
// links: web pages in the web page screen, by default our own pages in the bundle.

#include "tests/Classes/Settings/SettingsFixture.h"

#include "Classes/Settings/AboutViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "toolkit/controllers/TTWebController.h"

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
        openMenuRow(7);
        auto* about = dynamic_cast<AboutViewController*>(tabs->modalViewController());
        EXPECT_NE(about, nullptr);
        return *about;
    }
    void creditChoice(AboutViewController& about, int button) {
        tapView(*about.btnCorvel);
        UIActionSheet* sheet = about.creditSheet();
        ASSERT_NE(sheet, nullptr);
        ASSERT_EQ(sheet->numberOfButtons(), 4);
        EXPECT_EQ(sheet->buttonTitleAtIndex(0), "Site");
        EXPECT_EQ(sheet->cancelButtonIndex(), 3);
        sheet->clickButtonAtIndex(button);
    }
    // The web page screen presented over the About screen, as the root of a navigation controller.
    static TTWebController* webScreen(AboutViewController& about) {
        auto* nav = dynamic_cast<UINavigationController*>(about.modalViewController());
        return nav ? dynamic_cast<TTWebController*>(nav->topViewController()) : nullptr;
    }
    bool waitForPage(TTWebController& web) {
        const bool ended = RunLoop::main().runUntil([&web] { return web.title() != "Loading..."; }, 5);
        settle(50);
        return ended;
    }
    void screenshot(const std::string& name) {
        if (const char* tmp = std::getenv("LUMENO_TEMP_DIR")) {
            EXPECT_TRUE(backend.screenshot(std::string(tmp) + "/" + name));
        }
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
    // The makers' questions and answers: a button on the screen, between the two credits.
    ASSERT_TRUE(about.btnMakers);
    EXPECT_EQ(about.btnMakers->titleForState(UIControlStateNormal), "Questions and Answers");
    const CGRect makers = about.btnMakers->convertRectToView(about.btnMakers->bounds(), nullptr);
    EXPECT_TRUE(CGRectContainsRect(about.view()->convertRectToView(about.view()->bounds(), nullptr), makers));
    EXPECT_GT(CGRectGetMinY(makers), CGRectGetMaxY(about.btnDeveloped->convertRectToView(about.btnDeveloped->bounds(), nullptr)));
    EXPECT_LT(CGRectGetMaxY(makers), CGRectGetMinY(about.lblAnalysis->convertRectToView(about.lblAnalysis->bounds(), nullptr)));
    screenshot("about-screen.png");
    EXPECT_TRUE(about.btnDeveloped->backgroundImageForState(UIControlStateHighlighted));
    EXPECT_EQ(about.contentSizeForViewInPopover().height, 476);
    tapView(*about.btnBack);
    EXPECT_EQ(tabs->modalViewController(), nullptr);
}

TEST_F(AboutTest, WebLinksOpenInTheWebPageScreenAndMailGoesToTheDesktop) {
    LoopbackHTTPServer server;
    for (const char* path : {"/mobile/iphone", "/kb", "/credit", "/credit/wp"}) {
        server.route(path, [path](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
            r.send(LoopbackHTTPServer::response(200, "OK", std::string("<title>page ") + path + "</title><p>text</p>",
                                                "Content-Type: text/html\r\n"));
        });
    }
    NSUserDefaults& d = NSUserDefaults::standardUserDefaults();
    d.setString(server.url("/"), "AboutMakerSite");
    d.setString(server.url("/credit"), "AboutCreditSite");
    d.setString("credit@example.org", "AboutCreditMail");
    AboutViewController& about = openAbout();

    struct Case {
        std::function<void()> trigger;
        const char* path;  // the page shown; null: no web page screen
        const char* handedOver;  // what the desktop gets, if anything
    } cases[] = {
        {[&] { tapView(*about.btnDeveloped); }, "/mobile/iphone", nullptr},
        {[&] { tapView(*about.btnMakers); }, "/kb", nullptr},
        {[&] { creditChoice(about, 0); }, "/credit", nullptr},
        {[&] { creditChoice(about, 1); }, "/credit/wp", nullptr},
        {[&] { creditChoice(about, 2); }, nullptr, "mailto:credit@example.org"},
        {[&] { creditChoice(about, 3); }, nullptr, nullptr},  // Cancel
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path ? c.path : c.handedOver ? c.handedOver : "cancel");
        opened.clear();
        c.trigger();
        settle();
        EXPECT_EQ(opened, c.handedOver ? std::vector<std::string>{c.handedOver} : std::vector<std::string>{});
        TTWebController* web = webScreen(about);
        if (!c.path) {
            EXPECT_EQ(web, nullptr);
            continue;
        }
        ASSERT_NE(web, nullptr);
        EXPECT_EQ(web->URL(), server.url(c.path));
        ASSERT_TRUE(waitForPage(*web));
        EXPECT_EQ(web->title(), std::string("page ") + c.path);
        web->closeButton()->trigger();
        settle();
        EXPECT_EQ(about.modalViewController(), nullptr);
    }
    server.stop();
}

TEST_F(AboutTest, DefaultLinksAreOurOwnPagesAndNeverSilent) {
    AboutViewController& about = openAbout();
    struct Case {
        std::function<void()> trigger;
        const char* title;
        const char* file;
    } cases[] = {
        {[&] { tapView(*about.btnDeveloped); }, "Lumeno on your device", "about/maker/mobile/iphone/index.html"},
        {[&] { tapView(*about.btnMakers); }, "Questions and answers", "about/maker/kb/index.html"},
        {[&] { creditChoice(about, 0); }, "Analysis and interface", "about/credit/index.html"},
        {[&] { creditChoice(about, 1); }, "Notes on the design", "about/credit/wp/index.html"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        c.trigger();
        settle();
        TTWebController* web = webScreen(about);
        ASSERT_NE(web, nullptr);
        ASSERT_TRUE(waitForPage(*web));
        EXPECT_EQ(web->title(), c.title);
        EXPECT_EQ(web->URL(), "file://" + str::percentEscape(Paths::bundleResource(c.file)));
        if (std::string(c.title) == "Lumeno on your device") {
            // Our pages lead to each other.
            web->webView()->followLink("../../kb/index.html");
            ASSERT_TRUE(waitForPage(*web));
            EXPECT_EQ(web->title(), "Questions and answers");
            EXPECT_TRUE(web->backButton()->isEnabled());
            screenshot("about-web-page.png");
        }
        web->dismissView();
        settle();
    }
    opened.clear();
    creditChoice(about, 2);
    EXPECT_EQ(opened, std::vector<std::string>{"mailto:lumeno@localhost"});

    // A link whose address the user cleared opens nothing.
    NSUserDefaults::standardUserDefaults().setString("", "AboutMakerSite");
    tapView(*about.btnDeveloped);
    settle();
    EXPECT_EQ(webScreen(about), nullptr);
}

}  // namespace

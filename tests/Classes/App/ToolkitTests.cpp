// The toolkit inside the program: its navigator, links in styled text shown in the program's
// own tables, and its texts in the interface language.

#include "ShellFixture.h"

#include <cstdlib>

#include "Classes/Core/Language.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITableView.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "toolkit/controllers/TTWebController.h"
#include "toolkit/foundation/NSString+TTCategory.h"
#include "toolkit/foundation/TTNavigatorHooks.h"
#include "toolkit/styledtext/TTStyledFrame.h"
#include "toolkit/styledtext/TTStyledLinkNode.h"
#include "toolkit/styledtext/TTStyledTextLabel.h"

namespace {

// One row holding a styled-text label, as the reading and search screens show theirs.
class LabelRows : public UITableViewDataSource, public UITableViewDelegate {
public:
    explicit LabelRows(std::string html) : html_(std::move(html)) {}
    int numberOfRowsInSection(UITableView*, int) override { return 1; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView*, const NSIndexPath&) override {
        auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "label");
        label = std::make_shared<TTStyledTextLabel>(CGRectMake(0, 0, 300, 80));
        label->setHtml(html_);
        cell->contentView()->addSubview(label);
        return cell;
    }
    double heightForRowAtIndexPath(UITableView*, const NSIndexPath&) override { return 80; }
    void didSelectRowAtIndexPath(UITableView*, const NSIndexPath&) override { ++selections; }

    std::shared_ptr<TTStyledTextLabel> label;
    int selections = 0;

private:
    std::string html_;
};

class ToolkitTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        server.route("/page", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
            r.send(LoopbackHTTPServer::response(200, "OK", "<title>Recitation notes</title><p>Notes.</p>",
                                                "Content-Type: text/html; charset=utf-8\r\n"));
        });
        server.route("/slow", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) { r.hold(); });
        // Stands in for the desktop: it opens mail links and nothing else.
        UIApplication::sharedApplication().setURLHandlers(
            [this](const std::string& url) {
                desktop.push_back(url);
                return true;
            },
            [](const std::string& url) { return url.rfind("mailto:", 0) == 0; });
    }
    void TearDown() override {
        UIApplication::sharedApplication().setURLHandlers(nullptr, nullptr);
        if (table) table->removeFromSuperview();
        server.stop();
        ShellTest::TearDown();
    }

    UIViewController* front() const { return tab(0)->topViewController(); }
    // The web page screen shown modally over the program's screens, or null.
    TTWebController* shownWebPage() const {
        UIViewController* root = UIApplication::sharedApplication().keyWindow()->rootViewController().get();
        for (UIViewController* c = root; c; c = c->modalViewController())
            if (auto* nav = dynamic_cast<UINavigationController*>(c->modalViewController()))
                if (auto* web = dynamic_cast<TTWebController*>(nav->topViewController())) return web;
        return nullptr;
    }

    // A platform table with one labelled row on the front screen.
    void showRow(const std::string& html) {
        rows = std::make_unique<LabelRows>(html);
        table = std::make_shared<UITableView>(CGRectMake(10, 60, 300, 200));
        table->setDataSource(rows.get());
        table->setDelegate(rows.get());
        front()->view()->addSubview(table);
        table->reloadData();
        backend->runUntilIdle();
        ASSERT_TRUE(rows->label);
    }
    // The middle of the label's first link, in window coordinates.
    CGPoint linkPoint() const {
        TTStyledTextLabel& label = *rows->label;
        label.layoutIfNeeded();
        for (TTStyledFrame* f = label.text()->rootFrame().get(); f; f = f->nextFrame().get()) {
            auto* box = dynamic_cast<TTStyledBoxFrame*>(f);
            // A link broken after the line's last word leaves an empty piece there.
            if (box && box->width() > 0 && dynamic_cast<TTStyledLinkNode*>(box->element()))
                return label.convertPointToView(CGPointMake(box->x() + 4, box->y() + box->height() / 2), nullptr);
        }
        ADD_FAILURE() << "no link in the label";
        return CGPointMake(0, 0);
    }

    LoopbackHTTPServer server;
    std::vector<std::string> desktop;
    std::unique_ptr<LabelRows> rows;
    std::shared_ptr<UITableView> table;
};

void shoot(HeadlessBackend& backend, const std::string& name) {
    const char* dir = std::getenv("LUMENO_TEMP_DIR");
    backend.frame();
    EXPECT_TRUE(backend.screenshot(std::string(dir ? dir : ".") + "/" + name));
}

}  // namespace

TEST_F(ToolkitTest, TheNavigatorStartsOnTheFirstModelRequestAndRoutesLinks) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    EXPECT_FALSE(TTNavigatorHooks::shared().openURL) << "nothing has used the navigator yet";
    auto web = std::make_shared<TTWebController>();
    web->model();
    EXPECT_TRUE(TTNavigatorHooks::shared().openURL);

    tt::openURL(server.url("/page"));
    backend->advance(1000);
    TTWebController* page = shownWebPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->URL(), server.url("/page"));
}

TEST_F(ToolkitTest, AWebLinkInAPlatformTableOpensTheInAppWebPage) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    showRow("Notes on this recitation: " + server.url("/page") + " for the reader");
    const CGPoint link = linkPoint();
    backend->touchDown(1, link);
    backend->advance(300);
    EXPECT_EQ(table->highlightedLinkView(), rows->label.get());
    EXPECT_NE(rows->label->highlightedNode(), nullptr);
    shoot(*backend, "toolkit-link-held.png");
    backend->touchUp(1, link);
    backend->advance(1000);

    TTWebController* page = shownWebPage();
    ASSERT_NE(page, nullptr) << "the table performs the link through the navigator";
    EXPECT_EQ(page->URL(), server.url("/page"));
    EXPECT_EQ(rows->label->highlightedNode(), nullptr);
    EXPECT_EQ(table->highlightedLinkView(), nullptr);
    EXPECT_EQ(rows->selections, 0);
    EXPECT_TRUE(desktop.empty());
    shoot(*backend, "toolkit-web-link-portrait.png");
}

TEST_F(ToolkitTest, ALinkTheProgramCannotShowGoesToTheDesktop) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    showRow("Write to <a href=\"mailto:reader@example.org\">the reader</a> about it");
    backend->tap(linkPoint());
    backend->advance(1000);
    EXPECT_EQ(desktop, std::vector<std::string>{"mailto:reader@example.org"});
    EXPECT_EQ(shownWebPage(), nullptr);
    EXPECT_EQ(rows->label->highlightedNode(), nullptr);
    EXPECT_EQ(rows->selections, 0);
    // After the link, a tap on the row selects it again.
    backend->tap(CGPointMake(300, 130));
    backend->advance(500);
    EXPECT_EQ(rows->selections, 1);
}

TEST_F(ToolkitTest, DraggingTheTableDropsAHeldLink) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    showRow("Notes on this recitation: " + server.url("/page") + " for the reader");
    table->setAlwaysBounceVertical(true);
    const CGPoint link = linkPoint();
    backend->touchDown(1, link);
    backend->advance(100);
    ASSERT_EQ(table->highlightedLinkView(), rows->label.get());
    for (int step = 1; step <= 5; ++step) {
        backend->touchMove(1, CGPointMake(link.x, link.y + 8 * step));
        backend->advance(16);
    }
    EXPECT_EQ(table->highlightedLinkView(), nullptr);
    EXPECT_EQ(rows->label->highlightedNode(), nullptr);
    backend->touchUp(1, CGPointMake(link.x, link.y + 40));
    backend->advance(1000);
    EXPECT_EQ(shownWebPage(), nullptr);
}

struct TextsCase {
    const char* language;
    const char* loading;
    const char* close;
    const char* cancel;
    const char* browser;
};

class ToolkitTextsTest : public ToolkitTest, public ::testing::WithParamInterface<TextsCase> {};

TEST_P(ToolkitTextsTest, TheWebPageScreenSpeaksTheInterfaceLanguage) {
    const TextsCase& c = GetParam();
    ASSERT_TRUE(launch());
    dismissDialogs();
    Language::setLanguage(c.language);
    tt::openURL(server.url("/slow"));
    backend->advance(1000);
    TTWebController* page = shownWebPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->title(), c.loading);
    ASSERT_NE(page->closeButton(), nullptr);
    EXPECT_EQ(page->closeButton()->title(), c.close);
    page->shareAction();
    backend->advance(500);
    ASSERT_NE(page->actionSheet(), nullptr);
    UIActionSheet& sheet = *page->actionSheet();
    EXPECT_EQ(sheet.buttonTitleAtIndex(sheet.cancelButtonIndex()), c.cancel);
    EXPECT_EQ(sheet.buttonTitleAtIndex(sheet.firstOtherButtonIndex()), c.browser);
    shoot(*backend, std::string("toolkit-web-texts-") + c.language + ".png");
    sheet.dismissWithClickedButtonIndex(sheet.cancelButtonIndex(), false);
    Language::setLanguage("en");
}

INSTANTIATE_TEST_SUITE_P(Languages, ToolkitTextsTest,
                         ::testing::Values(TextsCase{"en", "Loading...", "Close", "Cancel", "Open in Safari"},
                                           TextsCase{"ar", "جارٍ التحميل...", "إغلاق", "إلغاء", "افتح في المتصفح"}),
                         [](const auto& info) { return std::string(info.param.language); });

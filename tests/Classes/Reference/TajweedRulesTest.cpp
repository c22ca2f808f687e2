// The Tajweed rules page: where each scroll target lands in either interface language, the
// texts per language, and the example verses drawn with their Tajweed colours.

#include "tests/Classes/Settings/SettingsFixture.h"

#include <algorithm>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reference/TajweedInfoViewController.h"
#include "platform/foundation/Value.h"
#include "tests/support/DocsScreenshot.h"

namespace {

void useArabicInterface(bool on) {
    NSUserDefaults::standardUserDefaults().setArray(Value::Array{Value(on ? "ar" : "en")}, "AppleLanguages");
    LumenoSDKAppDelegate::ResetArabicCheck();
}

TEST_F(SettingsTest, ScrollTargetsLandOnTheirSectionsInEitherLanguage) {
    struct Case {
        int target;
        double english, arabic;
    };
    const Case cases[] = {{0, 0, 0}, {1, 258, 258}, {2, 686, 628}, {3, 1446, 1293}, {4, 1754, 1561}, {7, -1, -1}};
    for (bool arabic : {false, true}) {
        useArabicInterface(arabic);
        for (const Case& c : cases)
            EXPECT_EQ(TajweedInfoViewController::topForScrollTarget(c.target), arabic ? c.arabic : c.english)
                << "target " << c.target << (arabic ? " arabic" : " english");
    }
    // No target reaches the section of Idgham without ghunna.
    for (const auto& rule : TajweedInfoViewController::rules())
        if (rule.number == 5) EXPECT_EQ(rule.scrollTarget, -1);
    useArabicInterface(false);
}

TEST_F(SettingsTest, OpenedFromTheMenuThePageStacksSixSectionsWithTheirTexts) {
    launch();
    auto* page = dynamic_cast<TajweedInfoViewController*>(openMenuRow(0));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->viewScroll->contentOffset().y, 0);
    EXPECT_EQ(page->viewScroll->contentSize().height, 2084);
    EXPECT_EQ(page->viewInfo[4]->frame().origin.y, 1446);
    EXPECT_EQ(page->lblTop[0]->text(), "Ghunna");
    EXPECT_EQ(page->lblTrans[2]->text(), "Elision (Merging)");
    EXPECT_EQ(page->lblTrans[3]->text(), "Elision (Merging)");
    EXPECT_EQ(page->btnBack->titleForState(UIControlStateNormal), "More");
    EXPECT_FALSE(page->web[0]->document().blocks.empty()) << "the explanation is shown";
    for (const auto& [rule, bytes] : page->verseData()) EXPECT_FALSE(bytes.empty()) << "rule " << rule;

    // The Ghunna example is drawn with coloured letters.
    backend.frame();
    const CGRect canvas = page->img[0]->convertRectToView(page->img[0]->bounds(), nullptr);
    int coloured = 0;
    for (double y = canvas.origin.y; y < canvas.origin.y + canvas.size.height; y += 1)
        for (double x = canvas.origin.x; x < canvas.origin.x + canvas.size.width; x += 1) {
            const auto p = backend.pixelAt(CGPointMake(x + 0.5, y + 0.5));
            coloured += std::max({p.r, p.g, p.b}) - std::min({p.r, p.g, p.b}) > 90;
        }
    EXPECT_GT(coloured, 20);
    docs_screenshot::shoot(backend, "tajweed-rules.png");

    page->btnBackPressed();
    settle();
    EXPECT_EQ(nav->topViewController(), menu.get());
}

TEST_F(SettingsTest, InTheArabicInterfaceTheGlossesCarryTheRuleNames) {
    useArabicInterface(true);
    TajweedInfoViewController page("Tajweed", 3, false);
    page.view();
    for (int i = 0; i < TajweedInfoViewController::kRuleCount; ++i) {
        EXPECT_EQ(page.lblTop[i]->text(), "");
        const std::string name = TajweedInfoViewController::rules()[i].name;
        EXPECT_EQ(page.lblTrans[i]->text(), Language::get(name, name));
    }
    EXPECT_EQ(page.viewScroll->contentSize().height, 1851);
    EXPECT_EQ(page.viewScroll->contentOffset().y, 1293);
    EXPECT_EQ(page.btnBack->titleForState(UIControlStateNormal), Language::get("Back", "Back"));
    useArabicInterface(false);
}

}  // namespace

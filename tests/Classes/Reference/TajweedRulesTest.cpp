// The Tajweed rules page: where each scroll target lands in either interface language, the
// texts per language, and the example verses drawn with their Tajweed colours.

#include "tests/Classes/Settings/SettingsFixture.h"

#include <algorithm>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reference/TajweedInfoViewController.h"
#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "platform/foundation/RunLoop.h"
#include "platform/media/AudioOutput.h"
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
        if (rule.number == 5) { EXPECT_EQ(rule.scrollTarget, -1); }
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

// Pressing the playing example's button fades it out; another button pressed during that fade
// starts its own example, which the end of the first one's fade leaves playing.
TEST_F(SettingsTest, ExamplesFadeInAndOutAndAFadeEndsOnlyItsOwnExample) {
    auto output = HeadlessAudioOutput::create();
    AudioOutput::setShared(output);
    {
        TajweedInfoViewController page("Tajweed", 0, true);
        page.view();
        auto run = [&page](double ms) {
            for (double t = 0; t <= ms; t += 10) {
                RunLoop::main().runUntil(
                    [&page] { return RunLoop::main().pendingPostCount() == 0 && page.fades().waitingOnClock(); }, 2.0);
                RunLoop::main().advance(10);
            }
        };
        page.listenPressed(page.btnListen[0].get());
        EXPECT_EQ(page.lastPlayingType(), 0);
        ASSERT_NE(page.currentAudioPlayer(), nullptr) << "the bundle's ghunna.mp3";
        EXPECT_TRUE(page.currentAudioPlayer()->isPlaying());
        run(400);
        EXPECT_NEAR(page.currentAudioPlayer()->volume(), 1.0, 0.01);

        // Ghunna again: it fades out; Ikhfa at once: it starts, and stays when the fade ends.
        page.listenPressed(page.btnListen[0].get());
        EXPECT_EQ(page.lastPlayingType(), -1);
        EXPECT_EQ(page.currentAudioPlayer(), nullptr);
        page.listenPressed(page.btnListen[1].get());
        EXPECT_EQ(page.lastPlayingType(), 1);
        AVAudioPlayer* ikhfa = page.currentAudioPlayer();
        ASSERT_NE(ikhfa, nullptr);
        run(800);
        EXPECT_EQ(page.currentAudioPlayer(), ikhfa);
        EXPECT_TRUE(ikhfa->isPlaying());
        EXPECT_EQ(page.lastPlayingType(), 1);

        // Ikhfa pressed again fades out and ends the example.
        page.listenPressed(page.btnListen[1].get());
        run(800);
        EXPECT_EQ(page.currentAudioPlayer(), nullptr);
        EXPECT_EQ(page.fades().running(), 0u);
    }
    AudioOutput::setShared(nullptr);
}

}  // namespace

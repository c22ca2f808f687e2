// The translation pickers and the Tajweed legend bar.

#include "tests/Classes/Reading/panel/PanelFixture.h"

#include "Classes/GlyphEngine/ArabicFont.h"
#include "Classes/Reading/PickTranslationController.h"
#include "Classes/Reference/TajweedInfoViewController.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITableViewCell.h"

namespace {

TEST_F(PanelTest, MainPickerListsNotesStoresTheChoiceAndPostsEveryTime) {
    NSUserDefaults::standardUserDefaults().setInteger(2, "CurrentTranslationv22");
    auto picker = std::make_shared<PickTranslationController>("SurahOptions");
    window->addSubview(picker->viewPtr());
    picker->viewWillAppear(false);
    const auto& list = picker->translations();
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ(list[0], 0);
    EXPECT_EQ(list[1], 1000);
    EXPECT_EQ(picker->lblTopTitle->text(), "Show");
    EXPECT_EQ(picker->indexOfTranslation(12345), 0);

    int posted = 0;
    NSNotificationCenter::defaultCenter().addObserver(this, "TranslationDidChange", [&] { ++posted; });
    const int row = picker->indexOfTranslation(5);
    picker->didSelectRowAtIndexPath(picker->table.get(), NSIndexPath::indexPathForRow(row, 0));
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"), 5);
    EXPECT_EQ(picker->iCurrentTranslation(), 5);
    picker->didSelectRowAtIndexPath(picker->table.get(), NSIndexPath::indexPathForRow(row, 0));
    EXPECT_EQ(posted, 2);
    NSNotificationCenter::defaultCenter().removeObserver(this);

    // The chosen row carries the check mark and its flag.
    picker->table->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0), UITableViewScrollPositionMiddle, false);
    picker->table->layoutIfNeeded();
    backend.advance(100);
    backend.runUntilIdle();
    UITableViewCell* cell = picker->table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->imageView()->image(), UIImage::imageNamed("Indonesia.png"));
    EXPECT_EQ(cell->accessoryType(), UITableViewCellAccessoryCheckmark);
}

TEST_F(PanelTest, EmptyTranslationSlotsSayNoTextAndNoDefaultIsEmpty) {
    sqlite3* content = app->dbConnectionStatic();
    NSUserDefaults& settings = NSUserDefaults::standardUserDefaults();
    for (const char* key : {"CurrentTranslationv22", "HUDTranslation", "CurrentTranslationPrimary", "CurrentTranslationSecondary"}) {
        settings.removeObjectForKey(key);
        const int registered = static_cast<int>(settings.integerForKey(key));
        EXPECT_TRUE(ChapterInfo::hasTranslationText(content, registered)) << key << " " << registered;
        EXPECT_FALSE(ChapterInfo::getTranslationFor(content, registered, 2, 255).empty()) << key;
    }

    auto picker = std::make_shared<PickTranslationController>("SurahOptions");
    window->addSubview(picker->viewPtr());
    picker->viewWillAppear(false);
    int empty = 0;
    for (int number : picker->translations()) {
        const int row = picker->indexOfTranslation(number);
        UITableViewCellPtr cell = picker->cellForRowAtIndexPath(picker->table.get(), NSIndexPath::indexPathForRow(row, 0));
        const bool hasText = ChapterInfo::hasTranslationText(content, number);
        EXPECT_EQ(cell->detailTextLabel()->text(), hasText ? "" : "no text available") << number;
        if (!hasText) ++empty;
        // The slot's name stays; only the line under it tells.
        EXPECT_EQ(cell->textLabel()->text(), ChapterInfo::getTranslationFullNameForNumber(number));
    }
    EXPECT_EQ(empty, 27);
    EXPECT_FALSE(ChapterInfo::hasTranslationText(content, 2));
    EXPECT_TRUE(ChapterInfo::hasTranslationText(content, 10));
    EXPECT_TRUE(ChapterInfo::hasTranslationText(content, 1000));
}

TEST_F(PanelTest, FlagsFollowTheTranslationNumbers) {
    const std::pair<int, const char*> cases[] = {{0, "translation-none.png"}, {10, "UK.png"}, {37, "Spain.png"},
                                                 {38, "SaudiArabia.png"}, {1000, "trnslation-note.png"}, {39, ""}};
    for (const auto& [number, name] : cases) EXPECT_EQ(PickTranslationController::flagImageName(number), name) << number;
}

TEST_F(PanelTest, PanelPickerChangesThePanelTranslationOnly) {
    NSUserDefaults::standardUserDefaults().setInteger(2, "HUDTranslation");
    open(2, 1, 5);
    pressVerse(3);
    hud().showTranslationPicker();
    PickTranslationController* picker = hud().pickTranslationView();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->isNormalPickerMode());
    EXPECT_EQ(picker->lblTopTitle->text(), "Pick Translation");
    for (int n : picker->translations()) EXPECT_NE(n, 1000);
    int posted = 0;
    NSNotificationCenter::defaultCenter().addObserver(this, "TranslationDidChange", [&] { ++posted; });
    picker->didSelectRowAtIndexPath(picker->table.get(), NSIndexPath::indexPathForRow(picker->indexOfTranslation(3), 0));
    NSNotificationCenter::defaultCenter().removeObserver(this);
    backend.advance(500);
    backend.runUntilIdle();
    EXPECT_EQ(posted, 0);
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("HUDTranslation"), 3);
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"), 5);
    EXPECT_EQ(hud().pickTranslationView(), nullptr);
    EXPECT_EQ(hud().txtHUDTranslation->text(), ChapterInfo::getTranslationFor(app->dbConnectionStatic(), 3, 2, 3));
    EXPECT_EQ(hud().btnHUDTranslationSwitcher->titleForState(UIControlStateNormal),
              ChapterInfo::getTranslationFullNameForNumber(3));
}

struct BarCase {
    const char* name;
    std::vector<const char*> on;
};

TEST_F(PanelTest, TajweedBarPlacesOneButtonPerRuleThatIsOn) {
    open(2, 1, 3);
    NSUserDefaults& settings = NSUserDefaults::standardUserDefaults();
    settings.setBool(true, "ShowTajweedBar");
    const char* const all[] = {"TajweedQalqala", "TajweedIqlab", "TajweedIdgham", "TajweedIkhfa", "TajweedGhunna"};
    const double tableWidth = screen->tblVerses->frame().size.width;

    // All off: nothing placed, no division by zero, the bar still shows.
    for (const char* key : all) settings.setBool(false, key);
    screen->tajweedBarDisplayToggled(false);
    ASSERT_NE(screen->viewTajweedBar, nullptr);
    for (const auto* b : {&screen->btnTajweedQalqala, &screen->btnTajweedIqlab, &screen->btnTajweedIdgham,
                          &screen->btnTajweedIkhfa, &screen->btnTajweedGhunna})
        EXPECT_EQ((*b)->alpha(), 0);
    const CGRect table = screen->tblVerses->frame();
    EXPECT_EQ(screen->viewTajweedBar->frame(), CGRectMake(50, table.origin.y + table.size.height - 30, tableWidth - 50, 30));
    EXPECT_EQ(screen->tblVerses->contentInset().bottom, 30);

    // One rule: it fills the width from the left edge.
    settings.setBool(true, "TajweedIdgham");
    screen->tajweedBarDisplayToggled(false);
    EXPECT_EQ(screen->btnTajweedIdgham->alpha(), 1);
    EXPECT_EQ(screen->btnTajweedIdgham->frame().origin.x, 0);
    EXPECT_EQ(screen->btnTajweedIdgham->frame().size.width, std::trunc(tableWidth - 60));

    // Ghunna off: Ikhfa is the rightmost and takes the flexible left margin and width.
    for (const char* key : all) settings.setBool(true, key);
    settings.setBool(false, "TajweedGhunna");
    screen->tajweedBarDisplayToggled(false);
    const double w = std::trunc((tableWidth - 60) / 4);
    EXPECT_EQ(screen->btnTajweedIkhfa->frame().origin.x, 3 * w);
    EXPECT_EQ(screen->btnTajweedIkhfa->autoresizingMask(),
              unsigned(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth));
    EXPECT_EQ(screen->btnTajweedGhunna->alpha(), 0);

    // Switched off: below the table, insets cleared.
    settings.setBool(false, "ShowTajweedBar");
    NSNotificationCenter::defaultCenter().postNotificationName("TajweedBarDisplayToggled");
    backend.advance(500);
    backend.runUntilIdle();
    EXPECT_EQ(screen->viewTajweedBar->frame().origin.y, table.origin.y + table.size.height);
    EXPECT_EQ(screen->tblVerses->contentInset().bottom, 0);
}

TEST_F(PanelTest, TajweedButtonsTakeTheGlyphEngineColourOfTheirRule) {
    open(2, 1, 3);
    screen->setupTajweedBar();
    const std::pair<std::shared_ptr<UIButton>*, TajweedColor> cases[] = {
        {&screen->btnTajweedQalqala, kColorQalqala}, {&screen->btnTajweedIqlab, kColorQalb},
        {&screen->btnTajweedIdgham, kColorIdghaam},  {&screen->btnTajweedIkhfa, kColorIkhfa},
        {&screen->btnTajweedGhunna, kColorGhunna}};
    for (const auto& [button, rule] : cases) {
        UIColorPtr title = (*button)->titleColorForState(UIControlStateNormal);
        ASSERT_NE(title, nullptr);
        const RGB8 expected = ArabicFont::colorOf(rule);
        double r, g, b, a;
        title->getRed(&r, &g, &b, &a);
        EXPECT_EQ(std::lround(r * 255), expected.r) << rule;
        EXPECT_EQ(std::lround(g * 255), expected.g) << rule;
        EXPECT_EQ(std::lround(b * 255), expected.b) << rule;
    }
}

TEST_F(PanelTest, TajweedButtonOpensTheRulesAtItsSection) {
    open(2, 1, 3);
    screen->setupTajweedBar();
    const std::pair<std::shared_ptr<UIButton>*, int> cases[] = {{&screen->btnTajweedGhunna, 0},
                                                                {&screen->btnTajweedQalqala, 4}};
    for (const auto& [button, index] : cases) {
        screen->tajweedButtonPressed(button->get());
        auto* rules = dynamic_cast<TajweedInfoViewController*>(screen->modalViewController());
        ASSERT_NE(rules, nullptr);
        EXPECT_EQ(rules->scrollToView(), index);
        EXPECT_FALSE(rules->fromSettings());
        // Opened at its rule's section: Ghunna at the top, Qalqala at 1754 in English.
        backend.advance(800);
        backend.runUntilIdle();
        ASSERT_TRUE(rules->viewScroll);
        EXPECT_EQ(rules->viewScroll->contentOffset().y, index == 0 ? 0 : 1754);
        screen->dismissModalViewControllerAnimated(false);
        backend.advance(800);
        backend.runUntilIdle();
    }
}

}  // namespace

namespace {

TEST_F(PanelTest, TranslationButtonOpensThePickerWhoseChoiceReloadsTheVerses) {
    open(2, 1, 3);
    screen->btnTranslatorPressed();
    backend.advance(800);
    backend.runUntilIdle();
    auto* picker = dynamic_cast<PickTranslationController*>(screen->modalViewController());
    ASSERT_NE(picker, nullptr);
    EXPECT_FALSE(picker->isNormalPickerMode());
    EXPECT_EQ(picker->iCurrentTranslation(), 3);
    picker->didSelectRowAtIndexPath(picker->table.get(), NSIndexPath::indexPathForRow(picker->indexOfTranslation(5), 0));
    picker->btnBackPressed();
    backend.advance(800);
    backend.runUntilIdle();
    EXPECT_EQ(screen->modalViewController(), nullptr);
    EXPECT_EQ(screen->iCurrentTranslation(), 5);
    EXPECT_EQ(screen->getTranslationForSurah(2, 0), ChapterInfo::getTranslationFor(app->dbConnectionStatic(), 5, 2, 1));
}

TEST_F(PanelTest, PreferencesListLeadsOnlyFromItsTranslationRow) {
    auto prefs = std::make_shared<TranslationPreferenceController>();
    auto nav = std::make_shared<UINavigationController>(prefs);
    window->setRootViewController(nav);
    prefs->view();
    backend.runUntilIdle();
    ASSERT_NE(prefs->table, nullptr);
    EXPECT_EQ(prefs->title(), "Preferences");
    for (int row : {1, 2}) {
        prefs->didSelectRowAtIndexPath(prefs->table.get(), NSIndexPath::indexPathForRow(row, 0));
        EXPECT_EQ(nav->topViewController(), prefs.get());
    }
    prefs->didSelectRowAtIndexPath(prefs->table.get(), NSIndexPath::indexPathForRow(0, 0));
    backend.advance(800);
    backend.runUntilIdle();
    auto* picker = dynamic_cast<PickTranslationController*>(nav->topViewController());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->nibName(), "GenericOneTableView");
    EXPECT_EQ(picker->lblTopTitle->text(), "Show");
}

}  // namespace

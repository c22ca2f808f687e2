#include "tests/support/PlaceholderScreens.h"

#include "Classes/Core/Language.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"

namespace {

std::string tr(const std::string& key) { return Language::get(key, key); }

std::shared_ptr<UILabel> makeLabel(CGRect frame, UIFontPtr font, UIColorPtr color, long lines) {
    auto label = std::make_shared<UILabel>(frame);
    label->setFont(std::move(font));
    label->setTextColor(std::move(color));
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    label->setTextAlignment(UITextAlignmentCenter);
    label->setNumberOfLines(lines);
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin |
                               UIViewAutoresizingFlexibleBottomMargin);
    return label;
}

}  // namespace

PlaceholderViewController::PlaceholderViewController(std::string titleKey) : titleKey_(std::move(titleKey)) {
    setTitle(tr(titleKey_));
}

void PlaceholderViewController::loadView() {
    CGRect frame = UIScreen::mainScreen().bounds();
    auto v = std::make_shared<UIView>(frame);
    v->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    v->setBackgroundColor(UIColor::colorWithRed(0.96, 0.94, 0.88, 1));
    const double w = frame.size.width, mid = frame.size.height / 2 - 60;
    auto heading = makeLabel(CGRectMake(10, mid - 40, w - 20, 30), UIFont::fontWithName("Helvetica-Bold", 20),
                             UIColor::colorWithRed(0.06, 0.27, 0.24, 1), 1);
    heading->setText(tr(titleKey_));
    v->addSubview(heading);
    detail_ = makeLabel(CGRectMake(20, mid, w - 40, 60), UIFont::fontWithName("Helvetica", 14),
                        UIColor::colorWithWhite(0.35, 1), 3);
    v->addSubview(detail_);
    setView(v);
    updateDetail();
}

void PlaceholderViewController::viewWillAppear(bool) {
    setTitle(tr(titleKey_));
    updateDetail();
}

std::string PlaceholderViewController::detailText() const { return "A stand-in for a test."; }

void PlaceholderViewController::updateDetail() {
    if (detail_) detail_->setText(detailText());
}

void PlaceholderIndexViewController::showSurahView(LumenoSDKAppDelegate*, int surah, int verse, bool, bool) {
    surah_ = surah;
    verse_ = verse;
    showingSurah_ = true;
    NSUserDefaults& d = NSUserDefaults::standardUserDefaults();
    d.setInteger(surah, "CurrentlyShowingSurah");
    d.setInteger(verse, "CurrentlyShowingVerse");
    updateDetail();
}

void PlaceholderIndexViewController::hideSurahView() {
    showingSurah_ = false;
    updateDetail();
}

void PlaceholderIndexViewController::btnTopCurrentSurahPressed() {
    ++currentSurahPresses_;
    NSUserDefaults& d = NSUserDefaults::standardUserDefaults();
    int surah = static_cast<int>(d.integerForKey("CurrentlyShowingSurah"));
    showSurahView(LumenoSDKAppDelegate::GetInstance(), surah < 1 || surah > 114 ? 1 : surah,
                  static_cast<int>(d.integerForKey("CurrentlyShowingVerse")), false, true);
}

std::string PlaceholderIndexViewController::detailText() const {
    if (!showingSurah_) return PlaceholderViewController::detailText();
    return stringWithFormat("Chapter %i, verse %i", surah_, verse_);
}

void PlaceholderSavedSearchesViewController::btnSearchPressed() {
    if (LumenoSDKAppDelegate* app = LumenoSDKAppDelegate::GetInstance()) app->filterSearchViewWithSavedSearch(nullptr);
}

void PlaceholderSearchViewController::filterWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) {
    if (savedSearch) ++filterCount_;
}

void registerPlaceholderScreens() {
    ShellScreenFactory::setMaker("IndexView", [] { return std::make_shared<PlaceholderIndexViewController>(); });
    ShellScreenFactory::setMaker("BookmarkGroups", [] { return std::make_shared<PlaceholderBookmarkGroupsViewController>(); });
    ShellScreenFactory::setMaker("BookmarksView", [] { return std::make_shared<PlaceholderBookmarksViewController>(); });
    ShellScreenFactory::setMaker("SavedSearches", [] { return std::make_shared<PlaceholderSavedSearchesViewController>(); });
    ShellScreenFactory::setMaker("SearchView", [] { return std::make_shared<PlaceholderSearchViewController>(); });
    ShellScreenFactory::setMaker("More", [] { return std::make_shared<PlaceholderViewController>("More"); });
}

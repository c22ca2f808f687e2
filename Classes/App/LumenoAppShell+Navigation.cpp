// Switching tabs and opening chapters for other screens; the tab titles; the re-tap rules.
// Every operation does nothing when the screen it needs is missing.

#include "Classes/App/LumenoAppShell.h"

#include "Classes/App/ShellScreens.h"
#include "Classes/App/TabBarViewController.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/hosting/UIBarButtonItem.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

constexpr const char* kTabTitles[] = {"Quran", "Bookmarks", "Search", "More"};

template <class Screen>
Screen* visibleScreen(UINavigationController* nav) {
    return nav ? dynamic_cast<Screen*>(nav->visibleViewController()) : nullptr;
}

}  // namespace

UINavigationController* LumenoAppShell::navigationControllerAtTab(int index) const {
    return tabBarController_ ? dynamic_cast<UINavigationController*>(tabBarController_->getViewControllerAtIndex(index))
                             : nullptr;
}

IndexScreen* LumenoAppShell::getIndexViewController() const {
    UINavigationController* nav = navigationControllerAtTab(0);
    if (!nav || nav->viewControllers().empty()) return nullptr;
    return dynamic_cast<IndexScreen*>(nav->viewControllers().front().get());
}

ReadingScreen* LumenoAppShell::readingScreen() const {
    IndexScreen* index = getIndexViewController();
    return index ? index->ThisSurahController() : nullptr;
}

void LumenoAppShell::showSurahView(int surah, int verse, bool play, bool animated) {
    if (!tabBarController_) return;
    tabBarController_->setSelectedIndex(0);
    if (IndexScreen* index = getIndexViewController()) index->showSurahView(this, surah, verse, play, animated);
}

void LumenoAppShell::hideSurahView() {
    if (!tabBarController_) return;
    tabBarController_->setSelectedIndex(0);
    if (IndexScreen* index = getIndexViewController()) index->hideSurahView();
}

void LumenoAppShell::hideSurahViewIfShowing() {
    IndexScreen* index = getIndexViewController();
    if (index && index->IsShowingSurahView()) hideSurahView();
}

void LumenoAppShell::setTabbarItemIndex(int index) {
    if (tabBarController_) tabBarController_->setSelectedIndex(index);
}

void LumenoAppShell::reloadSurahView() {
    if (ReadingScreen* reading = readingScreen()) reading->refreshSurahView();
}

void LumenoAppShell::refreshSurahViewWith(int surah, int verse) {
    if (ReadingScreen* reading = readingScreen()) reading->updateBookmarkForVerse(verse, surah);
}

void LumenoAppShell::reloadIndexView() {
    if (IndexScreen* index = getIndexViewController()) index->reloadIndexView();
}

void LumenoAppShell::refreshTheme() {
    if (IndexScreen* index = getIndexViewController()) index->refreshTheme();
    // Every bookmark list and search screen on the stacks of tabs 1 and 2.
    for (int tab : {1, 2}) {
        UINavigationController* nav = navigationControllerAtTab(tab);
        if (!nav) continue;
        for (const UIViewControllerPtr& c : nav->viewControllers()) {
            if (auto* list = dynamic_cast<BookmarkListScreen*>(c.get())) list->refreshTheme();
            if (auto* search = dynamic_cast<SearchScreen*>(c.get())) search->refreshTheme();
        }
    }
}

void LumenoAppShell::filterBookmarksOnGroup(int group) {
    UINavigationController* nav = navigationControllerAtTab(1);
    if (!nav) return;
    UIViewControllerPtr bookmarks = ShellScreenFactory::make("BookmarksView");
    if (auto* list = dynamic_cast<BookmarkListScreen*>(bookmarks.get())) list->setGroupFilter(group);
    if (bookmarks) nav->pushViewController(bookmarks, true);
}

void LumenoAppShell::filterSearchViewWithSavedSearch(const std::shared_ptr<SavedSearch>& savedSearch) {
    if (!tabBarController_) return;
    tabBarController_->setSelectedIndex(2);
    UINavigationController* nav = navigationControllerAtTab(2);
    if (!nav) return;
    // A search screen on display is reused, never covered by a second one.
    if (auto* shown = visibleScreen<SearchScreen>(nav)) {
        shown->filterWithSavedSearch(savedSearch);
        return;
    }
    UIViewControllerPtr search = ShellScreenFactory::make("SearchView");
    if (auto* screen = dynamic_cast<SearchScreen*>(search.get())) screen->filterWithSavedSearch(savedSearch);
    if (search) nav->pushViewController(search, true);
}

void LumenoAppShell::resetTabbarLabels() {
    if (!tabBarController_) return;
    for (int i = 0; i < 4; ++i)
        if (UIViewController* tab = tabBarController_->getViewControllerAtIndex(i))
            tab->tabBarItem()->setTitle(Language::get(kTabTitles[i], kTabTitles[i]));
    tabBarController_->tabBarItemsChanged();
}

void LumenoAppShell::didSelectItem(UITabBarItem* item) {
    if (!tabBarController_ || !item) return;
    const int selected = tabBarController_->selectedIndexBeforeTap();
    const long tag = item->tag();
    if (tag != selected) return;
    if (tag == 0) {
        IndexScreen* index = getIndexViewController();
        if (!index) return;
        if (index->IsShowingSurahView()) {
            index->hideSurahView();
        } else {
            RunLoop::main().post([this] {
                if (IndexScreen* i = getIndexViewController()) i->btnTopCurrentSurahPressed();
            });
        }
    } else if (tag == 1) {
        if (visibleScreen<BookmarkGroupListScreen>(navigationControllerAtTab(1)))
            RunLoop::main().post([this] { filterBookmarksOnGroup(0); });
    } else if (tag == 2) {
        if (visibleScreen<SavedSearchListScreen>(navigationControllerAtTab(2)))
            RunLoop::main().post([this] {
                if (auto* list = visibleScreen<SavedSearchListScreen>(navigationControllerAtTab(2))) list->btnSearchPressed();
            });
    }
}

#pragma once
// The reading screen with its options panel on screen, services forced on or off.

#include <optional>
#include <string>

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Reading/SurahOptionsHUD.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/services/MFMessageComposeViewController.h"
#include "platform/ui/UIApplication.h"
#include "tests/Classes/Reading/ReadingFixture.h"

class PanelTest : public ReadingTest {
protected:
    void SetUp() override {
        ReadingTest::SetUp();
        MFMailComposeViewController::setCanSendMailForTesting(true);
        MFMessageComposeViewController::setCanSendTextForTesting(true);
        setSchemes({});
    }
    void TearDown() override {
        MFMailComposeViewController::setCanSendMailForTesting(std::nullopt);
        MFMessageComposeViewController::setCanSendTextForTesting(std::nullopt);
        UIApplication::sharedApplication().setURLHandlers(nullptr, nullptr);
        ReadingTest::TearDown();
    }
    // Other apps: which link schemes have a handler; opened links are recorded.
    void setSchemes(std::vector<std::string> schemes) {
        auto has = [schemes](const std::string& url) {
            for (const auto& s : schemes)
                if (url.rfind(s + ":", 0) == 0) return true;
            return false;
        };
        UIApplication::sharedApplication().setURLHandlers(
            [this, has](const std::string& url) {
                opened.push_back(url);
                return has(url);
            },
            has);
    }
    SurahOptionsHUD& hud() { return screen->optionsHUD(); }
    // Long press on a verse's Arabic row; the panel view goes on screen in the tab bar's place.
    // The finger is then taken away (cancelled) so that no release selects the row that has
    // moved under it.
    void pressVerse(int verse) {
        screen->tblVerses->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(screen->verseToRow(verse), 0),
                                                  UITableViewScrollPositionTop, false);
        backend.runUntilIdle();
        backend.touchDown(7, pointInRow(verse));
        backend.advance(600);
        backend.touchCancel(7);
        backend.advance(500);
        backend.runUntilIdle();
        if (!hud().viewAyahDial->superview()) window->addSubview(hud().viewAyahDial);
    }
    void press(const std::shared_ptr<UIButton>& button) { hud().ayahHudButtonPressed(button.get()); }
    UIActionSheet* sheet() { return dynamic_cast<UIActionSheet*>(hud().lastDialog()); }
    UIAlertView* alert() { return dynamic_cast<UIAlertView*>(hud().lastDialog()); }
    void answer(int index) {
        ASSERT_NE(hud().lastDialog(), nullptr);
        hud().lastDialog()->clickButtonAtIndex(index);
        backend.advance(500);
        backend.runUntilIdle();
    }
    sqlite3* userDb() { return app->dbConnection(); }
    std::shared_ptr<Bookmark> bookmarkOf(int surah, int verse) {
        for (const auto& b : ChapterInfo::getAllBookmarks(userDb(), surah, -1))
            if (b->verse() == verse) return b;
        return nullptr;
    }
    std::vector<std::string> opened;
};

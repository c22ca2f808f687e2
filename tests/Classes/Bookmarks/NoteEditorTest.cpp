// The note editor and its ruled note pad, headless with the virtual clock.

#include <gtest/gtest.h>

#include <functional>

#include "Classes/Bookmarks/AddBookmarkNote.h"
#include "Classes/Bookmarks/DTNotePadView.h"
#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Core/PendingUserWrites.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "tests/support/HeldDatabase.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/ScreenTouches.h"

namespace {

// The alert shown in front, or null.
UIAlertView* shownAlert() {
    UIAlertView* found = nullptr;
    std::function<void(UIView*)> walk = [&](UIView* v) {
        if (auto* alert = dynamic_cast<UIAlertView*>(v); alert && alert->isVisible()) found = alert;
        for (const auto& child : v->subviews()) walk(child.get());
    };
    for (UIWindow* w : UIApplication::sharedApplication().windows()) walk(w);
    return found;
}

class NoteEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        UIApplication::sharedApplication().resetForTesting();
        UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 1);
        UIImage::clearNamedCache();
        backend.attach();
        UIViewController::installPlatformHooks();
        UIApplication::sharedApplication().setStatusBarHidden(true);
        window = std::make_shared<UIWindow>();
        window->makeKeyAndVisible();
        LumenoSDKAppDelegate::resetCachedFactsForTesting();
        app = std::make_unique<LumenoSDKAppDelegate>();
        ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
        ASSERT_TRUE(app->initializeDatabase());
        root = std::make_shared<UIViewController>();
        window->setRootViewController(root);
        NSNotificationCenter::defaultCenter().addObserver(this, "BookmarkDidChange", [this] { ++posted; });
        MFMailComposeViewController::setCanSendMailForTesting(true);
    }
    void TearDown() override {
        MFMailComposeViewController::setCanSendMailForTesting(std::nullopt);
        NSNotificationCenter::defaultCenter().removeObserver(this);
        editor.reset();
        root.reset();
        window.reset();
        app.reset();
        RunLoop::main().resetForTesting();
        UIApplication::sharedApplication().resetForTesting();
    }
    void settle(double ms = 600) {
        backend.advance(ms);
        backend.runUntilIdle();
    }
    void openEditor(int surah, int verse, int translation = 0) {
        NSUserDefaults::standardUserDefaults().setInteger(translation, "CurrentTranslationv22");
        editor = std::make_shared<AddBookmarkNote>("AddNoteView", surah, verse);
        root->presentModalViewController(editor, false);
        settle();
    }
    sqlite3* db() { return app->dbConnection(); }

    HeadlessBackend backend;
    std::shared_ptr<UIWindow> window;
    std::unique_ptr<LumenoSDKAppDelegate> app;
    std::shared_ptr<UIViewController> root;
    std::shared_ptr<AddBookmarkNote> editor;
    int posted = 0;
};

TEST_F(NoteEditorTest, RulingFollowsTheTextAndTheKeyboardShortensOnlyTheTextView) {
    auto pad = std::make_shared<DTNotePadView>(CGRectMake(0, 0, 320, 200));
    window->addSubview(pad);
    EXPECT_EQ(pad->linesView()->frame(), CGRectMake(0, 8, 320, 200));
    EXPECT_EQ(pad->textView()->frame(), CGRectMake(24, 0, 296, 200));

    std::string many;
    for (int i = 0; i < 40; ++i) many += "line\n";
    pad->textView()->setText(many);
    settle(50);
    const double content = pad->textView()->contentSize().height;
    ASSERT_GT(content, 200);
    EXPECT_EQ(pad->linesView()->frame().size.height, content + 400);
    pad->textView()->setContentOffset(CGPoint{0, 57});
    EXPECT_EQ(pad->linesView()->transform().ty, -57);

    pad->textView()->becomeFirstResponder();
    settle();
    const CGRect keyboard = pad->convertRectFromView(UIKeyboard::userInfo().frameEnd, nullptr);
    EXPECT_EQ(pad->textView()->frame().size.height, keyboard.origin.y);
    EXPECT_EQ(pad->frame().size.height, 200);
    pad->textView()->resignFirstResponder();
    settle();
    EXPECT_EQ(pad->textView()->frame(), CGRectMake(24, 0, 296, 200));
}

TEST_F(NoteEditorTest, NewNoteOpensWithTheKeyboardAndDoneStoresTheText) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 2, 255, false, 0, std::nullopt));
    openEditor(2, 255);
    EXPECT_EQ(editor->lblTitle->text(), "Note");
    EXPECT_EQ(editor->btnAyah->titleForState(UIControlStateDisabled), "255");
    EXPECT_TRUE(editor->txtView->textView()->isFirstResponder());
    EXPECT_TRUE(editor->isKeyboardShowing());
    // Closing the keyboard of an empty note disables More.
    editor->morePressed();
    settle();
    EXPECT_FALSE(editor->isKeyboardShowing());
    EXPECT_FALSE(editor->btnMore->isEnabled());

    editor->txtView->textView()->becomeFirstResponder();
    editor->txtView->textView()->insertText("The Throne Verse");
    EXPECT_TRUE(editor->bookmarkChanged());
    editor->donePressed();
    settle();
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(db(), 2, 255), "The Throne Verse");
    EXPECT_EQ(root->modalViewController(), nullptr);
}

// Turned while open: the title stays centred over the wider bar and Done keeps to its right
// end, where a finger finds it.
TEST_F(NoteEditorTest, TurnedToLandscapeTheBarKeepsItsTitleCentredAndDoneAtTheEnd) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 2, 255, false, 0, std::nullopt));
    openEditor(2, 255);
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    settle();
    ASSERT_TRUE(UIInterfaceOrientationIsLandscape(UIApplication::sharedApplication().statusBarOrientation()));
    EXPECT_NEAR(CGRectGetMidX(screen_touches::displayRect(*editor->lblTitle)), 240, 1);
    EXPECT_NEAR(CGRectGetMaxX(screen_touches::displayRect(*editor->btnDone)), 472, 1);
    EXPECT_NEAR(CGRectGetMaxX(screen_touches::displayRect(*editor->imgAyahImg)), 476, 1);
    editor->txtView->textView()->insertText("Read in landscape");
    backend.tap(screen_touches::displayCentre(*editor->btnDone));
    settle();
    EXPECT_EQ(ChapterInfo::getBookmarkNote(db(), 2, 255), "Read in landscape");
    EXPECT_EQ(root->modalViewController(), nullptr);
}

TEST_F(NoteEditorTest, DoneWithoutTypingPostsNothingAndClearedTextIsStoredEmpty) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 1, 2, false, 0, std::string("old")));
    openEditor(1, 2);
    EXPECT_FALSE(editor->txtView->textView()->isFirstResponder());  // a note exists: no keyboard
    editor->donePressed();
    settle();
    EXPECT_EQ(posted, 0);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(db(), 1, 2), "old");

    openEditor(1, 2);
    editor->txtView->textView()->becomeFirstResponder();
    for (int i = 0; i < 3; ++i) editor->txtView->textView()->deleteBackward();
    editor->donePressed();
    settle();
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(db(), 1, 2), "");
    EXPECT_TRUE(ChapterInfo::isBookmarked(db(), 1, 2));
}

TEST_F(NoteEditorTest, DeleteAsksFirstAndOnlyYesClearsTheNote) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 1, 3, false, 0, std::string("keep")));
    openEditor(1, 3);
    editor->morePressed();
    ASSERT_NE(editor->moreSheet(), nullptr);
    EXPECT_EQ(editor->moreSheet()->buttonTitleAtIndex(0), "Delete");
    editor->moreSheet()->clickButtonAtIndex(0);
    settle();
    ASSERT_NE(editor->lastAlert(), nullptr);
    EXPECT_EQ(editor->lastAlert()->title(), "Delete Note");
    editor->lastAlert()->clickButtonAtIndex(0);  // No
    settle();
    EXPECT_TRUE(ChapterInfo::hasBookmarkNote(db(), 1, 3));
    EXPECT_NE(root->modalViewController(), nullptr);

    editor->deletePressed();
    editor->lastAlert()->clickButtonAtIndex(1);  // Yes
    settle();
    EXPECT_EQ(posted, 1);
    EXPECT_FALSE(ChapterInfo::hasBookmarkNote(db(), 1, 3));
    EXPECT_TRUE(ChapterInfo::isBookmarked(db(), 1, 3));
    EXPECT_EQ(root->modalViewController(), nullptr);
}

TEST_F(NoteEditorTest, MailBodyEscapesEveryInsertedText) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 1, 4, false, 0, std::string("a<b>&\"c\"</div>\nd")));
    sqlite3* content = app->dbConnectionStatic();
    const std::string arabic = ChapterInfo::getTranslationFor(content, 0, 1, 4);
    ASSERT_FALSE(arabic.empty());

    openEditor(1, 4, 0);
    std::string body = editor->mailBody();
    EXPECT_EQ(body.rfind("Qur&#39;an <b>Surah 1, Verse 4</b>:<br><div dir='rtl'>" + arabic + "</div><br>", 0), 0u) << body;
    EXPECT_EQ(body.find("Translation"), std::string::npos);
    EXPECT_NE(body.find("Notes:<br>a&lt;b&gt;&amp;&quot;c&quot;&lt;/div&gt;<br>d<br><br><br><br><a href="), std::string::npos)
        << body;
    editor->dismissModalViewControllerAnimated(false);
    root->dismissModalViewControllerAnimated(false);
    settle();

    openEditor(1, 4, 3);
    body = editor->mailBody();
    EXPECT_NE(body.find("<b>Translation</b>:<br>" + ChapterInfo::getTranslationFor(content, 3, 1, 4) + "<br><br>"),
              std::string::npos);
    // Mail from the More sheet lands in a composer with the same body.
    editor->txtView->textView()->resignFirstResponder();
    settle();
    editor->morePressed();
    editor->moreSheet()->clickButtonAtIndex(1);
    settle();
    auto* composer = dynamic_cast<MFMailComposeViewController*>(editor->modalViewController());
    ASSERT_NE(composer, nullptr);
    EXPECT_EQ(composer->message().body, body);
    EXPECT_TRUE(composer->message().subject.empty());
}

}  // namespace

namespace {

TEST_F(NoteEditorTest, AFailedSaveSaysWhyAndKeepsTheNoteInTheEditor) {
    struct Case {
        const char* breakStore;    // what goes wrong
        const char* mendStore;     // undoes it
        const char* reason;        // what the alert says
    };
    const Case cases[] = {
        {"PRAGMA query_only = 1", "PRAGMA query_only = 0", "read-only"},
        {"DROP TABLE bookmarks", nullptr, "damaged"},
    };
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 2, 255, false, 0, std::nullopt));
    const std::string note = "Read again at dawn";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.breakStore);
        openEditor(2, 255);
        editor->txtView->textView()->insertText(note);
        ASSERT_EQ(sqlite3_exec(db(), c.breakStore, nullptr, nullptr, nullptr), SQLITE_OK);
        editor->donePressed();
        settle();
        UIAlertView* alert = shownAlert();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->title(), "Note Not Saved");
        EXPECT_NE(alert->message().find(c.reason), std::string::npos) << alert->message();
        // Still open, with the text, for another try.
        EXPECT_EQ(root->modalViewController(), editor.get());
        EXPECT_EQ(editor->txtView->textView()->text(), note);
        alert->dismissWithClickedButtonIndex(0, false);
        settle();
        if (!c.mendStore) break;
        ASSERT_EQ(sqlite3_exec(db(), c.mendStore, nullptr, nullptr, nullptr), SQLITE_OK);
        editor->donePressed();
        settle();
        EXPECT_EQ(shownAlert(), nullptr);
        EXPECT_EQ(ChapterInfo::getBookmarkNote(db(), 2, 255), note);
        EXPECT_EQ(root->modalViewController(), nullptr);
    }
}

TEST_F(NoteEditorTest, ANoteSavedWhileAnotherProgramHoldsTheDatabaseWaitsInTheEditor) {
    struct Case {
        const char* name;
        double heldSeconds;  // how long the other program keeps its lock after Done
        bool stored;
    };
    const Case cases[] = {
        {"lets go in time", 4, true},
        {"holds past the deadline", PendingUserWrites::kDeadlineSeconds + 1, false},
    };
    const std::string file = str::appendPathComponent(Paths::documents(), "lumenodyn.db");
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 2, 255, false, 0, std::nullopt));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string note = std::string("Read again, ") + c.name;
        ASSERT_TRUE(ChapterInfo::insertBookmarkNote(db(), 2, 255, ""));
        openEditor(2, 255);
        editor->txtView->textView()->insertText(note);
        auto other = std::make_unique<HeldDatabase>(file);
        ASSERT_TRUE(other->holding());
        const CGRect title = screen_touches::displayRect(*editor->lblTitle);
        const screen_pixels::Pixels titleBefore = screen_pixels::grab(backend, title);
        backend.tap(screen_touches::displayCentre(*editor->btnDone));
        // The editor stays, says it waits and keeps the note; the window keeps drawing.
        EXPECT_TRUE(editor->isWaitingToSave());
        EXPECT_EQ(editor->lblTitle->text(), "Waiting to save...");
        EXPECT_GT(screen_pixels::differing(screen_pixels::grab(backend, title), titleBefore), 0.01);
        EXPECT_FALSE(editor->btnDone->isEnabled());
        if (c.stored) {
            EXPECT_TRUE(backend.screenshot(Paths::temp() + "/note-waiting.png"));
        }
        for (double t = 0; t < c.heldSeconds; t += 0.5) {
            settle(500);
            if (c.stored) {
                EXPECT_EQ(root->modalViewController(), editor.get());
            }
        }
        other.reset();
        settle(1000);
        if (c.stored) {
            EXPECT_EQ(shownAlert(), nullptr);
            EXPECT_EQ(ChapterInfo::getBookmarkNote(db(), 2, 255), note);
            EXPECT_EQ(root->modalViewController(), nullptr);
            continue;
        }
        UIAlertView* alert = shownAlert();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->title(), "Note Not Saved");
        EXPECT_NE(alert->message().find("Another program is using \"" + file + "\""), std::string::npos)
            << alert->message();
        EXPECT_NE(alert->message().find("Your note is still in the editor."), std::string::npos);
        EXPECT_EQ(root->modalViewController(), editor.get());
        EXPECT_EQ(editor->txtView->textView()->text(), note);
        EXPECT_FALSE(editor->isWaitingToSave());
        EXPECT_TRUE(editor->btnDone->isEnabled());
        EXPECT_EQ(editor->lblTitle->text(), "Note");
        EXPECT_NE(ChapterInfo::getBookmarkNote(db(), 2, 255), note);
        alert->dismissWithClickedButtonIndex(0, false);
        settle();
    }
}

TEST_F(NoteEditorTest, ANoteForAVerseWhoseBookmarkWentAwayIsNotReportedSaved) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(db(), 2, 255, false, 0, std::nullopt));
    openEditor(2, 255);
    editor->txtView->textView()->insertText("Read again at dawn");
    // Another screen removes the bookmark while the editor is open: the note has no row to go in.
    ASSERT_TRUE(ChapterInfo::deleteBookmark(db(), 2, 255, false));
    editor->donePressed();
    settle();
    UIAlertView* alert = shownAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Note Not Saved");
    EXPECT_EQ(root->modalViewController(), editor.get());
    EXPECT_EQ(editor->txtView->textView()->text(), "Read again at dawn");
    EXPECT_FALSE(ChapterInfo::isBookmarked(db(), 2, 255));
    alert->dismissWithClickedButtonIndex(0, false);
    settle();
}

}  // namespace

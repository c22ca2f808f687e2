// The verse options panel: opening on a long press, bookmarks with and without the group
// question, notes, copying and sending, each dialog acting on the verse it was raised for.

#include "tests/Classes/Reading/panel/PanelFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Classes/Bookmarks/AddBookmarkNote.h"
#include "Classes/Core/PendingUserWrites.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/services/Outbox.h"
#include "platform/services/UIPasteboard.h"
#include "platform/ui/Compositor.h"
#include "tests/support/HeldDatabase.h"
#include "tests/support/ScreenTouches.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> filesIn(const std::string& folder, const std::string& extension) {
    std::vector<std::string> out;
    if (!std::filesystem::exists(folder)) return out;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == extension) out.push_back(e.path().string());
    return out;
}

TEST_F(PanelTest, LongPressOpensThePanelOnThatVerseAndDoneClosesIt) {
    open(2, 1, 3);
    pressVerse(3);
    ASSERT_TRUE(hud().showingDialControl());
    // The pressed row is moved to the top of the display.
    EXPECT_EQ(topVerse(), 3);
    EXPECT_TRUE(screen->showingDialControl());
    EXPECT_EQ(screen->iCurrentVerse(), 3);
    ASSERT_TRUE(hud().mouseLocation().has_value());
    EXPECT_EQ(hud().mouseLocation()->row, screen->verseToRow(3));
    EXPECT_EQ(hud().currentHUDPage(), 0);
    EXPECT_EQ(hud().btnHUDBookmark->titleForState(UIControlStateNormal), "Bookmark");
    EXPECT_FALSE(hud().btnHUDMatches->isEnabled());
    EXPECT_FALSE(hud().viewEmptyNotesPlaceholder->isHidden());
    // Page 1 shows the verse in the panel's own translation.
    EXPECT_EQ(hud().txtHUDTranslation->text(),
              ChapterInfo::getTranslationFor(app->dbConnectionStatic(),
                                             int(NSUserDefaults::standardUserDefaults().integerForKey("HUDTranslation")), 2, 3));
    // A second long press while open does not reopen it elsewhere.
    hud().showDialControlForVerseCell(nullptr, screen->tblVerses.get(), 4, 2);
    EXPECT_EQ(screen->iCurrentVerse(), 3);

    hud().btnHUDCancel->sendActionsForControlEvents(UIControlEventTouchUpInside);
    backend.advance(500);
    backend.runUntilIdle();
    EXPECT_FALSE(hud().showingDialControl());
    EXPECT_FALSE(screen->showingDialControl());
    EXPECT_TRUE(hud().viewAyahDial->isHidden());
}

TEST_F(PanelTest, BookmarkAsksForAGroupUnlessTheSettingSaysNotTo) {
    open(2, 1, 3);
    int posted = 0;
    NSNotificationCenter::defaultCenter().addObserver(this, "BookmarkDidChange", [&] { ++posted; });

    // Never stored: ask. "Memorizing" is group 2.
    pressVerse(3);
    press(hud().btnHUDBookmark);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(sheet()->tag(), SurahOptionsHUD::kBookmarkGroupSheet);
    EXPECT_EQ(sheet()->numberOfButtons(), 5);
    EXPECT_EQ(sheet()->cancelButtonIndex(), 4);
    EXPECT_TRUE(hud().showingDialControl());
    answer(1);
    ASSERT_NE(bookmarkOf(2, 3), nullptr);
    EXPECT_EQ(bookmarkOf(2, 3)->BookmarkGroup(), 2);
    EXPECT_FALSE(hud().showingDialControl());
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("1"));

    // Stored YES: bookmarked at once, without a group (stored as group 0).
    NSUserDefaults::standardUserDefaults().setBool(true, "AskForBookmarkGroup");
    pressVerse(4);
    press(hud().btnHUDBookmark);
    ASSERT_NE(bookmarkOf(2, 4), nullptr);
    EXPECT_EQ(bookmarkOf(2, 4)->BookmarkGroup(), 0);
    EXPECT_FALSE(hud().showingDialControl());
    EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("2"));

    // Cancel in the group sheet bookmarks nothing.
    NSUserDefaults::standardUserDefaults().setBool(false, "AskForBookmarkGroup");
    pressVerse(5);
    press(hud().btnHUDBookmark);
    answer(sheet()->cancelButtonIndex());
    EXPECT_EQ(bookmarkOf(2, 5), nullptr);
    EXPECT_TRUE(hud().showingDialControl());
    NSNotificationCenter::defaultCenter().removeObserver(this);
}

TEST_F(PanelTest, UnbookmarkingANotedVerseConfirmsAndRemovesTheVerseItWasAskedFor) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 2, 3, false, 1, std::string("keep in mind")));
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 2, 4, false, 1, std::string("")));
    open(2, 1, 3);
    EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("2"));
    pressVerse(3);
    EXPECT_EQ(hud().btnHUDBookmark->titleForState(UIControlStateNormal), "Unbookmark");
    EXPECT_TRUE(hud().viewEmptyNotesPlaceholder->isHidden());
    EXPECT_EQ(hud().txtHUDNotesPreview->textView()->text(), "keep in mind");
    press(hud().btnHUDBookmark);
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->tag(), SurahOptionsHUD::kDeleteBookmarkAlert);
    EXPECT_TRUE(hud().showingDialControl());

    // Playback moves the highlight (and the panel) on before the answer comes.
    screen->highlightForPlayingVerse(4, false);
    screen->highlightVerse(4, false);
    EXPECT_EQ(hud().mouseLocation()->row, screen->verseToRow(4));
    EXPECT_FALSE(hud().viewEmptyNotesPlaceholder->isHidden());  // verse 4 has no note
    EXPECT_EQ(screen->iCurrentVerse(), 4);
    answer(1);
    EXPECT_EQ(bookmarkOf(2, 3), nullptr);
    EXPECT_NE(bookmarkOf(2, 4), nullptr);
    EXPECT_FALSE(ChapterInfo::hasBookmarkNote(app->dbConnection(), 2, 3));
    EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("1"));
    EXPECT_FALSE(hud().showingDialControl());
}

TEST_F(PanelTest, UnbookmarkingTheLastBookmarkWithoutANoteClearsTheBadgeAtOnce) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 2, 3, false, 0, std::string("")));
    open(2, 1, 0);
    pressVerse(3);
    press(hud().btnHUDBookmark);
    EXPECT_EQ(hud().lastDialog(), nullptr);
    EXPECT_EQ(bookmarkOf(2, 3), nullptr);
    EXPECT_FALSE(screen->tabBarItem()->badgeValue().has_value());
}

TEST_F(PanelTest, ABookmarkTheStoreRefusesIsAnAlertNotABookmark) {
    enum class Way { AtOnce, FromGroupSheet };
    for (Way way : {Way::AtOnce, Way::FromGroupSheet}) {
        SCOPED_TRACE(static_cast<int>(way));
        open(2, 1, 3);
        NSUserDefaults::standardUserDefaults().setBool(way == Way::AtOnce, "AskForBookmarkGroup");
        pressVerse(3);
        ASSERT_EQ(sqlite3_exec(userDb(), "PRAGMA query_only = 1", nullptr, nullptr, nullptr), SQLITE_OK);
        press(hud().btnHUDBookmark);
        if (way == Way::FromGroupSheet) answer(0);
        backend.runUntilIdle();
        auto* shown = dynamic_cast<UIAlertView*>(UIApplication::sharedApplication().modalBlocker());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->title(), "Bookmark Not Saved");
        EXPECT_NE(shown->message().find("read-only"), std::string::npos) << shown->message();
        EXPECT_FALSE(screen->isVerseBookmarked(3));
        EXPECT_FALSE(arabicRow(3)->isBookmarked());
        EXPECT_FALSE(screen->tabBarItem()->badgeValue().has_value());
        shown->dismissWithClickedButtonIndex(0, false);
        backend.runUntilIdle();
        ASSERT_EQ(sqlite3_exec(userDb(), "PRAGMA query_only = 0", nullptr, nullptr, nullptr), SQLITE_OK);
        EXPECT_EQ(bookmarkOf(2, 3), nullptr);
        hud().hideDialControl();
        backend.advance(500);
        backend.runUntilIdle();
    }
}

TEST_F(PanelTest, ABookmarkTappedWhileAnotherProgramHoldsTheDatabaseShowsAtOnceAndIsStoredWhenItLetsGo) {
    struct Case {
        const char* name;
        double heldSeconds;  // how long the other program keeps its lock after the tap
        bool stored;
    };
    const Case cases[] = {
        {"lets go in time", 5, true},
        {"holds past the deadline", PendingUserWrites::kDeadlineSeconds + 1, false},
    };
    const std::string file = str::appendPathComponent(Paths::documents(), "lumenodyn.db");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(2, 1, 3);
        NSUserDefaults::standardUserDefaults().setBool(true, "AskForBookmarkGroup");
        pressVerse(3);
        auto other = std::make_unique<HeldDatabase>(file);
        ASSERT_TRUE(other->holding());
        backend.tap(screen_touches::displayCentre(*hud().btnHUDBookmark));
        // At once: shown as bookmarked, no alert, the panel closed; the file has no bookmark yet.
        EXPECT_EQ(UIApplication::sharedApplication().modalBlocker(), nullptr);
        EXPECT_FALSE(hud().showingDialControl());
        EXPECT_TRUE(screen->isVerseBookmarked(3));
        EXPECT_TRUE(arabicRow(3)->isBookmarked());
        EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("1"));
        EXPECT_EQ(bookmarkOf(2, 3), nullptr);
        // The window keeps drawing and the bookmark keeps showing while the lock is held.
        for (double t = 0; t < c.heldSeconds; t += 0.5) {
            backend.advance(500);
            if (c.stored) {
                EXPECT_TRUE(arabicRow(3)->isBookmarked());
            }
        }
        other.reset();
        backend.advance(1000);
        backend.runUntilIdle();
        if (c.stored) {
            EXPECT_EQ(UIApplication::sharedApplication().modalBlocker(), nullptr);
            EXPECT_NE(bookmarkOf(2, 3), nullptr);
            EXPECT_TRUE(arabicRow(3)->isBookmarked());
            EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("1"));
            ASSERT_TRUE(ChapterInfo::deleteBookmark(userDb(), 2, 3, false));
            screen->bookmarkDidChange();
        } else {
            auto* shown = dynamic_cast<UIAlertView*>(UIApplication::sharedApplication().modalBlocker());
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(shown->title(), "Bookmark Not Saved");
            EXPECT_NE(shown->message().find("Another program is using \"" + file + "\""), std::string::npos)
                << shown->message();
            // Told, the screen shows what the file holds again.
            EXPECT_EQ(bookmarkOf(2, 3), nullptr);
            EXPECT_FALSE(screen->isVerseBookmarked(3));
            EXPECT_FALSE(arabicRow(3)->isBookmarked());
            EXPECT_FALSE(screen->tabBarItem()->badgeValue().has_value());
            shown->dismissWithClickedButtonIndex(0, false);
            backend.runUntilIdle();
        }
    }
}

TEST_F(PanelTest, NoteIsWrittenSavedAndShownInThePanelAndAsTheNotesTranslation) {
    open(2, 1, 3);
    pressVerse(3);
    press(hud().btnHUDNote);
    // Not bookmarked before: the editor opens; the bookmark comes with the saved note.
    EXPECT_EQ(bookmarkOf(2, 3), nullptr);
    EXPECT_FALSE(hud().showingDialControl());
    auto* editor = dynamic_cast<AddBookmarkNote*>(screen->modalViewController());
    ASSERT_NE(editor, nullptr);
    backend.advance(500);
    backend.runUntilIdle();
    EXPECT_EQ(editor->surah(), 2);
    EXPECT_EQ(editor->verse(), 3);
    // A new note opens with the keyboard up.
    EXPECT_TRUE(editor->txtView->textView()->isFirstResponder());
    editor->txtView->textView()->insertText("Patience & prayer");
    int posted = 0;
    NSNotificationCenter::defaultCenter().addObserver(this, "BookmarkDidChange", [&] { ++posted; });
    editor->donePressed();
    backend.advance(800);
    backend.runUntilIdle();
    NSNotificationCenter::defaultCenter().removeObserver(this);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(screen->modalViewController(), nullptr);
    EXPECT_EQ(ChapterInfo::getBookmarkNote(app->dbConnection(), 2, 3), "Patience & prayer");
    ASSERT_NE(bookmarkOf(2, 3), nullptr);
    EXPECT_EQ(bookmarkOf(2, 3)->BookmarkGroup(), 0);
    EXPECT_EQ(screen->tabBarItem()->badgeValue(), std::optional<std::string>("1"));

    pressVerse(3);
    EXPECT_FALSE(hud().txtHUDNotesPreview->isHidden());
    EXPECT_EQ(hud().txtHUDNotesPreview->textView()->text(), "Patience & prayer");
    hud().hideDialControl();

    open(2, 3, 1000);
    EXPECT_EQ(screen->getTranslationForSurah(2, 2), "Patience & prayer");
}

TEST_F(PanelTest, ANoteTheStoreRefusesLeavesNoEmptyBookmarkBehind) {
    open(2, 1, 3);
    pressVerse(3);
    press(hud().btnHUDNote);
    auto* editor = dynamic_cast<AddBookmarkNote*>(screen->modalViewController());
    ASSERT_NE(editor, nullptr);
    backend.advance(500);
    backend.runUntilIdle();
    // Nothing is written while the note is being typed.
    EXPECT_EQ(bookmarkOf(2, 3), nullptr);
    editor->txtView->textView()->insertText("Patience");
    ASSERT_EQ(sqlite3_exec(userDb(), "PRAGMA query_only = 1", nullptr, nullptr, nullptr), SQLITE_OK);
    editor->donePressed();
    backend.runUntilIdle();
    auto* shown = dynamic_cast<UIAlertView*>(UIApplication::sharedApplication().modalBlocker());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->title(), "Note Not Saved");
    shown->dismissWithClickedButtonIndex(0, false);
    backend.runUntilIdle();
    ASSERT_EQ(sqlite3_exec(userDb(), "PRAGMA query_only = 0", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(bookmarkOf(2, 3), nullptr);
    EXPECT_FALSE(arabicRow(3)->isBookmarked());
    EXPECT_FALSE(screen->tabBarItem()->badgeValue().has_value());
    // The note is still in the editor; deleting it leaves nothing behind either.
    EXPECT_EQ(screen->modalViewController(), editor);
    editor->deletePressed();
    editor->lastAlert()->clickButtonAtIndex(1);
    backend.advance(800);
    backend.runUntilIdle();
    EXPECT_EQ(screen->modalViewController(), nullptr);
    EXPECT_EQ(bookmarkOf(2, 3), nullptr);
}

TEST_F(PanelTest, CopyPutsTheChosenTextOnTheClipboard) {
    struct Case {
        int translation;
        int index;
        std::string expected;  // "A" Arabic, "T" translation, "AT" both, else literal
    };
    const int web = ChapterInfo::getWebsiteTransCodeFrom(3);
    const Case cases[] = {
        {0, 0, "A"},
        {0, 1, "lumeno://2:3"},
        {0, 2, "http://www.lumeno.app/chapter_display-chapter-2-translator-" + std::to_string(ChapterInfo::getWebsiteTransCodeFrom(0)) + ".htm#3"},
        {3, 0, "A"},
        {3, 1, "T"},
        {3, 2, "AT"},
        {3, 3, "lumeno://2:3:3"},
        {3, 4, "http://www.lumeno.app/chapter_display-chapter-2-translator-" + std::to_string(web) + ".htm#3"},
    };
    sqlite3* content = app->dbConnectionStatic();
    const std::string arabic = ChapterInfo::getArabicVerseFor(content, 2, 3);
    const std::string translation = ChapterInfo::getTranslationFor(content, 3, 2, 3);
    ASSERT_FALSE(arabic.empty());
    ASSERT_FALSE(translation.empty());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "translation " << c.translation << " choice " << c.index);
        open(2, 1, c.translation);
        pressVerse(3);
        press(hud().btnHUDCopy);
        ASSERT_NE(sheet(), nullptr);
        EXPECT_EQ(sheet()->numberOfButtons(), c.translation ? 6 : 4);
        answer(c.index);
        const std::string expected = c.expected == "A" ? arabic : c.expected == "T" ? translation
                                     : c.expected == "AT" ? arabic + "\n\n" + translation : c.expected;
        EXPECT_EQ(UIPasteboard::generalPasteboard().valueForPasteboardType("public.utf8-plain-text"), expected);
        EXPECT_FALSE(hud().showingDialControl());
    }
}

TEST_F(PanelTest, MailLandsInTheOutboxWithoutSubjectAndWithEscapedHTML) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 2, 3, false, 0, std::string("a<b> & </div>\nnext")));
    open(2, 1, 1000);
    pressVerse(3);
    EXPECT_TRUE(hud().btnHUDEmail->isEnabled());
    press(hud().btnHUDEmail);
    ASSERT_NE(sheet(), nullptr);
    EXPECT_EQ(sheet()->tag(), SurahOptionsHUD::kEmailSheet);
    answer(2);
    auto* composer = dynamic_cast<MFMailComposeViewController*>(screen->modalViewController());
    ASSERT_NE(composer, nullptr);
    const std::string body = composer->message().body;
    EXPECT_TRUE(composer->message().isHTML);
    EXPECT_EQ(body.rfind("<b>Surah 2. ", 0), 0u) << body;
    EXPECT_NE(body.find("a&lt;b&gt; &amp; &lt;/div&gt;<br>next"), std::string::npos) << body;
    EXPECT_EQ(body.find("a<b>"), std::string::npos);
    EXPECT_NE(body.find("<div dir='rtl'>" + ChapterInfo::getArabicVerseFor(app->dbConnectionStatic(), 2, 3)), std::string::npos);
    EXPECT_NE(body.find("<br><br><b>Translation</b>:<br>"), std::string::npos);

    const auto before = filesIn(Outbox::folder(), ".eml").size();
    composer->send();
    backend.advance(800);
    backend.runUntilIdle();
    const auto mails = filesIn(Outbox::folder(), ".eml");
    ASSERT_EQ(mails.size(), before + 1);
    const std::string written = readFile(mails.back());
    EXPECT_EQ(written.find("Subject: "), std::string::npos) << written.substr(0, 400);
    EXPECT_NE(written.find("&lt;/div&gt;"), std::string::npos);
    EXPECT_EQ(screen->modalViewController(), nullptr);
}

TEST_F(PanelTest, WithoutATranslationSendingUsesTheArabicTextAtOnce) {
    open(2, 1, 0);
    pressVerse(3);
    press(hud().btnHUDSMS);
    auto* message = dynamic_cast<MFMessageComposeViewController*>(screen->modalViewController());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->body(), ChapterInfo::getArabicVerseFor(app->dbConnectionStatic(), 2, 3));
    hud().messageComposeViewController(*message, MessageComposeResultFailed);
    backend.advance(800);
    backend.runUntilIdle();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "SMS Not Sent");

    MFMailComposeViewController::setCanSendMailForTesting(false);
    hud().refreshHUDButtons();
    EXPECT_FALSE(hud().btnHUDEmail->isEnabled());
    hud().emailText("x");
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Email Not Setup");
}

TEST_F(PanelTest, OtherAppsOpenThroughTheirLinksOrReportNotInstalled) {
    open(2, 1, 3);
    pressVerse(3);
    press(hud().btnHUDTallowmir);
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Tallowmir Not Installed");
    hud().lastDialog()->dismissWithClickedButtonIndex(0, false);

    press(hud().btnHUDTweet);  // the Share button
    EXPECT_EQ(sheet()->tag(), SurahOptionsHUD::kShareSheet);
    answer(1);
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Twitter Not Installed");
    hud().lastDialog()->dismissWithClickedButtonIndex(0, false);

    setSchemes({"tallowmirlog", "twitterrific"});
    opened.clear();
    press(hud().btnHUDTallowmir);
    EXPECT_EQ(opened, std::vector<std::string>{"tallowmirlog://2:3"});

    // Tweet the translation; a long Arabic verse would be replaced by its search text.
    press(hud().btnHUDTweet);
    answer(1);
    ASSERT_EQ(sheet()->tag(), SurahOptionsHUD::kTweetSheet);
    opened.clear();
    answer(sheet()->cancelButtonIndex());
    EXPECT_TRUE(opened.empty());
    press(hud().btnHUDTweet);
    answer(1);
    answer(1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].rfind("twitterrific://post?message=", 0), 0u);
    EXPECT_NE(opened[0].find("2%3A3"), std::string::npos) << opened[0];
}

TEST_F(PanelTest, UrlencodeEscapesItsEighteenCharacters) {
    EXPECT_EQ(SurahOptionsHUD::urlencode(";/?:@&=+$,[]#!'()* %a"),
              "%3B%2F%3F%3A%40%26%3D%2B%24%2C%5B%5D%23%21%27%28%29%2A %a");
}

TEST_F(PanelTest, RotationIsRefusedWhileThePanelIsOpenAndOtherwiseRelaysTheScreen) {
    open(2, 1, 3);
    EXPECT_TRUE(screen->canTurnLandscape(UIInterfaceOrientationLandscapeRight));
    pressVerse(3);
    EXPECT_FALSE(screen->canTurnLandscape(UIInterfaceOrientationLandscapeRight));
    EXPECT_FALSE(UIViewController::rotateInterfaceTo(*window, UIInterfaceOrientationLandscapeRight));
    EXPECT_FALSE(screen->IsInLandscape());
    hud().hideDialControl();
    EXPECT_TRUE(screen->canTurnLandscape(UIInterfaceOrientationLandscapeRight));

    // A turn hides the table during the turn and fades it back in; the layout follows.
    const int top = topVerse();
    EXPECT_TRUE(UIViewController::rotateInterfaceTo(*window, UIInterfaceOrientationLandscapeRight));
    backend.advance(1000);
    backend.runUntilIdle();
    EXPECT_TRUE(screen->IsInLandscape());
    EXPECT_FALSE(screen->isRotating());
    EXPECT_EQ(screen->tblVerses->alpha(), 1);
    EXPECT_EQ(topVerse(), top);
    // The panel opened in landscape takes the landscape layout.
    pressVerse(3);
    EXPECT_EQ(hud().viewScrollHUD->frame(), CGRectMake(0, 80, 480, 217));
    EXPECT_EQ(hud().btnHUDBookmark->frame(), CGRectMake(384, 20, 96, 66));
    hud().hideDialControl();
    // Laying out during the initial set-up leaves the table visible.
    EXPECT_TRUE(screen->prepareForPortraitWithAnimation(false, true));
    EXPECT_EQ(screen->tblVerses->alpha(), 1);
    EXPECT_FALSE(screen->IsInLandscape());
}

// Opened on a turned phone: the note strip spans the screen above the panel, with its
// placeholder inside it.
TEST_F(PanelTest, InLandscapeTheNoteStripSpansTheScreenAboveThePanel) {
    open(2, 1, 3);
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.advance(1000);
    backend.runUntilIdle();
    ASSERT_TRUE(screen->IsInLandscape());
    screen->tblVerses->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(screen->verseToRow(3), 0),
                                              UITableViewScrollPositionTop, false);
    backend.runUntilIdle();
    backend.touchDown(7, Compositor::displayPointFromScreenPoint(pointInRow(3)));
    backend.advance(600);
    backend.touchCancel(7);
    backend.advance(500);
    backend.runUntilIdle();
    ASSERT_TRUE(screen->showingDialControl());
    // (The harness has no tab shell to turn the panel with the screen: its parts are checked
    // against the strip rather than on the display.)
    const CGRect strip = hud().viewHUDNotesContainer->bounds();
    EXPECT_EQ(strip.size, CGSizeMake(460, 70));
    for (const auto& part : hud().viewHUDNotesContainer->subviews()) EXPECT_EQ(part->frame(), strip);
    const CGRect placeholder = hud().lblHUDEmptyNotesPlaceHolder->convertRectToView(
        hud().lblHUDEmptyNotesPlaceHolder->bounds(), hud().viewHUDNotesContainer.get());
    EXPECT_TRUE(CGRectContainsRect(strip, placeholder));
    EXPECT_NEAR(CGRectGetMidY(placeholder), CGRectGetMidY(strip), 1);
}

TEST_F(PanelTest, RendersBothPagesAndTheNoteEditor) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 2, 3, false, 0, std::string("Remember this verse")));
    NSUserDefaults::standardUserDefaults().setInteger(5, "HUDTranslation");
    open(2, 1, 3);
    pressVerse(3);
    backend.advance(500);
    backend.runUntilIdle();
    const std::string dir = Paths::temp();
    ASSERT_TRUE(backend.screenshot(dir + "/panel-page0.png"));
    // The panel's lower part is the dark panel background, not the verse table.
    const auto p = backend.pixelAt(CGPoint{160, 300});
    EXPECT_LT(p.r + p.g + p.b, 400);
    press(hud().btnHUDTranslation);
    backend.advance(800);
    backend.runUntilIdle();
    EXPECT_EQ(hud().currentHUDPage(), 1);
    EXPECT_DOUBLE_EQ(hud().viewScrollHUD->contentOffset().x, hud().viewScrollHUD->frame().size.width);
    ASSERT_TRUE(backend.screenshot(dir + "/panel-page1.png"));
    hud().showTranslationPicker();
    window->addSubview(hud().pickTranslationView()->viewPtr());
    backend.advance(500);
    backend.runUntilIdle();
    ASSERT_TRUE(backend.screenshot(dir + "/panel-picker.png"));
    hud().translationPickerCancelled();
    backend.advance(500);
    backend.runUntilIdle();
    EXPECT_EQ(hud().pickTranslationView(), nullptr);
    press(hud().btnHUDNote);
    backend.advance(800);
    backend.runUntilIdle();
    ASSERT_TRUE(backend.screenshot(dir + "/note-editor.png"));
    if (const char* keep = std::getenv("LUMENO_KEEP_SHOTS"))
        for (const char* name : {"panel-page0.png", "panel-page1.png", "panel-picker.png", "note-editor.png"})
            std::filesystem::copy_file(dir + "/" + name, std::string(keep) + "/" + name,
                                       std::filesystem::copy_options::overwrite_existing);
}

}  // namespace

namespace {

TEST_F(PanelTest, IdleCheckLetsTheDeviceSleepAfterThreeMinutesWithoutActivity) {
    open(2, 1, 3);
    ASSERT_TRUE(screen->viewIsVisible());
    EXPECT_FALSE(LumenoSDKAppDelegate::isSleepEnabled());  // held while the screen shows
    // Checks run every 30 s: the one at 180 s finds just under three minutes idle.
    backend.advance(180 * 1000);
    backend.runUntilIdle();
    EXPECT_FALSE(LumenoSDKAppDelegate::isSleepEnabled());
    backend.advance(30 * 1000);
    backend.runUntilIdle();
    EXPECT_TRUE(LumenoSDKAppDelegate::isSleepEnabled());
    // Opening the panel is activity: the next check holds sleep off again.
    pressVerse(3);
    backend.advance(31 * 1000);
    backend.runUntilIdle();
    EXPECT_FALSE(LumenoSDKAppDelegate::isSleepEnabled());
}

TEST_F(PanelTest, NoteIconOpensTheEditorForThatVerse) {
    ASSERT_TRUE(ChapterInfo::insertBookmark(app->dbConnection(), 2, 4, false, 0, std::string("n")));
    open(2, 1, 3);
    pressVerse(3);
    screen->SurahViewController::showNotesViewForVerse(4);
    EXPECT_FALSE(hud().showingDialControl());
    auto* editor = dynamic_cast<AddBookmarkNote*>(screen->modalViewController());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->verse(), 4);
}

}  // namespace

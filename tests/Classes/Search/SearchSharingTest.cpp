// Sharing from the search screen: a held hit's sheet (mail, SMS), mailing every result, and
// marking the shown search's hits from the More sheet.

#include "tests/Classes/Search/SearchFixture.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Search/SearchViewCell.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/services/MFMailComposeViewController.h"
#include "platform/services/MFMessageComposeViewController.h"

namespace {

class SearchSharingTest : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        MFMailComposeViewController::setCanSendMailForTesting(true);
    }
    void TearDown() override {
        MFMailComposeViewController::setCanSendMailForTesting(std::nullopt);
        MFMessageComposeViewController::setCanSendTextForTesting(std::nullopt);
        SearchTest::TearDown();
    }
};

NSUserDefaults& defaults() { return NSUserDefaults::standardUserDefaults(); }

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST_F(SearchSharingTest, AVerseMailCarriesTheTranslationInUseEscapedAndRightToLeftWhereItReads) {
    struct Case {
        int translation;
        int rtlBlocks;
        bool translated;
    } cases[] = {{0, 1, false}, {3, 1, true}, {15, 2, true}};
    for (const Case& c : cases) {
        defaults().setInteger(c.translation, "CurrentTranslationv22");
        const std::string html = SearchViewController::htmlForVerse(19, 7);
        EXPECT_EQ(html.rfind("<b>Surah 19, Verse 7</b>:<br><div dir='rtl'>", 0), 0u) << html;
        EXPECT_EQ(occurrences(html, "<div dir='rtl'>"), c.rtlBlocks) << c.translation;
        EXPECT_EQ(html.find("<b>Translation</b>:") != std::string::npos, c.translated) << c.translation;
        // No raw quote of the verse texts reaches the mark-up.
        EXPECT_EQ(occurrences(html, "\""), 0) << html;
    }
    defaults().setInteger(3, "CurrentTranslationv22");
    EXPECT_NE(SearchViewController::htmlForVerse(19, 7).find("&quot;O Zechariah"), std::string::npos);
    const std::string sms = SearchViewController::textForVerse(19, 7);
    EXPECT_EQ(sms.rfind("Surah 19, Verse 7:\n\n", 0), 0u);
    EXPECT_NE(sms.find("\"O Zechariah"), std::string::npos);
}

TEST_F(SearchSharingTest, AHeldHitOffersMailAndTextAndTheReleaseOpensNothing) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "Zechariah");
    UITableView& table = *screen.tblSearchResults;
    const NSIndexPath held{2, 1};
    table.scrollToRowAtIndexPath(held, UITableViewScrollPositionMiddle, false);
    settle();
    backend.longPress(screenCentre(table, table.rectForRowAtIndexPath(held)), 1.0);
    settle();
    ASSERT_NE(screen.actionSheet(), nullptr);
    EXPECT_EQ(screen.actionSheet()->title(), "Sura 19, Aya 7");
    EXPECT_EQ(screen.selectedCell(), held);
    EXPECT_TRUE(app->opened.empty());

    screen.actionSheet()->clickButtonAtIndex(0);
    settle();
    auto* mail = dynamic_cast<MFMailComposeViewController*>(tabs->modalViewController());
    ASSERT_NE(mail, nullptr);
    EXPECT_NE(mail->message().body.find("<b>Surah 19, Verse 7</b>"), std::string::npos);
    EXPECT_NE(mail->message().body.find("via Lumeno</a><br><br>"), std::string::npos);
    EXPECT_FALSE(screen.selectedCell());
    mail->cancel();
    settle();
    EXPECT_EQ(tabs->modalViewController(), nullptr);

    MFMessageComposeViewController::setCanSendTextForTesting(false);
    screen.tapAndHoldRow(dynamic_cast<SearchViewCell*>(table.cellForRowAtIndexPath(held)));
    screen.actionSheet()->clickButtonAtIndex(1);
    settle();
    ASSERT_NE(screen.lastAlert(), nullptr);
    EXPECT_EQ(screen.lastAlert()->title(), "Cannot Send SMS");
}

TEST_F(SearchSharingTest, TheMoreSheetMailsEveryHitAndMarksTheShownSearch) {
    SearchViewController& screen = launchIntoSearch();
    search(screen, "Zechariah");
    screen.sectionViews()[1]->btnCollapsePressed();
    settle();

    screen.btnMorePressed();
    ASSERT_NE(screen.actionSheet(), nullptr);
    EXPECT_EQ(screen.actionSheet()->buttonTitleAtIndex(1), "Highlight Results");
    screen.actionSheet()->clickButtonAtIndex(0);
    settle();
    auto* mail = dynamic_cast<MFMailComposeViewController*>(tabs->modalViewController());
    ASSERT_NE(mail, nullptr);
    const std::string& body = mail->message().body;
    EXPECT_EQ(body.rfind("I would like to share the following Qur&#39;anic verses with you:<br><br>", 0), 0u) << body;
    // The collapsed chapter's hit is there too.
    EXPECT_EQ(occurrences(body, "<br><hr><br>"), 7);
    EXPECT_NE(body.find("<b>Surah 6, Verse 85</b>"), std::string::npos);
    mail->cancel();
    settle();

    screen.btnMorePressed();
    screen.actionSheet()->clickButtonAtIndex(1);
    settle();
    EXPECT_EQ(markCount(), 7);
    EXPECT_TRUE(ChapterInfo::isReflectedSearch(db(), 21, 89));
    screen.btnMorePressed();
    EXPECT_EQ(screen.actionSheet()->buttonTitleAtIndex(1), "Unhighlight Results");
    screen.actionSheet()->clickButtonAtIndex(1);
    settle();
    EXPECT_EQ(markCount(), 0);
}

}  // namespace

// Translation row heights and font sizes.

#include <gtest/gtest.h>

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "Classes/Reading/TranslationMeta.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"

namespace {

struct SizeCase {
    int translator;
    int sizes[6];  // indexes 0..4 and 7
};

class TranslationFontSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(TranslationFontSizeTest, FollowsTheTableForEveryIndex) {
    const SizeCase& c = GetParam();
    const int indexes[] = {0, 1, 2, 3, 4, 7};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(TranslationMeta::fontSizeFor(c.translator, indexes[i]), c.sizes[i])
            << "translation " << c.translator << " index " << indexes[i];
}

INSTANTIATE_TEST_SUITE_P(Groups, TranslationFontSizeTest,
                         ::testing::Values(SizeCase{15, {17, 19, 21, 23, 26, 19}}, SizeCase{36, {17, 19, 21, 23, 26, 19}},
                                           SizeCase{22, {16, 18, 20, 22, 24, 18}}, SizeCase{31, {16, 18, 20, 22, 24, 18}},
                                           SizeCase{27, {15, 17, 19, 21, 23, 17}}, SizeCase{38, {15, 17, 19, 21, 23, 17}},
                                           SizeCase{5, {12, 14, 16, 19, 21, 14}}, SizeCase{10, {12, 14, 16, 19, 21, 14}},
                                           SizeCase{1000, {12, 14, 16, 19, 21, 14}}));

class TranslationMetaTest : public ::testing::Test {
protected:
    void SetUp() override {
        LumenoSDKAppDelegate::resetCachedFactsForTesting();
        NSUserDefaults::standardUserDefaults().setInteger(1, "TranslationFontSize");
    }
    static int measured(const std::string& text, int size, double width) {
        return static_cast<int>(
            sizeWithFont(text, *UIFont::fontWithName("Helvetica", size), CGSize{width, 100000}, UILineBreakModeWordWrap).height);
    }
};

TEST_F(TranslationMetaTest, HeightIsTheMeasuredTextPlusPaddingPerOrientation) {
    const std::string text =
        "Allah - there is no deity except Him, the Ever-Living, the Sustainer of existence. Neither drowsiness "
        "overtakes Him nor sleep.";
    TranslationMeta meta(text, 3, 2, 255, false);
    const int portrait = measured(text, 14, 240);
    const int landscape = measured(text, 14, 400);
    ASSERT_GT(portrait, landscape);  // the narrower label wraps into more lines
    EXPECT_EQ(meta.Height(), portrait + 15);
    EXPECT_EQ(meta.LandscapeHeight(), landscape + 15);
}

TEST_F(TranslationMetaTest, HeightsAreKeptUntilReset) {
    TranslationMeta meta("short", 3, 1, 1, false);
    const int first = meta.Height();
    meta.setTranslation(std::string(400, 'w') + " and many more words to wrap over several lines of the label");
    EXPECT_EQ(meta.Height(), first);
    meta.ResetHeights();
    EXPECT_GT(meta.Height(), first);
}

TEST_F(TranslationMetaTest, EmptyTextsAndUnmeasuredRecords) {
    EXPECT_EQ(TranslationMeta("", 3, 1, 1, false).Height(), 0);            // not 15
    EXPECT_EQ(TranslationMeta("", 1000, 1, 1, false).Height(), -1);        // an empty note
    EXPECT_EQ(TranslationMeta("text", 3, 0, 1, false).Height(), -1);       // chapter 0 is never measured
    EXPECT_GT(TranslationMeta("my note", 1000, 1, 1, false).Height(), 15);
}

TEST_F(TranslationMetaTest, EstimatesComeNearTheMeasureAndGiveWayToIt) {
    struct Case {
        std::string text;
        bool landscape;
    };
    const std::string verse =
        "Those messengers - some of them We caused to exceed others. Among them were those to whom Allah spoke, "
        "and He raised some of them in degree. And We gave Jesus, the son of Mary, clear proofs and supported him "
        "with the Pure Spirit.";
    for (const Case& c : {Case{verse, false}, Case{verse, true}, Case{"Alif, Lam, Meem.", false},
                          Case{"\xe5\xa5\xb9\xe4\xbb\xac\xe6\x98\xaf\xe9\x81\xb5\xe5\xbe\xaa\xe4\xbb\x96\xe4\xbb\xac\xe7\x9a\x84"
                               "\xe4\xb8\xbb\xe7\x9a\x84\xe6\x8c\x87\xe5\xaf\xbc\xe7\x9a\x84\xe4\xba\xba\xe3\x80\x82",
                               false}}) {
        TranslationMeta unmeasured(c.text, 3, 2, 253, false);
        const int estimate = unmeasured.EstimatedHeight(c.landscape);
        const int exact = c.landscape ? unmeasured.LandscapeHeight() : unmeasured.Height();
        EXPECT_NEAR(estimate, exact, exact * 0.4) << c.text;
        // Once measured (by this record or another of the same text), the estimate is the measure.
        EXPECT_EQ(unmeasured.EstimatedHeight(c.landscape), exact);
        EXPECT_EQ(TranslationMeta(c.text, 3, 2, 253, false).EstimatedHeight(c.landscape), exact);
    }
    EXPECT_EQ(TranslationMeta("", 1000, 1, 1, false).EstimatedHeight(false), -1);
    EXPECT_EQ(TranslationMeta("", 3, 1, 1, false).EstimatedHeight(false), 0);
}

TEST_F(TranslationMetaTest, TransliterationMeasuresEachStyleTagAsOneLetter) {
    TranslationMeta meta("<b>Bismi</b> <i>Allahi</i> <u>x</u> <span>y</span>", 10, 1, 1, false);
    EXPECT_EQ(meta.getSimpleTransliteration(), "WBismiW WAllahiW WxW <span>y</span>");
    EXPECT_EQ(TranslationMeta("<b>a</b>", 3, 1, 1, false).getSimpleTransliteration(), "<b>a</b>");
}

}  // namespace

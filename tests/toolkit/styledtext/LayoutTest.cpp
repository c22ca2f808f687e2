// Styled text layout with the sans-serif test font at 14 points: words on lines, breaks,
// over-wide words, floats, boxes, links, inline boxes split over lines and right-to-left text.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/text/StringDrawing.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTTextStyle.h"
#include "toolkit/styledtext/TTStyledImageNode.h"
#include "toolkit/styledtext/TTStyledText.h"
#include "toolkit/styledtext/TTWordMeasure.h"

namespace {

class LayoutSheet : public TTDefaultStyleSheet {
public:
    const Builder* builderNamed(const std::string& name) const override {
        static const Registry own = {
            {"floater", [](TTStyleSheet&, int) -> TTStylePtr {
                 return TTBoxStyle::styleWithMargin(UIEdgeInsetsMake(0, 0, 0, 5), {}, {}, TTPositionFloatLeft, nullptr);
             }},
            {"spaced", [](TTStyleSheet&, int) -> TTStylePtr {
                 return TTBoxStyle::styleWithMargin(UIEdgeInsetsMake(10, 10, 10, 10), {}, CGSizeMake(0, 30),
                                                    TTPositionStatic, nullptr);
             }},
            {"padded", [](TTStyleSheet&, int) -> TTStylePtr {
                 return TTBoxStyle::styleWithPadding(UIEdgeInsetsMake(2, 3, 2, 3),
                                                     TTSolidFillStyle::styleWithColor(UIColor::yellowColor(), nullptr));
             }},
            {"big", [](TTStyleSheet&, int) -> TTStylePtr {
                 return TTTextStyle::styleWithFont(UIFont::systemFontOfSize(20), nullptr);
             }},
        };
        auto it = own.find(name);
        return it != own.end() ? &it->second : TTDefaultStyleSheet::builderNamed(name);
    }
};

class StyledLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { TTStyleSheet::setGlobalStyleSheet(std::make_shared<LayoutSheet>()); }
    void TearDown() override { TTStyleSheet::setGlobalStyleSheet(nullptr); }

    TTStyledTextPtr layOut(const std::string& markup, CGFloat width) {
        TTStyledTextPtr text = TTStyledText::textFromXHTML(markup, false, false);
        EXPECT_TRUE(text) << markup;
        text->setFont(font);
        text->setWidth(width);
        return text;
    }
    // Every text frame in document order.
    static std::vector<TTStyledTextFrame*> textFrames(TTStyledFrame* frame) {
        std::vector<TTStyledTextFrame*> out;
        for (; frame; frame = frame->nextFrame().get()) {
            if (auto* text = dynamic_cast<TTStyledTextFrame*>(frame)) out.push_back(text);
            if (auto* box = dynamic_cast<TTStyledBoxFrame*>(frame)) {
                auto inner = textFrames(box->firstChildFrame().get());
                out.insert(out.end(), inner.begin(), inner.end());
            }
        }
        return out;
    }
    CGFloat widthOf(const std::string& word) const { return TTWordMeasure::sizeOf(word, *font, 0).width; }

    UIFontPtr font = UIFont::fontWithName("Helvetica", 14);
    // A line holding words is as high as a measured word; an empty line as the font's line.
    CGFloat line = sizeWithFont("x", *font, CGSizeMake(1e6, 1e6)).height;
};

TEST_F(StyledLayoutTest, WordsShareALineUntilTheNextDoesNotFit) {
    auto text = layOut("<span>x</span>aaa bbb", 1000);
    auto frames = textFrames(text->rootFrame().get());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1]->text(), "aaa bbb");
    EXPECT_NEAR(frames[1]->width(), widthOf("aaa ") + widthOf("bbb"), 0.01);
    EXPECT_NEAR(frames[1]->height(), line, 0.01);

    const std::string sentence = "In the name of God the Entirely Merciful the Especially Merciful";
    auto wrapped = layOut("<span>x</span> " + sentence, 120);
    frames = textFrames(wrapped->rootFrame().get());
    ASSERT_GT(frames.size(), 3u);
    std::string joined;
    for (size_t i = 1; i < frames.size(); ++i) {
        joined += frames[i]->text();
        EXPECT_LE(frames[i]->x() + frames[i]->width(), 120.01) << frames[i]->text();
        if (i > 1) {
            EXPECT_EQ(frames[i]->x(), 0) << frames[i]->text();
            EXPECT_NEAR(frames[i]->y() - frames[i - 1]->y(), line, 0.01);
        }
    }
    EXPECT_EQ(joined, " " + sentence);
    EXPECT_EQ(wrapped->height(), line * (frames.size() - 1));
}

TEST_F(StyledLayoutTest, AWordWiderThanTheLineTakesALineOfItsOwnUnsplit) {
    auto text = layOut("<span>x</span> incomprehensibilities y", 40);
    auto frames = textFrames(text->rootFrame().get());
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[2]->text(), "incomprehensibilities ");
    EXPECT_GT(frames[2]->width(), 40);
    EXPECT_EQ(frames[2]->x(), 0);
    EXPECT_EQ(frames[3]->text(), "y");
    EXPECT_NEAR(frames[3]->y(), frames[2]->y() + frames[2]->height(), 0.01);

    // Laid out with no width, the first word's width becomes the width the rest wraps in.
    auto unbounded = layOut("<span>wide</span> a b c", 0);
    frames = textFrames(unbounded->rootFrame().get());
    EXPECT_EQ(frames.front()->text(), "wide");
    EXPECT_GT(unbounded->height(), line);
}

TEST_F(StyledLayoutTest, LineBreaksEndLinesAndASecondLeavesABlankLine) {
    struct Case { const char* markup; int lines, blankLines; };
    const Case cases[] = {{"a<br/>b", 2, 0}, {"a<br/><br/>b", 2, 1}, {"<br/>a", 1, 0}, {"a<br/>", 1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(layOut(c.markup, 200)->height(), std::ceil(line * c.lines + tt::lineHeight(*font) * c.blankLines))
            << c.markup;
}

TEST_F(StyledLayoutTest, ALeftFloatPushesTheLinesBesideItToTheRight) {
    auto text = layOut("<span class=\"floater\">F</span>one two three four five six seven eight nine ten eleven "
                       "twelve thirteen fourteen",
                       120);
    auto frames = textFrames(text->rootFrame().get());
    ASSERT_GT(frames.size(), 4u);
    EXPECT_EQ(frames[0]->text(), "F");
    const CGFloat floatWidth = widthOf("F");
    EXPECT_NEAR(frames[1]->x(), floatWidth, 0.01);      // the rest of the float's line
    EXPECT_NEAR(frames[2]->x(), floatWidth + 5, 0.01);  // the next line, beside the float and its margin
    EXPECT_EQ(frames[3]->x(), 0);                       // below the float
}

TEST_F(StyledLayoutTest, BoxStylesAddMarginsAndAMinimumHeight) {
    auto text = layOut("<div class=\"spaced\"></div>", 200);
    EXPECT_EQ(text->height(), 50);
    auto* box = dynamic_cast<TTStyledBoxFrame*>(text->rootFrame().get());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->bounds(), CGRectMake(10, 10, 180, 30));
}

TEST_F(StyledLayoutTest, LinksTakeTheLinkStyleAndBoldAndStyledFontsNest) {
    auto text = layOut("<a href=\"x\">link</a> <span class=\"big\">big <b>bold</b></span> after", 300);
    auto* link = dynamic_cast<TTStyledInlineFrame*>(text->rootFrame().get());
    ASSERT_TRUE(link);
    EXPECT_EQ(link->style(), TTStyleSheet::globalStyleSheet()->styleWithSelector("linkText:"));
    auto frames = textFrames(text->rootFrame().get());
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_TRUE(frames[0]->font()->isBold());
    EXPECT_EQ(frames[0]->font()->pointSize(), 14);
    EXPECT_EQ(frames[2]->font()->pointSize(), 20);
    EXPECT_TRUE(frames[3]->font()->isBold());
    EXPECT_EQ(frames[3]->font()->pointSize(), 20);
    EXPECT_FALSE(frames[4]->font()->isBold());
    EXPECT_EQ(frames[4]->font()->pointSize(), 14);
}

TEST_F(StyledLayoutTest, AnInlineBoxSplitOverLinesGivesLinkedPiecesWithItsPadding) {
    auto text = layOut("<span class=\"padded\">one two three four five six</span>", 60);
    auto* first = dynamic_cast<TTStyledInlineFrame*>(text->rootFrame().get());
    ASSERT_TRUE(first);
    ASSERT_TRUE(first->inlineNextFrame());
    EXPECT_EQ(first->inlineNextFrame()->inlinePreviousFrame(), first);
    for (TTStyledInlineFrame* piece = first; piece; piece = piece->inlineNextFrame()) {
        EXPECT_NEAR(piece->height(), line + 4, 0.01);
        const auto frames = textFrames(piece->firstChildFrame().get());
        ASSERT_FALSE(frames.empty());
        EXPECT_NEAR(piece->y(), frames.front()->y() - 2, 0.01);
    }
}

TEST_F(StyledLayoutTest, RightToLeftTextBreaksIntoLinesInReadingOrder) {
    const std::string verse =
        "\xD8\xA8\xD8\xB3\xD9\x85 \xD8\xA7\xD9\x84\xD9\x84\xD9\x87 \xD8\xA7\xD9\x84\xD8\xB1\xD8\xAD\xD9\x85\xD9\x86 "
        "\xD8\xA7\xD9\x84\xD8\xB1\xD8\xAD\xD9\x8A\xD9\x85 \xD8\xA7\xD9\x84\xD8\xAD\xD9\x85\xD8\xAF \xD9\x84\xD9\x84\xD9\x87 "
        "\xD8\xB1\xD8\xA8 \xD8\xA7\xD9\x84\xD8\xB9\xD8\xA7\xD9\x84\xD9\x85\xD9\x8A\xD9\x86";
    auto text = layOut("<span>.</span>" + verse, 90);
    auto frames = textFrames(text->rootFrame().get());
    ASSERT_GT(frames.size(), 2u);
    std::string joined;
    for (size_t i = 1; i < frames.size(); ++i) joined += frames[i]->text();
    EXPECT_EQ(joined, verse);
    for (size_t i = 2; i < frames.size(); ++i) EXPECT_EQ(frames[i]->x(), 0);
}

TEST_F(StyledLayoutTest, ImagesStillToLoadAreListedAndTakeNoRoomWithoutASize) {
    auto text = layOut("<img src=\"http://127.0.0.1:9/none.png\"/>after", 200);
    auto* image = dynamic_cast<TTStyledImageFrame*>(text->rootFrame().get());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 0);
    ASSERT_TRUE(text->invalidImages());
    ASSERT_EQ(text->invalidImages()->size(), 1u);
    EXPECT_EQ(text->invalidImages()->front(), image->imageNode());
    EXPECT_EQ(image->nextFrame()->x(), 0);
}

}  // namespace

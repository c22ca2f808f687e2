// The styled-text document (layout on demand, tree edits, images found by URL) and the label
// (insets, tapping links, copying).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "platform/graphics/CGContext.h"
#include "platform/services/UIPasteboard.h"
#include "platform/services/URLOpener.h"
#include "platform/text/StringDrawing.h"
#include "tests/platform/graphics/Pixels.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/toolkit/styledtext/TreeDump.h"
#include "toolkit/style/TTDefaultStyleSheet.h"
#include "toolkit/styledtext/TTStyledTextLabel.h"

namespace {

struct CountingDelegate : TTStyledTextDelegate {
    int redraws = 0;
    void styledTextNeedsDisplay(TTStyledText*) override { ++redraws; }
};

TEST(StyledTextDocumentTest, LaysOutOnDemandAndAgainOnlyWhenWidthOrFontChange) {
    EXPECT_FALSE(TTStyledText::textFromXHTML(""));
    auto plain = TTStyledText::textFromXHTML("plain");
    ASSERT_TRUE(plain);
    const UIFontPtr font = TTStyleSheet::globalStyleSheet()->font();
    EXPECT_EQ(plain->height(), std::ceil(sizeWithFont("plain", *font, CGSizeMake(1e6, 1e6)).height));

    auto text = TTStyledText::textFromXHTML("<b>one</b> two three");
    const TTStyledNode* plainPart = text->rootNode()->nextSibling().get();
    EXPECT_FALSE(text->getFrameForNode(plainPart));  // no layout yet
    text->setWidth(100);
    EXPECT_TRUE(text->needsLayout());
    const TTStyledFrame* frames = text->rootFrame().get();
    EXPECT_EQ(text->getFrameForNode(plainPart), frames->nextFrame().get());
    EXPECT_FALSE(text->getFrameForNode(text->rootNode().get()));  // bold without a style has no box
    text->setWidth(100);
    EXPECT_EQ(text->rootFrame().get(), frames);
    text->setWidth(200);
    EXPECT_TRUE(text->needsLayout());
    EXPECT_GT(text->height(), 0);
    text->setFont(UIFont::systemFontOfSize(30));
    EXPECT_TRUE(text->needsLayout());
}

TEST(StyledTextDocumentTest, EditsTheTopLevelChain) {
    auto text = TTStyledText::textFromXHTML("a<b>b</b>c");
    text->insertChild(std::make_shared<TTStyledTextNode>("X"), 1);
    EXPECT_EQ(dumpTree(text->rootNode().get()), "[a][X]b([b])[c]");
    text->insertChild(std::make_shared<TTStyledTextNode>("0"), 0);
    text->insertChild(std::make_shared<TTStyledTextNode>("end"), 99);
    text->addText("!");
    EXPECT_EQ(text->rootNode()->outerText(), "0aXbcend!");
    EXPECT_EQ(text->rootNode()->outerHTML(), "0aX<div>b</div>cend!");
    auto spans = TTStyledText::textFromXHTML("<div><span class=\"k\">in</span></div><span class=\"k\">out</span>");
    EXPECT_EQ(spans->getElementByClassName("k")->outerText(), "in");
    EXPECT_FALSE(spans->getElementByClassName("none"));
}

TEST(StyledNodeTest, ChildrenAreAppendedReplacedAndRemoved) {
    TTStyledElement parent;
    auto chain = std::make_shared<TTStyledTextNode>("1", std::make_shared<TTStyledTextNode>("2"));
    parent.addChild(chain);
    parent.addText("3");
    EXPECT_EQ(dumpTree(parent.firstChild().get()), "[1][2][3]");
    EXPECT_EQ(parent.lastChild()->outerText(), "3");
    EXPECT_EQ(parent.lastChild()->parentNode(), &parent);
    parent.replaceChild(parent.firstChild().get(), nullptr);
    EXPECT_EQ(dumpTree(parent.firstChild().get()), "[2][3]");
    parent.replaceChild(parent.lastChild(), std::make_shared<TTStyledBoldNode>("B"));
    EXPECT_EQ(dumpTree(parent.firstChild().get()), "[2]b([B])");
    EXPECT_EQ(parent.lastChild()->outerText(), "B");
    TTStyledTextNode stranger("s");
    parent.replaceChild(&stranger, nullptr);
    EXPECT_EQ(parent.firstChild()->outerText(), "2B");
    TTStyledElement empty;
    EXPECT_EQ(empty.outerText(), "");
    EXPECT_EQ(empty.outerHTML(), "<div/>");
}

TEST(StyledNodeTest, LinksOpenTheirURLAndOnlyThen) {
    std::vector<std::string> opened;
    URLOpener::shared().registerSchemeHandler("lumenotest", [&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    TTStyledLinkNode("t", "", nullptr).performDefaultAction();
    TTStyledLinkNode("t", "lumenotest://a", nullptr).performDefaultAction();
    TTStyledButtonNode("t", "lumenotest://b", nullptr).performDefaultAction();
    EXPECT_EQ(opened, (std::vector<std::string>{"lumenotest://a", "lumenotest://b"}));
    URLOpener::shared().resetForTesting();
}

TEST(StyledTextDocumentTest, ImagesAtHandAreAppliedWhenADelegateIsSet) {
    const std::filesystem::path bundle = std::filesystem::path(testOutputDir()) / "doc-bundle";
    std::filesystem::create_directories(bundle);
    setenv("LUMENO_BUNDLE_DIR", bundle.c_str(), 1);
    auto canvas = makeContext(6, 4);
    canvas->setRGBFillColor(0, 0, 1, 1);
    canvas->fillRect(CGRectMake(0, 0, 6, 4));
    ASSERT_TRUE(UIImageWritePNGToFile(*canvas->makeImage(), (bundle / "pic.png").string()));

    auto text = TTStyledText::textFromXHTML("<img src=\"bundle://later.png\"/>and<img src=\"bundle://../pic.png\"/>");
    text->setWidth(100);
    ASSERT_TRUE(text->rootFrame());
    ASSERT_EQ(text->invalidImages()->size(), 2u);
    std::filesystem::copy_file(bundle / "pic.png", bundle / "later.png", std::filesystem::copy_options::overwrite_existing);
    CountingDelegate delegate;
    text->setDelegate(&delegate);
    EXPECT_EQ(delegate.redraws, 1);
    auto* image = dynamic_cast<TTStyledImageFrame*>(text->rootFrame().get());
    ASSERT_TRUE(image && image->imageNode()->image());
    EXPECT_EQ(image->imageNode()->image()->pixelWidth(), 6);
    // A URL that leaves the bundle finds nothing there.
    auto* outside = dynamic_cast<TTStyledImageFrame*>(image->nextFrame()->nextFrame().get());
    ASSERT_TRUE(outside);
    EXPECT_FALSE(outside->imageNode()->image());
    text->setDelegate(nullptr);
}

class StyledTextLabelTest : public UITest {};

TEST_F(StyledTextLabelTest, InsetsNarrowTheLayoutAndGrowTheFittingSize) {
    auto label = addView<TTStyledTextLabel>(*window, CGRectMake(0, 0, 100, 50));
    label->setContentInset(UIEdgeInsetsMake(5, 5, 5, 5));
    label->setHtml("some words that wrap over lines");
    const CGSize fit = label->sizeThatFits(CGSizeMake(0, 0));
    EXPECT_EQ(label->text()->width(), 90);
    EXPECT_EQ(fit, CGSizeMake(100, label->text()->height() + 10));
    const auto text = label->text();
    label->setText(text);  // the same text again changes nothing
    EXPECT_EQ(label->text(), text);
}

TEST_F(StyledTextLabelTest, TappingALinkHighlightsEveryPieceAndOpensItOnRelease) {
    std::vector<std::string> opened;
    URLOpener::shared().registerSchemeHandler("lumenotest", [&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    auto label = addView<TTStyledTextLabel>(*window, CGRectMake(10, 40, 120, 200));
    label->setHtml("a <a href=\"lumenotest://x\">link broken over two lines</a> and <span class=\"yellowBox\">box</span>");
    label->layoutIfNeeded();
    auto* piece = dynamic_cast<TTStyledInlineFrame*>(label->text()->rootFrame()->nextFrame().get());
    ASSERT_TRUE(piece);
    ASSERT_TRUE(piece->inlineNextFrame());
    const TTStylePtr normal = TTStyleSheet::globalStyleSheet()->styleWithSelector("linkText:", 0);
    const TTStylePtr pressed = TTStyleSheet::globalStyleSheet()->styleWithSelector("linkText:", 1);

    backend.touchDown(1, CGPointMake(10 + piece->x() + 3, 40 + piece->y() + 3));
    backend.runUntilIdle();
    EXPECT_EQ(label->highlightedFrame(), piece);
    EXPECT_EQ(piece->style(), pressed);
    EXPECT_EQ(piece->inlineNextFrame()->style(), pressed);
    EXPECT_TRUE(opened.empty());
    backend.touchUp(1, CGPointMake(10 + piece->x() + 3, 40 + piece->y() + 3));
    backend.runUntilIdle();
    EXPECT_EQ(opened, std::vector<std::string>{"lumenotest://x"});
    EXPECT_FALSE(label->highlightedNode());
    EXPECT_EQ(piece->style(), normal);
    EXPECT_EQ(piece->inlineNextFrame()->style(), normal);

    // Plain text and a span whose style takes no state highlight nothing.
    backend.tap(CGPointMake(10 + 2, 40 + 3));
    EXPECT_FALSE(label->highlightedNode());
    URLOpener::shared().resetForTesting();
}

TEST_F(StyledTextLabelTest, CopiesThePlainTextAndDrawsInItsTextColour) {
    auto label = addView<TTStyledTextLabel>(*window, CGRectMake(0, 0, 100, 30));
    label->setHtml("<b>a</b> b");
    label->copy();
    EXPECT_EQ(UIPasteboard::generalPasteboard().valueForPasteboardType(kUTTypeUTF8PlainText), "a b");

    label->setHtml("<b>HHHH</b>");
    label->setBackgroundColor(nullptr);
    auto canvas = makeContext(100, 30);
    auto ink = [&](UIColorPtr color, bool highlighted) {
        label->setTextColor(color);
        label->setHighlighted(highlighted);
        canvas->clearRect(CGRectMake(0, 0, 100, 30));
        UIGraphicsPushContext(canvas.get());
        label->drawRect(label->bounds());
        UIGraphicsPopContext();
        const PixelBox box = inkBox(canvas->targetSurface(), 128);
        return box.empty() ? Rgba{} : pixelOf(*canvas, (box.x0 + box.x1) / 2, (box.y0 + box.y1) / 2);
    };
    const Rgba red = ink(UIColor::redColor(), false);
    EXPECT_GT(red.r, 200);
    EXPECT_LT(red.g, 60);
    const Rgba white = ink(UIColor::redColor(), true);
    EXPECT_GT(white.g, 200);
}

}  // namespace

// Where the chain's links put text and images, how much room they measure, and how the chain
// is walked and searched.

#include <gtest/gtest.h>

#include <cfloat>

#include "platform/text/StringDrawing.h"
#include "tests/toolkit/style/StyleCanvas.h"
#include "toolkit/foundation/UIFont+TTCategory.h"
#include "toolkit/style/TTArrowShapes.h"
#include "toolkit/style/TTFillStyles.h"
#include "toolkit/style/TTImageStyle.h"
#include "toolkit/style/TTShadowStyle.h"
#include "toolkit/style/TTStructuralStyles.h"
#include "toolkit/style/TTTextStyle.h"

namespace {

// Supplies a text and an image, and records whether it was asked to draw its own content.
struct Supplier : TTStyleDelegate {
    std::optional<std::string> text;
    UIImagePtr image;
    int contentDrawn = 0;
    std::optional<std::string> textForLayerWithStyle(TTStyle*) override { return text; }
    UIImagePtr imageForLayerWithStyle(TTStyle*) override { return image; }
    bool drawLayer(TTStyleContext&, TTStyle*) override {
        ++contentDrawn;
        return true;
    }
};

UIImagePtr solidImage(int width, int height, const UIColorPtr& color) {
    auto ctx = makeContext(width, height);
    ctx->setFillColorWithColor(*color);
    ctx->fillRect(CGRectMake(0, 0, width, height));
    return ctx->makeImage();
}

const std::string kLine = "Bismillah";
const std::string kParagraph =
    "In the name of God, the Most Gracious, the Most Merciful. Praise be to God, Lord of the worlds, the Most "
    "Gracious, the Most Merciful, Master of the Day of Judgement.";

TEST(TextStyleTest, RectForTextCentresAndRoundsHalvesAwayFromZero) {
    const UIFontPtr font = UIFont::systemFontOfSize(14);
    const CGSize line = sizeWithFont(kLine, *font);
    // Widths are whole 1/1024ths, so a box 99 points wider leaves exactly 49.5 on each side,
    // as 101 points of text in a box of 200 do.
    const double boxW = line.width + 99, boxH = line.height - 1;  // -0.5 above and below
    struct Case {
        const char* name;
        int align, valign;
        CGSize box;
        CGRect expected;
    } cases[] = {
        {"centre", UITextAlignmentCenter, 0, CGSizeMake(boxW, boxH), CGRectMake(50, -1, line.width, line.height)},
        {"right bottom", UITextAlignmentRight, 2, CGSizeMake(boxW, 40),
         CGRectMake(99, 40 - line.height, line.width, line.height)},
        {"left fill", UITextAlignmentLeft, 3, CGSizeMake(boxW, 40), CGRectMake(0, 0, line.width, line.height)},
        {"left top is the whole box", UITextAlignmentLeft, 1, CGSizeMake(boxW, 40), CGRectMake(0, 0, boxW, 40)},
        {"wider than the box", UITextAlignmentCenter, 1, CGSizeMake(10, 40), CGRectMake(0, 0, line.width, line.height)},
        {"right, wider than the box", UITextAlignmentRight, 1, CGSizeMake(10, 40),
         CGRectMake(0, 0, line.width, line.height)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto style = TTTextStyle::styleWithFont(font, nullptr, nullptr);
        style->textAlignment = c.align;
        style->verticalAlignment = c.valign;
        EXPECT_EQ(style->rectForText(kLine, c.box, *font), c.expected);
    }
    // An empty text in a box of odd width: 100.5 rounds up.
    auto centred = TTTextStyle::styleWithFont(font, nullptr, nullptr);
    EXPECT_EQ(centred->rectForText("", CGSizeMake(201, 30), *font), CGRectMake(101, 15, 0, 0));
}

TEST(TextStyleTest, MeasuredHeightFollowsTheLineCountAndWidthLimit) {
    const UIFontPtr font = UIFont::systemFontOfSize(14);
    const double lineHeight = tt::lineHeight(*font);
    const double oneLineWidth = sizeWithFont(kParagraph, *font).width;
    Supplier supplier;
    supplier.text = kParagraph;
    auto measure = [&](int lines, double contentWidth) {
        auto style = TTTextStyle::styleWithFont(font, nullptr, nullptr);
        style->numberOfLines = lines;
        TTStyleContext ctx;
        ctx.delegate = &supplier;
        ctx.contentFrame = CGRectMake(0, 0, contentWidth, 0);
        return style->addToSize(CGSizeMake(3, 4), ctx);
    };
    // One line: the whole text on one line, whatever the width.
    const CGSize one = measure(1, 120);
    EXPECT_DOUBLE_EQ(one.width, 3 + oneLineWidth);
    EXPECT_NEAR(one.height, 4 + lineHeight, 1);
    // No limit: the paragraph wraps to many lines in 120 points.
    const CGSize unlimited = measure(0, 120);
    EXPECT_LE(unlimited.width, 3 + 120);
    EXPECT_GT(unlimited.height, 4 + 4 * lineHeight);
    // Three lines at most.
    const CGSize three = measure(3, 120);
    EXPECT_LE(three.height, 4 + 3 * lineHeight + 0.5);
    EXPECT_GT(three.height, 4 + 2 * lineHeight);
    // A content frame of zero width sets no width limit: one line.
    const CGSize unbounded = measure(0, 0);
    EXPECT_DOUBLE_EQ(unbounded.width, 3 + oneLineWidth);
    EXPECT_NEAR(unbounded.height, 4 + lineHeight, 1);
    // No text measures nothing and leaves the content to the delegate.
    supplier.text.reset();
    EXPECT_EQ(measure(0, 120), CGSizeMake(3, 4));
}

TEST(TextStyleTest, ContentFrameAfterDrawingHoldsTheTextRectangle) {
    const UIFontPtr font = UIFont::systemFontOfSize(14);
    const CGSize line = sizeWithFont(kLine, *font);
    Supplier supplier;
    supplier.text = kLine;
    StyleCanvas canvas(300, 200);
    const CGRect box = CGRectMake(20, 30, 200, 100);

    // One line: the rectangle relative to the box, not moved by the box's origin.
    auto single = TTTextStyle::styleWithFont(font, UIColor::redColor(), nullptr);
    TTStyleContext after = canvas.drawStyle(single, box, &supplier);
    EXPECT_TRUE(after.didDrawContent);
    EXPECT_EQ(supplier.contentDrawn, 0);  // the text was the content
    const CGRect t = single->rectForText(kLine, box.size, *font);
    EXPECT_EQ(after.contentFrame, CGRectMake(t.origin.x, t.origin.y, line.width, line.height));
    // The text was drawn inside the box, at the text rectangle moved by the box's origin.
    bool inked = false;
    for (int x = int(box.origin.x + t.origin.x); x < int(box.origin.x + t.origin.x + line.width) && !inked; ++x)
        for (int y = int(box.origin.y + t.origin.y); y < int(box.origin.y + t.origin.y + line.height); ++y)
            if (canvas.at(x, y).a > 128) inked = true;
    EXPECT_TRUE(inked);
    EXPECT_EQ(canvas.at(int(box.origin.x + 2), int(box.origin.y + 2)).a, 0);

    // Several lines: the box's own origin with the size drawn.
    supplier.text = kParagraph;
    auto multi = TTTextStyle::styleWithFont(font, UIColor::redColor(), nullptr);
    multi->numberOfLines = 0;
    after = canvas.drawStyle(multi, box, &supplier);
    EXPECT_EQ(after.contentFrame.origin, box.origin);
    EXPECT_LE(after.contentFrame.size.width, box.size.width);
    EXPECT_GT(after.contentFrame.size.height, 2 * tt::lineHeight(*font));
}

TEST(TextStyleTest, WithoutTextTheDelegateDrawsItsContentOnce) {
    Supplier supplier;
    StyleCanvas canvas(20, 20);
    TTStyleContext after = canvas.drawStyle(
        TTTextStyle::styleWithFont(UIFont::systemFontOfSize(12), nullptr, TTContentStyle::styleWithNext(nullptr)),
        CGRectMake(0, 0, 20, 20), &supplier);
    EXPECT_TRUE(after.didDrawContent);
    EXPECT_EQ(supplier.contentDrawn, 2);  // the text style's turn, then the content style's

    // A delegate that draws nothing of its own leaves the flag down.
    TTStyleDelegate silent;
    after = canvas.drawStyle(TTContentStyle::styleWithNext(nullptr), CGRectMake(0, 0, 20, 20), &silent);
    EXPECT_FALSE(after.didDrawContent);
}

TEST(ImageStyleTest, MeasuresItsSizeOrTheScaledImageOnly) {
    Supplier supplier;
    supplier.image = solidImage(7, 5, UIColor::redColor());
    struct Case {
        const char* name;
        std::shared_ptr<TTImageStyle> style;
        CGSize expected;
        bool delegate = true;
    } cases[] = {
        {"explicit size before its image arrives",
         TTImageStyle::styleWithImageURL("bundle://no-such-image.png", nullptr, 1, CGSizeMake(30, 20), nullptr),
         CGSizeMake(31, 21)},
        {"scale to fill adds the delegate's image", TTImageStyle::styleWithImage(nullptr, nullptr), CGSizeMake(8, 6)},
        {"scale to fill adds its own image",
         TTImageStyle::styleWithImage(solidImage(11, 13, UIColor::blueColor()), nullptr), CGSizeMake(12, 14)},
        {"aspect fit adds nothing",
         TTImageStyle::styleWithImage(solidImage(11, 13, UIColor::blueColor()), nullptr, 1, CGSizeZero, nullptr),
         CGSizeMake(1, 1)},
        {"a URL not at hand adds nothing", TTImageStyle::styleWithImageURL("bundle://no-such-image.png", nullptr),
         CGSizeMake(1, 1), false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTStyleContext ctx;
        if (c.delegate) ctx.delegate = &supplier;
        EXPECT_EQ(c.style->addToSize(CGSizeMake(1, 1), ctx), c.expected);
    }
}

TEST(ImageStyleTest, DrawsIntoTheContentFrameButNeverTheDefaultImage) {
    StyleCanvas canvas(40, 40);
    // Only a default image: nothing drawn.
    auto onlyDefault = TTImageStyle::styleWithImage(nullptr, solidImage(4, 4, UIColor::redColor()), nullptr);
    canvas.drawStyle(onlyDefault, CGRectMake(0, 0, 40, 40));
    EXPECT_EQ(canvas.at(20, 20).a, 0);
    // Its own image fills the content frame left by a box's padding, and leaves the frame as it was.
    auto chain = TTBoxStyle::styleWithPadding(UIEdgeInsetsMake(10, 10, 10, 10),
                                              TTImageStyle::styleWithImage(solidImage(4, 4, UIColor::redColor()), nullptr));
    const TTStyleContext after = canvas.drawStyle(chain, CGRectMake(0, 0, 40, 40));
    EXPECT_EQ(after.contentFrame, CGRectMake(10, 10, 20, 20));
    EXPECT_TRUE(near(canvas.at(20, 20), kRed));
    EXPECT_EQ(canvas.at(5, 5).a, 0);
}

TEST(StyleChainTest, FindsLinksByClassAndPartName) {
    auto firstPart = TTPartStyle::styleWithName("icon", nullptr, nullptr);
    auto secondPart = TTPartStyle::styleWithName("icon", nullptr, nullptr);
    auto inner = TTInnerShadowStyle::styleWithColor(UIColor::blackColor(), 1, CGSizeMake(0, 1), nullptr);
    auto chain = TTSolidFillStyle::styleWithColor(UIColor::redColor(),
                                                  TTPartStyle::styleWithName("label", nullptr, nullptr));
    chain->addStyle(inner);
    chain->addStyle(firstPart);
    chain->addStyle(secondPart);
    EXPECT_EQ(chain->firstStyleOfClass<TTShadowStyle>().get(), inner.get());  // a subclass counts
    EXPECT_EQ(chain->firstStyleOfClass<TTSolidFillStyle>().get(), chain.get());  // the receiver included
    EXPECT_EQ(chain->firstStyleOfClass<TTTextStyle>(), nullptr);
    EXPECT_EQ(chain->styleForPart("icon").get(), firstPart.get());
    EXPECT_EQ(firstPart->styleForPart("icon").get(), firstPart.get());
    EXPECT_EQ(chain->styleForPart("Icon"), nullptr);
    EXPECT_EQ(secondPart->styleForPart("label"), nullptr);  // only further down
}

TEST(StyleChainTest, AddStyleGoesAfterTheLastLink) {
    auto one = TTSolidFillStyle::styleWithColor(nullptr, nullptr);
    auto added = TTContentStyle::styleWithNext(nullptr);
    one->addStyle(added);
    EXPECT_EQ(one->next(), added);

    auto last = TTContentStyle::styleWithNext(nullptr);
    auto longer = TTInsetStyle::styleWithInset(UIEdgeInsets{}, TTBoxStyle::styleWithPadding(UIEdgeInsets{}, last));
    auto tail = TTSolidFillStyle::styleWithColor(nullptr, nullptr);
    longer->addStyle(tail);
    EXPECT_EQ(longer->next()->next(), last);
    EXPECT_EQ(last->next(), tail);
}

TEST(StyleChainTest, ShapeStyleAsTheLastLinkMeasuresTheShapeAlone) {
    auto shape = TTRoundedLeftArrowShape::shapeWithRadius(4);
    const UIEdgeInsets own = shape->insetsForSize(CGSizeZero);
    const CGSize expected = CGSizeMake(own.left + own.right, own.top + own.bottom);
    TTStyleContext ctx;
    for (CGSize given : {CGSizeZero, CGSizeMake(50, 50), CGSizeMake(300, 7)})
        EXPECT_EQ(TTShapeStyle::styleWithShape(shape, nullptr)->addToSize(given, ctx), expected);
    // With a link after it, the shape adds its room for what that link answers.
    auto padded = TTShapeStyle::styleWithShape(shape, TTBoxStyle::styleWithPadding(UIEdgeInsetsMake(1, 2, 3, 4), nullptr));
    const CGSize inner = CGSizeMake(50 + 6, 50 + 4);
    const UIEdgeInsets forInner = shape->insetsForSize(inner);
    EXPECT_EQ(padded->addToSize(CGSizeMake(50, 50), ctx),
              CGSizeMake(inner.width + forInner.left + forInner.right, inner.height + forInner.top + forInner.bottom));
}

TEST(StyleChainTest, InsetMovesTheFrameButNotTheContentFrame) {
    Supplier supplier;
    supplier.text = "x";
    StyleCanvas canvas(40, 40);
    auto text = TTTextStyle::styleWithFont(UIFont::systemFontOfSize(10), UIColor::blueColor(), nullptr);
    text->textAlignment = UITextAlignmentLeft;
    text->verticalAlignment = 1;  // the whole box
    auto chain = TTInsetStyle::styleWithInset(UIEdgeInsetsMake(10, 10, 10, 10),
                                              TTSolidFillStyle::styleWithColor(UIColor::redColor(), text));
    const TTStyleContext after = canvas.drawStyle(chain, CGRectMake(0, 0, 40, 40), &supplier);
    EXPECT_EQ(after.frame, CGRectMake(10, 10, 20, 20));
    // The fill is smaller; the text still starts at the unchanged content frame's corner.
    EXPECT_TRUE(near(canvas.at(20, 20), kRed));
    EXPECT_EQ(canvas.at(35, 35).a, 0);
    EXPECT_EQ(after.contentFrame.origin, CGPointMake(0, 0));
    bool inkAboveTheFill = false;
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            if (canvas.at(x, y).b > 128 && canvas.at(x, y).a > 128) inkAboveTheFill = true;
    EXPECT_TRUE(inkAboveTheFill);
    // Measured, the inset adds to the insets and not to the size.
    EXPECT_EQ(chain->addToInsets(UIEdgeInsetsMake(1, 1, 1, 1), CGSizeMake(40, 40)), UIEdgeInsetsMake(11, 11, 11, 11));
}

TEST(StyleChainTest, MaskLetsTheRestOfTheChainPaintOnlyWhereItIsOpaque) {
    // Opaque in its top-left quarter, upright as drawn.
    auto maskContext = makeContext(20, 20);
    maskContext->setFillColorWithColor(*UIColor::blackColor());
    maskContext->fillRect(CGRectMake(0, 0, 10, 10));
    StyleCanvas canvas(20, 20);
    canvas.drawStyle(TTMaskStyle::styleWithMask(maskContext->makeImage(),
                                                TTSolidFillStyle::styleWithColor(UIColor::redColor(), nullptr)),
                     CGRectMake(0, 0, 20, 20));
    EXPECT_TRUE(near(canvas.at(4, 4), kRed)) << describe(canvas.at(4, 4));
    for (auto [x, y] : {std::pair{15, 4}, {4, 15}, {15, 15}}) EXPECT_EQ(canvas.at(x, y).a, 0) << x << "," << y;
    // The clip ends with the mask style's turn: a later drawing is not clipped.
    canvas.draw([&] {
        UIGraphicsGetCurrentContext()->setFillColorWithColor(*UIColor::redColor());
        UIGraphicsGetCurrentContext()->fillRect(CGRectMake(14, 14, 2, 2));
    });
    EXPECT_TRUE(near(canvas.at(15, 15), kRed));
    // Without a mask the chain paints everywhere.
    StyleCanvas plain(20, 20);
    plain.drawStyle(TTMaskStyle::styleWithMask(nullptr, TTSolidFillStyle::styleWithColor(UIColor::redColor(), nullptr)),
                    CGRectMake(0, 0, 20, 20));
    EXPECT_TRUE(near(plain.at(15, 15), kRed));
}

TEST(StyleChainTest, ContextShapeIsOneRectangleUntilAShapeStyleSetsOne) {
    TTStyleContext ctx;
    const TTShapePtr first = ctx.shape();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(dynamic_cast<TTRectangleShape*>(first.get()), nullptr);
    EXPECT_EQ(ctx.shape(), first);
    auto arrow = TTRoundedLeftArrowShape::shapeWithRadius(4);
    ctx.frame = ctx.contentFrame = CGRectMake(0, 0, 60, 30);
    StyleCanvas canvas(60, 30);
    canvas.draw([&] { TTShapeStyle::styleWithShape(arrow, nullptr)->draw(ctx); });
    EXPECT_EQ(ctx.shape(), arrow);
    EXPECT_EQ(ctx.contentFrame, UIEdgeInsetsInsetRect(CGRectMake(0, 0, 60, 30), arrow->insetsForSize(CGSizeMake(60, 30))));
}

}  // namespace

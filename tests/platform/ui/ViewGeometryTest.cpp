#include <cmath>

#include "tests/platform/ui/UITestSupport.h"

class ViewGeometryTest : public UITest {};

TEST_F(ViewGeometryTest, ConvertsPointsAndHitTestsThroughARotatedView)
{
    // A 100x100 view centred at (150,150), turned a quarter clockwise.
    auto box = addView(*window, CGRectMake(100, 100, 100, 100));
    box->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    auto child = addView(*box, CGRectMake(0, 0, 50, 20));

    // The child's top-left corner lands on the box's top-right on screen.
    EXPECT_TRUE(near(child->convertPointToView(CGPointZero, nullptr), CGPointMake(200, 100)));
    EXPECT_TRUE(near(child->convertPointFromView(CGPointMake(200, 100), nullptr), CGPointZero));
    EXPECT_TRUE(near(box->frame(), CGRectMake(100, 100, 100, 100)));
    CGRect inWindow = child->convertRectToView(child->bounds(), window.get());
    EXPECT_TRUE(near(inWindow, CGRectMake(180, 100, 20, 50)));
    EXPECT_TRUE(near(window->convertRectToView(inWindow, child.get()), CGRectMake(0, 0, 50, 20)));

    EXPECT_EQ(window->hitTest(CGPointMake(195, 105), nullptr), child.get());
    EXPECT_EQ(window->hitTest(CGPointMake(105, 105), nullptr), box.get());  // unturned it would be the child
    EXPECT_EQ(window->hitTest(CGPointMake(50, 50), nullptr), window.get());
}

TEST_F(ViewGeometryTest, HitTestingStopsAtTheSuperviewsBoundsAndSkipsHiddenOrInertViews)
{
    auto box = addView(*window, CGRectMake(0, 300, 100, 100));
    box->setClipsToBounds(true);
    auto overflow = addView(*box, CGRectMake(80, 0, 60, 20));
    EXPECT_EQ(window->hitTest(CGPointMake(90, 310), nullptr), overflow.get());
    // Outside the superview nothing inside it is found, clipped or not.
    EXPECT_EQ(window->hitTest(CGPointMake(120, 310), nullptr), window.get());
    box->setClipsToBounds(false);
    EXPECT_EQ(window->hitTest(CGPointMake(120, 310), nullptr), window.get());

    struct Case {
        const char* what;
        std::function<void(UIView&)> change;
    } cases[] = {
        {"hidden", [](UIView& v) { v.setHidden(true); }},
        {"no interaction", [](UIView& v) { v.setUserInteractionEnabled(false); }},
        {"transparent", [](UIView& v) { v.setAlpha(0.005); }},
    };
    for (auto& c : cases) {
        auto v = addView(*window, CGRectMake(200, 0, 50, 50));
        c.change(*v);
        EXPECT_EQ(window->hitTest(CGPointMake(210, 10), nullptr), window.get()) << c.what;
        v->removeFromSuperview();
    }
}

TEST_F(ViewGeometryTest, BoundsOriginScrollsTheContentAndScaleShrinksIt)
{
    auto scroller = addView(*window, CGRectMake(0, 100, 320, 200));
    scroller->setBounds(CGRectMake(0, 50, 320, 200));
    auto row = addView(*scroller, CGRectMake(0, 60, 320, 40));
    EXPECT_TRUE(near(row->convertPointToView(CGPointZero, nullptr), CGPointMake(0, 110)));
    EXPECT_EQ(window->hitTest(CGPointMake(10, 115), nullptr), row.get());

    auto small = addView(*window, CGRectMake(0, 0, 100, 100));
    small->setTransform(CGAffineTransformMakeScale(0.5, 0.5));
    EXPECT_TRUE(near(small->frame(), CGRectMake(25, 25, 50, 50)));
    EXPECT_TRUE(near(small->convertPointToView(CGPointMake(100, 100), nullptr), CGPointMake(75, 75)));
}

TEST_F(ViewGeometryTest, AutoresizingFollowsTheMaskWhenTheParentGrows)
{
    const unsigned L = UIViewAutoresizingFlexibleLeftMargin, W = UIViewAutoresizingFlexibleWidth,
                   R = UIViewAutoresizingFlexibleRightMargin, T = UIViewAutoresizingFlexibleTopMargin,
                   H = UIViewAutoresizingFlexibleHeight, B = UIViewAutoresizingFlexibleBottomMargin;
    struct Case {
        unsigned mask;
        CGRect expected;
    } cases[] = {
        {0, CGRectMake(20, 10, 100, 50)},
        {W, CGRectMake(20, 10, 200, 50)},
        {L, CGRectMake(120, 10, 100, 50)},
        {R, CGRectMake(20, 10, 100, 50)},
        {L | R, CGRectMake(40, 10, 100, 50)},  // shared 20:80
        {W | H, CGRectMake(20, 10, 200, 100)},
        {T | W, CGRectMake(20, 60, 200, 50)},
        {L | W | R | T | H | B, CGRectMake(30, 15, 150, 75)},
    };
    for (auto& c : cases) {
        auto parent = addView(*window, CGRectMake(0, 0, 200, 100));
        auto child = addView(*parent, CGRectMake(20, 10, 100, 50));
        child->setAutoresizingMask(c.mask);
        parent->setFrame(CGRectMake(0, 0, 300, 150));
        EXPECT_TRUE(near(child->frame(), c.expected)) << "mask " << c.mask;
        // Shrinking back restores the frame.
        parent->setFrame(CGRectMake(0, 0, 200, 100));
        EXPECT_TRUE(near(child->frame(), CGRectMake(20, 10, 100, 50))) << "mask " << c.mask;
        parent->removeFromSuperview();
    }

    auto parent = addView(*window, CGRectMake(0, 0, 200, 100));
    auto child = addView(*parent, CGRectMake(20, 10, 100, 50));
    auto grandchild = addView(*child, CGRectMake(0, 0, 100, 50));
    child->setAutoresizingMask(W);
    grandchild->setAutoresizingMask(W);
    parent->setAutoresizesSubviews(false);
    parent->setBounds(CGRectMake(0, 0, 300, 100));
    EXPECT_TRUE(near(child->frame(), CGRectMake(20, 10, 100, 50)));
    parent->setAutoresizesSubviews(true);
    parent->setBounds(CGRectMake(0, 0, 400, 100));
    EXPECT_TRUE(near(grandchild->frame(), CGRectMake(0, 0, 200, 50)));  // passed down the tree
}

class HookedView : public UIView {
public:
    using UIView::UIView;
    void didMoveToWindow() override { log += window() ? "W" : "w"; }
    void didMoveToSuperview() override { log += superview() ? "S" : "s"; }
    void layoutSubviews() override { ++layouts; }
    std::string log;
    int layouts = 0;
};

TEST_F(ViewGeometryTest, TreeOperationsKeepOrderAndCallTheHooks)
{
    auto parent = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    auto a = addView(*parent, CGRectZero), c = addView(*parent, CGRectZero);
    auto b = std::make_shared<HookedView>(CGRectZero);
    parent->insertSubviewAboveSubview(b, a.get());
    auto order = [&] {
        std::string s;
        for (auto& v : parent->subviews()) s += v == a ? 'a' : v == b ? 'b' : v == c ? 'c' : '?';
        return s;
    };
    EXPECT_EQ(order(), "abc");
    parent->bringSubviewToFront(a.get());
    EXPECT_EQ(order(), "bca");
    parent->insertSubviewBelowSubview(a, b.get());
    EXPECT_EQ(order(), "abc");
    parent->sendSubviewToBack(c.get());
    EXPECT_EQ(order(), "cab");
    parent->exchangeSubviewAtIndex(0, 2);
    EXPECT_EQ(order(), "bac");

    b->setTag(7);
    EXPECT_EQ(parent->viewWithTag(7), b.get());
    EXPECT_EQ(parent->viewWithTag(8), nullptr);

    // Entering a window and leaving it run the hooks in order.
    EXPECT_EQ(b->log, "S");
    window->addSubview(parent);
    EXPECT_EQ(b->window(), window.get());
    parent->removeFromSuperview();
    b->removeFromSuperview();
    EXPECT_EQ(b->log, "SWws");
    EXPECT_EQ(b->superview(), nullptr);

    // Layout runs once per request, at the next layout pass.
    window->addSubview(b);
    window->layoutIfNeeded();
    int before = b->layouts;
    window->layoutIfNeeded();
    EXPECT_EQ(b->layouts, before);
    b->setFrame(CGRectMake(0, 0, 10, 10));
    window->layoutIfNeeded();
    EXPECT_EQ(b->layouts, before + 1);

    // A view cannot become its own ancestor.
    b->addSubview(window);
    EXPECT_EQ(window->superview(), nullptr);
}

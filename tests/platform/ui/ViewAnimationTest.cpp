#include <cmath>

#include "platform/ui/CALayer.h"
#include "tests/platform/ui/UITestSupport.h"

class ViewAnimationTest : public UITest {
protected:
    struct Stop {
        std::string id;
        bool finished;
        void* context;
    };
    std::vector<Stop> stops;
    UIView::AnimationDidStop recorder()
    {
        return [this](const std::string& id, bool finished, void* ctx) { stops.push_back({id, finished, ctx}); };
    }
};

TEST_F(ViewAnimationTest, FrameIsInterpolatedFromTheClockAndDidStopReportsTheEnd)
{
    auto v = addView(*window, CGRectMake(0, 0, 100, 100));
    int context = 0;
    UIView::beginAnimations("Slide", &context);
    UIView::setAnimationDuration(1.0);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDidStopSelector(recorder());
    v->setFrame(CGRectMake(100, 200, 200, 100));
    UIView::commitAnimations();

    // The model changes at once; the screen follows the clock.
    EXPECT_TRUE(near(v->frame(), CGRectMake(100, 200, 200, 100)));
    EXPECT_TRUE(near(v->presentationFrame(), CGRectMake(0, 0, 100, 100)));
    backend.advance(500);
    EXPECT_TRUE(near(v->presentationFrame(), CGRectMake(50, 100, 150, 100)));
    EXPECT_TRUE(UIView::hasRunningAnimations());
    EXPECT_TRUE(stops.empty());

    backend.advance(600);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].id, "Slide");
    EXPECT_TRUE(stops[0].finished);
    EXPECT_EQ(stops[0].context, &context);
    EXPECT_TRUE(near(v->presentationFrame(), v->frame()));
    EXPECT_FALSE(UIView::hasRunningAnimations());
}

TEST_F(ViewAnimationTest, CurvesShapeTheProgress)
{
    struct Case {
        UIViewAnimationCurve curve;
        double atQuarter;
    } cases[] = {
        {UIViewAnimationCurveLinear, 0.25},
        {UIViewAnimationCurveEaseIn, 0.0625},
        {UIViewAnimationCurveEaseOut, 0.4375},
        {UIViewAnimationCurveEaseInOut, 0.125},
    };
    for (auto& c : cases) {
        auto v = addView(*window, CGRectMake(0, 0, 10, 10));
        v->setAlpha(0);
        UIView::beginAnimations("Fade");
        UIView::setAnimationDuration(0.4);
        UIView::setAnimationCurve(c.curve);
        v->setAlpha(1);
        UIView::commitAnimations();
        backend.advance(100);
        EXPECT_NEAR(v->presentationAlpha(), c.atQuarter, 1e-9) << "curve " << c.curve;
        backend.advance(400);
        EXPECT_DOUBLE_EQ(v->presentationAlpha(), 1.0);
    }
}

TEST_F(ViewAnimationTest, ZeroDurationOrDisabledAnimationsApplyAtOnce)
{
    auto v = addView(*window, CGRectMake(0, 0, 100, 100));
    UIView::beginAnimations("Now");
    UIView::setAnimationDuration(0);
    UIView::setAnimationDidStopSelector(recorder());
    v->setCenter(CGPointMake(10, 10));
    UIView::commitAnimations();
    EXPECT_TRUE(near(v->presentationCenter(), CGPointMake(10, 10)));
    EXPECT_FALSE(UIView::hasRunningAnimations());
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_TRUE(stops[0].finished);

    UIView::setAnimationsEnabled(false);
    UIView::beginAnimations("Off");
    UIView::setAnimationDuration(1);
    v->setAlpha(0.5);
    UIView::commitAnimations();
    UIView::setAnimationsEnabled(true);
    EXPECT_DOUBLE_EQ(v->presentationAlpha(), 0.5);
}

TEST_F(ViewAnimationTest, AnInterruptedAnimationReportsUnfinished)
{
    auto v = addView(*window, CGRectMake(0, 0, 100, 100));
    UIView::beginAnimations("A");
    UIView::setAnimationDuration(1);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDidStopSelector(recorder());
    v->setAlpha(0);
    UIView::commitAnimations();
    backend.advance(500);

    // A new animation of the same property starts where the screen is.
    UIView::beginAnimations("B");
    UIView::setAnimationDuration(1);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDidStopSelector(recorder());
    v->setAlpha(1);
    UIView::commitAnimations();
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].id, "A");
    EXPECT_FALSE(stops[0].finished);
    EXPECT_NEAR(v->presentationAlpha(), 0.5, 1e-9);
    backend.advance(500);
    EXPECT_NEAR(v->presentationAlpha(), 0.75, 1e-9);

    // Setting the value outside a transaction ends the animation there.
    v->setAlpha(0.2);
    EXPECT_DOUBLE_EQ(v->presentationAlpha(), 0.2);
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[1].id, "B");
    EXPECT_FALSE(stops[1].finished);
    backend.advance(2000);
    EXPECT_EQ(stops.size(), 2u);  // no second report
}

TEST_F(ViewAnimationTest, NestedTransactionsKeepTheirOwnTimingAndDelayHoldsTheStart)
{
    auto a = addView(*window, CGRectMake(0, 0, 100, 100));
    auto b = addView(*window, CGRectMake(0, 0, 100, 100));
    UIView::beginAnimations("Outer");
    UIView::setAnimationDuration(1);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    UIView::setAnimationDidStopSelector(recorder());
    a->setAlpha(0);
    UIView::beginAnimations("Inner");
    UIView::setAnimationDuration(0.5);
    UIView::setAnimationDelay(0.2);
    UIView::setAnimationDidStopSelector(recorder());
    b->setAlpha(0);
    UIView::commitAnimations();
    UIView::commitAnimations();

    backend.advance(150);
    EXPECT_DOUBLE_EQ(b->presentationAlpha(), 1.0);  // still waiting
    EXPECT_NEAR(a->presentationAlpha(), 0.85, 1e-9);
    backend.advance(600);  // 0.75 s: inner done
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].id, "Inner");
    EXPECT_DOUBLE_EQ(b->presentationAlpha(), 0.0);
    backend.advance(300);
    ASSERT_EQ(stops.size(), 2u);
    EXPECT_EQ(stops[1].id, "Outer");
}

TEST_F(ViewAnimationTest, RepeatingAutoreversingOpacityRunsUntilRemoved)
{
    auto v = addView(*window, CGRectMake(0, 0, 50, 50), UIColor::redColor());
    auto pulse = CABasicAnimation::animationWithKeyPath("opacity");
    pulse.fromValue = 1;
    pulse.toValue = 0;
    pulse.duration = 0.7;
    pulse.autoreverses = true;
    pulse.repeatCount = HUGE_VALF;
    v->layer().addAnimation(pulse, "pulse");

    struct Sample {
        double ms;
        double alpha;
    } samples[] = {{350, 0.5}, {350, 0.0}, {350, 0.5}, {350, 1.0}, {7000 + 350, 0.5}};
    for (auto& s : samples) {
        backend.advance(s.ms);
        EXPECT_NEAR(v->presentationAlpha(), s.alpha, 1e-6);
        EXPECT_TRUE(UIView::hasRunningAnimations());
    }
    EXPECT_TRUE(v->layer().hasAnimationForKey("pulse"));
    v->layer().removeAllAnimations();
    EXPECT_DOUBLE_EQ(v->presentationAlpha(), 1.0);
    EXPECT_FALSE(UIView::hasRunningAnimations());
}

TEST_F(ViewAnimationTest, CustomAnimationsStepWithTheTransaction)
{
    auto v = addView(*window, CGRectMake(0, 0, 10, 10));
    std::vector<double> steps;
    EXPECT_FALSE(UIView::addCustomAnimation(v.get(), "offset", [&](double p) { steps.push_back(p); }));
    UIView::beginAnimations("Scroll");
    UIView::setAnimationDuration(0.1);
    UIView::setAnimationCurve(UIViewAnimationCurveLinear);
    EXPECT_TRUE(UIView::addCustomAnimation(v.get(), "offset", [&](double p) { steps.push_back(p); }));
    UIView::commitAnimations();
    backend.advance(200);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_DOUBLE_EQ(steps.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));

    // Removed midway: no further steps, and the transaction ends unfinished.
    steps.clear();
    UIView::beginAnimations("Scroll");
    UIView::setAnimationDuration(1);
    UIView::setAnimationDidStopSelector(recorder());
    UIView::addCustomAnimation(v.get(), "offset", [&](double p) { steps.push_back(p); });
    UIView::commitAnimations();
    backend.advance(300);
    size_t seen = steps.size();
    UIView::removeCustomAnimation(v.get(), "offset");
    backend.advance(1000);
    EXPECT_EQ(steps.size(), seen);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_FALSE(stops[0].finished);
}

TEST_F(ViewAnimationTest, AViewDestroyedMidAnimationStillEndsItsTransaction)
{
    auto v = addView(*window, CGRectMake(0, 0, 10, 10));
    UIView::beginAnimations("Gone");
    UIView::setAnimationDuration(1);
    UIView::setAnimationDidStopSelector(recorder());
    v->setAlpha(0);
    UIView::commitAnimations();
    v->removeFromSuperview();
    v.reset();
    backend.advance(1100);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_FALSE(stops[0].finished);
    EXPECT_FALSE(UIView::hasRunningAnimations());
}

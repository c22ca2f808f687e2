#pragma once
// A fresh application on a phone screen, the virtual clock and the headless
// backend, for view tests.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIView.h"
#include "platform/ui/UIWindow.h"

class UITest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        UIApplication::sharedApplication().resetForTesting();
        UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, scale());
        UIView::setAnimationsEnabled(true);
        backend.attach();
        window = std::make_shared<UIWindow>();
        window->setBackgroundColor(UIColor::whiteColor());
        window->makeKeyAndVisible();
        UIApplication::sharedApplication().setStatusBarHidden(true);
    }

    void TearDown() override
    {
        window.reset();
        RunLoop::main().resetForTesting();
        UIApplication::sharedApplication().resetForTesting();
    }

    virtual double scale() const { return 1; }

    template <class V = UIView>
    std::shared_ptr<V> addView(UIView& parent, CGRect frame, UIColorPtr color = nullptr)
    {
        auto v = std::make_shared<V>(frame);
        if (color) v->setBackgroundColor(color);
        parent.addSubview(v);
        return v;
    }

    HeadlessBackend backend;
    std::shared_ptr<UIWindow> window;
};

// Records the touch phases a view receives.
class RecordingView : public UIView {
public:
    using UIView::UIView;
    void touchesBegan(const UITouchSet& t, UIEvent* e) override { record('b', t); }
    void touchesMoved(const UITouchSet& t, UIEvent* e) override { record('m', t); }
    void touchesEnded(const UITouchSet& t, UIEvent* e) override { record('e', t); }
    void touchesCancelled(const UITouchSet& t, UIEvent* e) override { record('c', t); }
    std::string phases;
    size_t maxTouches = 0;

private:
    void record(char phase, const UITouchSet& t)
    {
        // Moves are summarised once per run so tests need not count frames.
        if (phase != 'm' || phases.empty() || phases.back() != 'm') phases += phase;
        maxTouches = std::max(maxTouches, t.size());
    }
};

inline ::testing::AssertionResult near(CGRect a, CGRect b, double eps = 1e-6)
{
    if (std::fabs(a.origin.x - b.origin.x) < eps && std::fabs(a.origin.y - b.origin.y) < eps &&
        std::fabs(a.size.width - b.size.width) < eps && std::fabs(a.size.height - b.size.height) < eps)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.origin.x << ", " << a.origin.y << ", " << a.size.width << ", "
                                         << a.size.height << ") vs (" << b.origin.x << ", " << b.origin.y << ", "
                                         << b.size.width << ", " << b.size.height << ")";
}

inline ::testing::AssertionResult near(CGPoint a, CGPoint b, double eps = 1e-6)
{
    if (std::fabs(a.x - b.x) < eps && std::fabs(a.y - b.y) < eps) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ") vs (" << b.x << ", " << b.y << ")";
}

#include "platform/foundation/NSTimer.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UITouch.h"
#include "tests/platform/ui/UITestSupport.h"

class TouchTest : public UITest {};

TEST_F(TouchTest, ATouchStaysWithTheViewItBeganIn)
{
    auto a = addView<RecordingView>(*window, CGRectMake(0, 0, 100, 100));
    auto b = addView<RecordingView>(*window, CGRectMake(100, 0, 100, 100));
    backend.drag(CGPointMake(50, 50), CGPointMake(150, 50));
    EXPECT_EQ(a->phases, "bme");
    EXPECT_EQ(b->phases, "");
}

TEST_F(TouchTest, UnhandledTouchesTravelUpTheResponderChain)
{
    auto parent = addView<RecordingView>(*window, CGRectMake(0, 0, 200, 200));
    auto plain = addView(*parent, CGRectMake(10, 10, 50, 50));
    backend.tap(CGPointMake(20, 20));
    EXPECT_EQ(parent->phases, "be");

    // The controller slot comes before the superview.
    RecordingView controller;
    plain->setViewController(&controller);
    backend.tap(CGPointMake(20, 20));
    EXPECT_EQ(controller.phases, "be");
    EXPECT_EQ(parent->phases, "be");
    plain->setViewController(nullptr);
}

TEST_F(TouchTest, ButtonSendsItsControlEvents)
{
    auto holder = addView<RecordingView>(*window, CGRectMake(0, 0, 320, 480));
    auto button = UIButton::buttonWithType(UIButtonTypeRoundedRect);
    button->setFrame(CGRectMake(10, 10, 100, 40));
    holder->addSubview(button);
    std::string log;
    button->addAction([&](UIControl*, UIEvent*) { log += "D"; }, UIControlEventTouchDown);
    button->addAction([&](UIControl*, UIEvent*) { log += "I"; }, UIControlEventTouchUpInside);
    button->addAction([&](UIControl*, UIEvent*) { log += "O"; }, UIControlEventTouchUpOutside);
    bool highlightedWhileDown = false;
    button->addAction([&](UIControl* c, UIEvent*) { highlightedWhileDown = c->isHighlighted(); }, UIControlEventTouchDown);

    backend.tap(CGPointMake(50, 30));
    EXPECT_EQ(log, "DI");
    EXPECT_TRUE(highlightedWhileDown);
    EXPECT_FALSE(button->isHighlighted());

    log.clear();
    backend.drag(CGPointMake(50, 30), CGPointMake(300, 400));
    EXPECT_EQ(log, "DO");

    // Disabled: no events, and the touch goes to the view behind it.
    log.clear();
    button->setEnabled(false);
    backend.tap(CGPointMake(50, 30));
    EXPECT_EQ(log, "");
    EXPECT_EQ(holder->phases, "be");

    // Actions registered for a target can be removed together.
    button->setEnabled(true);
    int owner = 0;
    button->addTarget(&owner, [&](UIControl*, UIEvent*) { log += "T"; }, UIControlEventTouchUpInside);
    button->removeTarget(&owner, UIControlEventAllEvents);
    backend.tap(CGPointMake(50, 30));
    EXPECT_EQ(log, "DI");
}

TEST_F(TouchTest, TheEventHookSeesEveryTouchAndMaySwallowIt)
{
    auto v = addView<RecordingView>(*window, CGRectMake(0, 0, 320, 480));
    v->setMultipleTouchEnabled(true);
    size_t seenTouches = 0;
    UIView* seenView = nullptr;
    bool swallow = true;
    UIApplication::sharedApplication().setEventHook([&](UIEvent* e) {
        seenTouches = std::max(seenTouches, e->allTouches().size());
        if (!e->allTouches().empty()) seenView = (*e->allTouches().begin())->view();
        return swallow;
    });
    backend.twoFingerTap(CGPointMake(50, 50), CGPointMake(150, 150));
    EXPECT_EQ(seenTouches, 2u);
    EXPECT_EQ(seenView, v.get());
    EXPECT_EQ(v->phases, "");
    swallow = false;
    backend.twoFingerTap(CGPointMake(50, 50), CGPointMake(150, 150));
    EXPECT_EQ(v->phases, "be");
    EXPECT_EQ(v->maxTouches, 2u);
}

TEST_F(TouchTest, ASingleTouchViewGetsOnlyTheFirstFinger)
{
    auto v = addView<RecordingView>(*window, CGRectMake(0, 0, 320, 480));
    backend.twoFingerTap(CGPointMake(50, 50), CGPointMake(150, 150));
    EXPECT_EQ(v->maxTouches, 1u);
    EXPECT_EQ(v->phases, "be");
}

TEST_F(TouchTest, AModalBlockerKeepsTouchesFromViewsBehindIt)
{
    auto behind = addView<RecordingView>(*window, CGRectMake(0, 0, 320, 480));
    auto alert = addView<RecordingView>(*window, CGRectMake(40, 150, 240, 120));
    auto& app = UIApplication::sharedApplication();
    app.pushModalBlocker(alert.get());
    backend.tap(CGPointMake(10, 10));
    backend.tap(CGPointMake(100, 200));
    EXPECT_EQ(behind->phases, "");
    EXPECT_EQ(alert->phases, "be");
    app.removeModalBlocker(alert.get());
    backend.tap(CGPointMake(10, 10));
    EXPECT_EQ(behind->phases, "be");
}

// A view with the reading screen's long press: a one-shot timer started on touch-down.
class LongPressView : public UIView {
public:
    using UIView::UIView;
    void touchesBegan(const UITouchSet&, UIEvent*) override
    {
        ++began;
        timer = NSTimer::scheduledTimer(0.55, false, [this](NSTimer&) { ++fired; });
    }
    void touchesEnded(const UITouchSet& t, UIEvent*) override
    {
        ++ended;
        taps = (*t.begin())->tapCount();
        if (timer) timer->invalidate();
    }
    int began = 0, ended = 0, fired = 0, taps = 0;
    std::shared_ptr<NSTimer> timer;
};

TEST_F(TouchTest, LongPressFiresOnceAndQuickTapsCountUp)
{
    auto v = addView<LongPressView>(*window, CGRectMake(0, 0, 320, 480));
    backend.longPress(CGPointMake(100, 100), 0.8);
    EXPECT_EQ(v->began, 1);
    EXPECT_EQ(v->fired, 1);
    EXPECT_EQ(v->ended, 1);

    backend.advance(1000);
    backend.tap(CGPointMake(100, 100));
    EXPECT_EQ(v->taps, 1);
    backend.advance(100);
    backend.tap(CGPointMake(102, 101));
    EXPECT_EQ(v->taps, 2);
    EXPECT_EQ(v->fired, 1);
}

// Takes text and remote-control events as the first responder.
class InputView : public UIView {
public:
    using UIView::UIView;
    bool canBecomeFirstResponder() const override { return accepts; }
    void insertText(const std::string& t) override { text += t; }
    void deleteBackward() override
    {
        if (!text.empty()) text.pop_back();
    }
    void remoteControlReceivedWithEvent(UIEvent* e) override { remotes.push_back(e->subtype()); }
    bool accepts = true;
    std::string text;
    std::vector<int> remotes;
};

TEST_F(TouchTest, TextKeysAndRemoteControlGoToTheFirstResponder)
{
    auto field = addView<InputView>(*window, CGRectMake(0, 0, 100, 30));
    auto other = addView<InputView>(*window, CGRectMake(0, 40, 100, 30));
    backend.typeText("lost");  // nobody listens yet
    EXPECT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_EQ(window->firstResponder(), field.get());
    backend.typeText("سلام ab");
    backend.deleteBackward();
    EXPECT_EQ(field->text, "سلام a");

    other->accepts = false;
    EXPECT_FALSE(other->becomeFirstResponder());
    EXPECT_TRUE(field->isFirstResponder());

    auto& app = UIApplication::sharedApplication();
    backend.remoteControl(UIEventSubtypeRemoteControlTogglePlayPause);
    EXPECT_TRUE(field->remotes.empty());  // not receiving yet
    app.beginReceivingRemoteControlEvents();
    backend.remoteControl(UIEventSubtypeRemoteControlNextTrack);
    EXPECT_EQ(field->remotes, std::vector<int>{UIEventSubtypeRemoteControlNextTrack});

    // Leaving the tree gives up first responder status.
    field->removeFromSuperview();
    EXPECT_EQ(app.firstResponder(), nullptr);
}

TEST_F(TouchTest, AStatusBarTapGoesToItsHandlerNotToTheWindow)
{
    auto v = addView<RecordingView>(*window, CGRectMake(0, 0, 320, 480));
    auto& app = UIApplication::sharedApplication();
    int taps = 0;
    app.setStatusBarTapHandler([&] { ++taps; });
    app.setStatusBarHidden(false);
    backend.tap(CGPointMake(160, 10));
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(v->phases, "");
    backend.drag(CGPointMake(160, 10), CGPointMake(160, 200));  // slid off: no tap
    EXPECT_EQ(taps, 1);
    backend.pressKey(UIResponder::KeyHome);
    EXPECT_EQ(taps, 2);
    app.setStatusBarHidden(true);
    backend.tap(CGPointMake(160, 10));
    EXPECT_EQ(taps, 2);
    EXPECT_EQ(v->phases, "be");
}

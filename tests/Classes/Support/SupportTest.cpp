// The main-thread invocation proxy and the small platform extensions.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "Classes/Support/DDInvocationGrabber.h"
#include "Classes/Support/EventInterceptWindow.h"
#include "Classes/Support/UILabel+VerticalAlign.h"
#include "Classes/Support/UIView+FindAndResignFirstResponder.h"
#include "platform/foundation/RunLoop.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UITouch.h"

namespace {

struct Target {
    std::atomic<int> calls{0};
    std::atomic<bool> ranOnMain{false};
    std::string received;
    int answer(int x) {
        ++calls;
        ranOnMain = RunLoop::main().isMainThread();
        return x * 2;
    }
    void take(std::shared_ptr<std::string> text) {
        ++calls;
        ranOnMain = RunLoop::main().isMainThread();
        received = *text;
    }
};

class InvocationGrabberTest : public ::testing::Test {
protected:
    void SetUp() override { RunLoop::main().bindToCurrentThread(); }
};

TEST_F(InvocationGrabberTest, WaitingCallFromAWorkerRunsOnTheMainThreadAndReturnsTheResult) {
    auto target = std::make_shared<Target>();
    std::optional<int> result;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = dd_invokeOnMainThreadAndWaitUntilDone(target, true)->forwardInvocation(
            [](Target& t) { return t.answer(21); });
        done = true;
    });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return done.load(); }, 10.0));
    worker.join();
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(target->ranOnMain);
    EXPECT_EQ(target->calls, 1);
}

TEST_F(InvocationGrabberTest, QueuedCallKeepsItsArgumentsUntilTheMainThreadRunsIt) {
    auto target = std::make_shared<Target>();
    std::thread worker([&] {
        auto text = std::make_shared<std::string>("kept");
        auto r = dd_invokeOnMainThread(target)->forwardInvocation([text](Target& t) { t.take(text); });
        EXPECT_FALSE(r);   // nothing meaningful without waiting
    });
    worker.join();   // the worker's frame is gone before the call runs
    EXPECT_EQ(target->calls, 0);
    RunLoop::main().runUntil([&] { return target->calls.load() > 0; }, 10.0);
    EXPECT_EQ(target->received, "kept");
    EXPECT_TRUE(target->ranOnMain);
}

TEST_F(InvocationGrabberTest, OnTheMainThreadAWaitingCallRunsAtOnce) {
    auto target = std::make_shared<Target>();
    EXPECT_EQ(dd_invokeOnMainThreadAndWaitUntilDone(target, true)->forwardInvocation(
                  [](Target& t) { return t.answer(5); }),
              10);
    EXPECT_EQ(target->calls, 1);
}

TEST_F(InvocationGrabberTest, WithoutForwardingTheCallIsOnlyCaptured) {
    auto target = std::make_shared<Target>();
    auto grabber = DDInvocationGrabber<Target>::invocationGrabber()->prepareWithInvocationTarget(target);
    EXPECT_FALSE(grabber->forwardInvocation([](Target& t) { return t.answer(1); }));
    EXPECT_EQ(target->calls, 0);
    grabber->invocation()();
    EXPECT_EQ(target->calls, 1);
}

class TouchRecorder : public UIView {
public:
    using UIView::UIView;
    int began = 0;
    void touchesBegan(const UITouchSet&, UIEvent*) override { ++began; }
};

class Interceptor : public EventInterceptWindowDelegate {
public:
    bool swallow = false;
    int seen = 0;
    bool interceptEvent(UIEvent*) override {
        ++seen;
        return swallow;
    }
};

TEST(EventInterceptWindowTest, DelegateSeesEveryEventAndMaySwallowIt) {
    auto window = std::make_shared<EventInterceptWindow>(CGRectMake(0, 0, 100, 100));
    auto view = std::make_shared<TouchRecorder>(CGRectMake(0, 0, 50, 50));
    window->addSubview(view);
    UITouch touch;
    touch.setView(view);
    touch.setWindow(window);
    touch.setPhase(UITouchPhaseBegan);
    UIEvent event(UIEventTypeTouches, UIEventSubtypeNone, 0);
    event.setTouches({&touch});

    window->sendEvent(&event);   // no delegate: normal dispatch
    EXPECT_EQ(view->began, 1);
    Interceptor interceptor;
    window->setEventInterceptDelegate(&interceptor);
    window->sendEvent(&event);
    EXPECT_EQ(view->began, 2);
    interceptor.swallow = true;
    window->sendEvent(&event);
    EXPECT_EQ(view->began, 2);
    EXPECT_EQ(interceptor.seen, 2);
    window->setEventInterceptDelegate(nullptr);
}

class Field : public UIView {
public:
    using UIView::UIView;
    bool canBecomeFirstResponder() const override { return true; }
};

TEST(FindAndResignFirstResponderTest, ResignsTheFirstResponderBelowOrAnswersNo) {
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    auto middle = std::make_shared<UIView>(CGRectMake(0, 0, 50, 50));
    auto field = std::make_shared<Field>(CGRectMake(0, 0, 20, 20));
    root->addSubview(middle);
    middle->addSubview(field);
    EXPECT_FALSE(findAndResignFirstResponder(*root));
    ASSERT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(findAndResignFirstResponder(*root));
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_FALSE(findAndResignFirstResponder(*root));
}

TEST(VerticalAlignTest, AlignTopPadsShortTextAndLeavesAFullLabelAlone) {
    auto label = std::make_shared<UILabel>(CGRectMake(0, 0, 200, 60));
    label->setFont(UIFont::systemFontOfSize(17));
    label->setNumberOfLines(0);
    label->setText("short");
    alignTop(*label);
    const std::string padded = label->text();
    ASSERT_GT(padded.size(), 5u);
    EXPECT_EQ(padded.substr(0, 5), "short");
    EXPECT_EQ(padded.substr(5, 2), "\n ");

    auto bottom = std::make_shared<UILabel>(CGRectMake(0, 0, 200, 60));
    bottom->setFont(UIFont::systemFontOfSize(17));
    bottom->setNumberOfLines(3);
    bottom->setText("end");
    alignBottom(*bottom);
    EXPECT_EQ(bottom->text(), " \n \nend");
    // Three lines already fill a three-line label: nothing is added.
    bottom->setText("a\nb\nc");
    alignBottom(*bottom);
    EXPECT_EQ(bottom->text(), "a\nb\nc");
}

}  // namespace

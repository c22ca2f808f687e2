// The small platform extensions: event intercept window, first responder search, label alignment.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Classes/Support/EventInterceptWindow.h"
#include "Classes/Support/UILabel+VerticalAlign.h"
#include "Classes/Support/UIView+FindAndResignFirstResponder.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIEvent.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UITouch.h"

namespace {

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

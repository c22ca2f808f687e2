#include <gtest/gtest.h>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "platform/ui/hosting/UITextField.h"
#include "platform/ui/hosting/UIViewController.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

struct FieldDelegate : UITextFieldDelegate {
    std::vector<std::string> calls;
    bool refuseDigits = false;
    void textFieldDidBeginEditing(UITextField*) override { calls.push_back("begin"); }
    void textFieldDidEndEditing(UITextField*) override { calls.push_back("end"); }
    bool shouldChangeCharactersInRange(UITextField*, NSRange r, const std::string& s) override {
        calls.push_back("change " + std::to_string(r.location) + "," + std::to_string(r.length) + " '" + s + "'");
        return !(refuseDigits && !s.empty() && std::isdigit(static_cast<unsigned char>(s[0])));
    }
    bool textFieldShouldReturn(UITextField* f) override {
        calls.push_back("return");
        f->resignFirstResponder();
        return true;
    }
};

class TextInputTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        UIKeyboard::shared().reset();
        for (const char* n : {UIKeyboardWillShowNotification, UIKeyboardDidShowNotification, UIKeyboardWillHideNotification,
                              UIKeyboardDidHideNotification})
            NSNotificationCenter::defaultCenter().addObserver(this, n, [this, n] {
                notes.push_back(n);
                frames.push_back(UIKeyboard::userInfo().frameEnd);
            });
        field = std::make_shared<UITextField>(CGRectMake(20, 40, 280, 31));
        field->setBorderStyle(UITextBorderStyleRoundedRect);
        field->setDelegate(&delegate);
        window->addSubview(field);
    }
    void TearDown() override {
        NSNotificationCenter::defaultCenter().removeObserver(this);
        field->removeFromSuperview();
        field.reset();
        UIKeyboard::shared().reset();
        UITest::TearDown();
    }
    void tapKey(const std::string& key) {
        UIKeyboardPanel* panel = UIKeyboard::shared().panel();
        ASSERT_NE(panel, nullptr);
        CGPoint p = panel->convertPointToView(panel->centerOfKey(key), nullptr);
        backend.tap(p);
    }
    std::vector<std::string> notes;
    std::vector<CGRect> frames;
    FieldDelegate delegate;
    std::shared_ptr<UITextField> field;
};

TEST_F(TextInputTest, TappingAFieldRaisesTheKeyboardWithNotificationsAndFrames) {
    backend.tap(CGPointMake(100, 55));
    ASSERT_TRUE(field->isFirstResponder());
    EXPECT_TRUE(field->isEditing());
    EXPECT_EQ(notes, std::vector<std::string>{UIKeyboardWillShowNotification});
    EXPECT_TRUE(near(frames[0], CGRectMake(0, 480 - 216, 320, 216)));
    EXPECT_TRUE(near(UIKeyboard::userInfo().frameBegin, CGRectMake(0, 480, 320, 216)));
    EXPECT_TRUE(near(UIKeyboard::userInfo().bounds, CGRectMake(0, 0, 320, 216)));
    backend.advance(300);
    EXPECT_EQ(notes.back(), UIKeyboardDidShowNotification);
    EXPECT_TRUE(near(UIKeyboard::shared().panel()->frame(), CGRectMake(0, 264, 320, 216)));

    field->resignFirstResponder();
    EXPECT_EQ(notes.back(), UIKeyboardWillHideNotification);
    EXPECT_TRUE(near(frames.back(), CGRectMake(0, 480, 320, 216)));
    backend.advance(300);
    EXPECT_EQ(notes.back(), UIKeyboardDidHideNotification);
    EXPECT_EQ(UIKeyboard::shared().panel()->superview(), nullptr);
    EXPECT_EQ(delegate.calls, (std::vector<std::string>{"begin", "end"}));
}

TEST_F(TextInputTest, TypingThroughThePanelKeys) {
    field->setReturnKeyType(UIReturnKeySearch);
    ASSERT_TRUE(field->becomeFirstResponder());
    backend.advance(300);
    for (const char* k : {"shift", "s", "a", "l", "a", "m", "space", "x", "delete"}) tapKey(k);
    EXPECT_EQ(field->text(), "Salam ");
    tapKey("123");
    tapKey("7");
    EXPECT_EQ(field->text(), "Salam 7");
    tapKey("return");
    EXPECT_EQ(delegate.calls.back(), "end");
    EXPECT_EQ(delegate.calls[delegate.calls.size() - 2], "return");
    EXPECT_FALSE(field->isFirstResponder());
}

TEST_F(TextInputTest, PhysicalKeysTypeAndRangesCountUtf16) {
    ASSERT_TRUE(field->becomeFirstResponder());
    backend.typeText("سلام");
    backend.pressKey(UIResponder::KeyLeft);
    backend.deleteBackward();  // removes the second-to-last letter
    EXPECT_EQ(field->text(), "سلم");
    EXPECT_EQ(field->selectedRange(), (NSRange{2, 0}));
    std::vector<std::string> expected = {"begin", "change 0,0 'سلام'", "change 2,1 ''"};
    EXPECT_EQ(delegate.calls, expected);
    delegate.refuseDigits = true;
    backend.typeText("1");
    EXPECT_EQ(field->text(), "سلم");
    field->selectAll();
    backend.typeText("x");  // replaces everything
    EXPECT_EQ(field->text(), "x");
    EXPECT_EQ(delegate.calls.back(), "change 0,3 'x'");
}

TEST_F(TextInputTest, MovingFocusBetweenFieldsKeepsTheKeyboardUp) {
    auto other = std::make_shared<UITextField>(CGRectMake(20, 100, 280, 31));
    window->addSubview(other);
    ASSERT_TRUE(field->becomeFirstResponder());
    backend.advance(300);
    notes.clear();
    ASSERT_TRUE(other->becomeFirstResponder());
    backend.advance(300);
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(UIKeyboard::shared().isVisible());
    EXPECT_FALSE(field->isEditing());
    backend.typeText("b");
    EXPECT_EQ(other->text(), "b");
    EXPECT_EQ(field->text(), "");
    other->resignFirstResponder();
    EXPECT_EQ(notes, std::vector<std::string>{UIKeyboardWillHideNotification});
    other->removeFromSuperview();
}

TEST_F(TextInputTest, LandscapeKeyboardIsShorter) {
    class Turning : public UIViewController {
        bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }
    };
    UIViewController::installPlatformHooks();
    auto root = std::make_shared<Turning>();
    window->setRootViewController(root);
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.advance(500);
    auto f = std::make_shared<UITextField>(CGRectMake(10, 10, 200, 31));
    root->view()->addSubview(f);
    ASSERT_TRUE(f->becomeFirstResponder());
    EXPECT_TRUE(near(UIKeyboard::userInfo().bounds, CGRectMake(0, 0, 480, 162)));
    EXPECT_DOUBLE_EQ(frames.back().size.width, 162);  // turned into the portrait window
    EXPECT_DOUBLE_EQ(frames.back().size.height, 480);

    // Turned while it is up, it takes the other height and says so again.
    backend.advance(500);
    notes.clear();
    backend.rotate(UIDeviceOrientationPortrait);
    backend.advance(500);
    EXPECT_EQ(notes, (std::vector<std::string>{UIKeyboardWillShowNotification, UIKeyboardDidShowNotification}));
    EXPECT_TRUE(near(UIKeyboard::userInfo().bounds, CGRectMake(0, 0, 320, 216)));
    EXPECT_TRUE(near(frames.back(), CGRectMake(0, 480 - 216, 320, 216)));
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.advance(500);
    EXPECT_TRUE(near(UIKeyboard::userInfo().bounds, CGRectMake(0, 0, 480, 162)));
    // On the display: the keyboard's top edge is 162 points above the bottom.
    const auto above = backend.pixelAt(CGPointMake(240, 320 - 162 - 3));
    const auto on = backend.pixelAt(CGPointMake(5, 320 - 162 + 3));
    EXPECT_NE(above.r + above.g + above.b, on.r + on.g + on.b);
    EXPECT_TRUE(f->isFirstResponder());
}

}  // namespace

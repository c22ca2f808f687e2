#include "platform/ui/hosting/UIKeyboard.h"

#include <cmath>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/CGContext.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIViewController.h"

namespace {
constexpr double kDuration = 0.25;


const char* const kLetters[3] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
const char* const kNumbers[3] = {"1234567890", "-/:;()$&@\"", ".,?!'"};

std::string returnTitle(UIReturnKeyType t) {
    switch (t) {
    case UIReturnKeyGo: return "Go";
    case UIReturnKeyGoogle:
    case UIReturnKeySearch: return "Search";
    case UIReturnKeyJoin: return "Join";
    case UIReturnKeyNext: return "Next";
    case UIReturnKeyRoute: return "Route";
    case UIReturnKeySend: return "Send";
    case UIReturnKeyDone: return "Done";
    default: return "return";
    }
}
}  // namespace

UIKeyboard& UIKeyboard::shared() {
    static UIKeyboard k;
    return k;
}

void UIKeyboard::postNotification(const char* name, const UIKeyboardInfo& info) {
    UIKeyboardInfo saved = shared().info_;
    shared().info_ = info;
    shared().post(name);
    shared().info_ = saved;
}

void UIKeyboard::post(const char* name) { NSNotificationCenter::defaultCenter().postNotificationName(name); }

void UIKeyboard::inputDidBecomeFirstResponder(UIView* input) {
    input_ = input;
    auto* traits = dynamic_cast<UITextInputTraits*>(input);
    if (!visible_) show(input);
    if (panel_ && traits) {
        panel_->setReturnKeyType(traits->returnKeyType());
        panel_->setNumbers(traits->keyboardType() == UIKeyboardTypeNumberPad || traits->keyboardType() == UIKeyboardTypeNumbersAndPunctuation ||
                           traits->keyboardType() == UIKeyboardTypePhonePad);
    }
}

void UIKeyboard::inputDidResignFirstResponder(UIView* input) {
    if (input != input_) return;
    input_ = nullptr;
    if (handover_ > 0) return;
    hide();
}

void UIKeyboard::show(UIView* input) {
    UIView* root = input && input->window() ? UIViewController::interfaceRootView(input) : nullptr;
    if (!root) return;
    CGRect rb = root->bounds();
    if (!panel_) panel_ = std::make_shared<UIKeyboardPanel>();
    panel_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    rise(*root, CGRectMake(0, rb.size.height, rb.size.width, heightForOrientation(rb.size.width > rb.size.height)));
}

void UIKeyboard::rise(UIView& root, CGRect start) {
    CGRect rb = root.bounds();
    double h = heightForOrientation(rb.size.width > rb.size.height);
    CGRect end = CGRectMake(0, rb.size.height - h, rb.size.width, h);
    {
        bool was = UIView::areAnimationsEnabled();
        UIView::setAnimationsEnabled(false);
        panel_->setFrame(start);
        UIView::setAnimationsEnabled(was);
    }
    if (panel_->superview() != &root) root.addSubview(panel_);
    info_.frameBegin = root.convertRectToView(start, nullptr);
    info_.frameEnd = root.convertRectToView(end, nullptr);
    info_.bounds = CGRectMake(0, 0, rb.size.width, h);
    info_.centerBegin = CGPointMake(CGRectGetMidX(info_.frameBegin), CGRectGetMidY(info_.frameBegin));
    info_.centerEnd = CGPointMake(CGRectGetMidX(info_.frameEnd), CGRectGetMidY(info_.frameEnd));
    info_.animationDuration = kDuration;
    info_.animationCurve = UIViewAnimationCurveEaseInOut;
    visible_ = true;
    post(UIKeyboardWillShowNotification);
    UIView::beginAnimations("UIKeyboardShow");
    UIView::setAnimationDuration(kDuration);
    UIView::setAnimationDidStopSelector([](const std::string&, bool, void*) {
        UIKeyboard& k = shared();
        if (k.visible_) k.post(UIKeyboardDidShowNotification);
    });
    panel_->setFrame(end);
    UIView::commitAnimations();
}

void UIKeyboard::hide() {
    if (!visible_ || !panel_) return;
    visible_ = false;
    UIView* root = panel_->superview();
    CGRect from = panel_->frame();
    CGRect to = root ? CGRectMake(0, root->bounds().size.height, from.size.width, from.size.height) : from;
    info_.frameBegin = root ? root->convertRectToView(from, nullptr) : from;
    info_.frameEnd = root ? root->convertRectToView(to, nullptr) : to;
    info_.bounds = CGRectMake(0, 0, from.size.width, from.size.height);
    info_.centerBegin = CGPointMake(CGRectGetMidX(info_.frameBegin), CGRectGetMidY(info_.frameBegin));
    info_.centerEnd = CGPointMake(CGRectGetMidX(info_.frameEnd), CGRectGetMidY(info_.frameEnd));
    post(UIKeyboardWillHideNotification);
    std::weak_ptr<UIView> weakPanel = panel_;
    UIView::beginAnimations("UIKeyboardHide");
    UIView::setAnimationDuration(kDuration);
    UIView::setAnimationDidStopSelector([weakPanel](const std::string&, bool, void*) {
        UIKeyboard& k = shared();
        auto panel = weakPanel.lock();
        if (panel && !k.visible_) panel->removeFromSuperview();
        k.post(UIKeyboardDidHideNotification);
    });
    panel_->setFrame(to);
    UIView::commitAnimations();
}

void UIKeyboard::reset() {
    if (panel_) panel_->removeFromSuperview();
    panel_.reset();
    visible_ = false;
    input_ = nullptr;
    handover_ = 0;
    info_ = {};
}

// --- Panel ---

void UIKeyboardPanel::autoresizeWithOldSuperviewSize(CGSize oldSize) {
    UIView::autoresizeWithOldSuperviewSize(oldSize);
    UIKeyboard& keyboard = UIKeyboard::shared();
    UIView* root = superview();
    if (root && keyboard.panel_.get() == this && keyboard.visible_ && root->bounds().size != oldSize)
        keyboard.rise(*root, frame());
}

UIKeyboardPanel::UIKeyboardPanel() : UIView(CGRectMake(0, 0, 320, 216)) {
    setBackgroundColor(UIColor::colorWithRed(0.56, 0.6, 0.66, 1));
    setContentMode(UIViewContentModeRedraw);  // the keys are drawn for the panel's width
    buildKeys();
}

void UIKeyboardPanel::setReturnKeyType(UIReturnKeyType type) {
    returnType_ = type;
    setNeedsDisplay();
}

void UIKeyboardPanel::setNumbers(bool numbers) {
    if (numbers == numbers_) return;
    numbers_ = numbers;
    buildKeys();
}

void UIKeyboardPanel::layoutSubviews() { buildKeys(); }

void UIKeyboardPanel::buildKeys() {
    keys_.clear();
    CGRect b = bounds();
    const double rowH = b.size.height / 4;
    const double keyW = b.size.width / 10;
    const char* const* rows = numbers_ ? kNumbers : kLetters;
    for (int r = 0; r < 3; ++r) {
        std::string chars = rows[r];
        double count = static_cast<double>(chars.size());
        double x = (b.size.width - count * keyW) / 2;
        if (r == 2) x = (b.size.width - count * keyW) / 2;
        for (char ch : chars) {
            keys_.push_back({std::string(1, ch), CGRectMake(x, r * rowH, keyW, rowH)});
            x += keyW;
        }
    }
    keys_.push_back({numbers_ ? "ABC" : "shift", CGRectMake(0, 2 * rowH, keyW * 1.4, rowH)});
    keys_.push_back({"delete", CGRectMake(b.size.width - keyW * 1.4, 2 * rowH, keyW * 1.4, rowH)});
    keys_.push_back({numbers_ ? "ABC" : "123", CGRectMake(0, 3 * rowH, keyW * 2.5, rowH)});
    keys_.push_back({"space", CGRectMake(keyW * 2.5, 3 * rowH, keyW * 5, rowH)});
    keys_.push_back({"return", CGRectMake(keyW * 7.5, 3 * rowH, keyW * 2.5, rowH)});
    setNeedsDisplay();
}

std::string UIKeyboardPanel::keyAt(CGPoint p) const {
    for (const Key& k : keys_)
        if (CGRectContainsPoint(k.frame, p)) return k.id;
    return {};
}

CGPoint UIKeyboardPanel::centerOfKey(const std::string& key) const {
    for (const Key& k : keys_)
        if (k.id == key) return CGPointMake(CGRectGetMidX(k.frame), CGRectGetMidY(k.frame));
    return CGPointZero;
}

void UIKeyboardPanel::pressKey(const std::string& key) {
    auto& app = UIApplication::sharedApplication();
    if (key.empty()) return;
    if (key == "shift") {
        shift_ = !shift_;
        setNeedsDisplay();
    } else if (key == "123") {
        setNumbers(true);
    } else if (key == "ABC") {
        setNumbers(false);
    } else if (key == "delete") {
        app.handleDeleteBackward();
    } else if (key == "return") {
        app.handleKey(UIResponder::KeyReturn);
    } else if (key == "space") {
        app.handleText(" ");
    } else {
        std::string t = key;
        if (shift_) {
            t = str::uppercase(t);
            shift_ = false;
            setNeedsDisplay();
        }
        app.handleText(t);
    }
}

void UIKeyboardPanel::touchesBegan(const UITouchSet& touches, UIEvent*) {
    pressed_ = keyAt((*touches.begin())->locationInView(this));
    setNeedsDisplay();
}

void UIKeyboardPanel::touchesEnded(const UITouchSet& touches, UIEvent*) {
    std::string k = keyAt((*touches.begin())->locationInView(this));
    std::string was = pressed_;
    pressed_.clear();
    setNeedsDisplay();
    if (!k.empty() && k == was) pressKey(k);
}

void UIKeyboardPanel::touchesCancelled(const UITouchSet&, UIEvent*) {
    pressed_.clear();
    setNeedsDisplay();
}

void UIKeyboardPanel::drawRect(CGRect) {
    CGContext* c = UIGraphicsGetCurrentContext();
    if (!c) return;
    CGRect b = bounds();
    auto g = CGGradient::createWithColors({UIColor::colorWithRed(0.6, 0.64, 0.7, 1), UIColor::colorWithRed(0.45, 0.48, 0.55, 1)});
    c->drawLinearGradient(*g, CGPointMake(0, 0), CGPointMake(0, b.size.height), 0);
    auto font = UIFont::systemFontOfSize(20);
    auto small = UIFont::boldSystemFontOfSize(14);
    for (const Key& k : keys_) {
        CGRect r = CGRectInset(k.frame, 3, 5);
        bool special = k.id.size() > 1;
        bool down = k.id == pressed_;
        c->setRGBFillColor(0, 0, 0, 0.45);
        c->addRoundedRect(CGRectOffset(r, 0, 1), 5);
        c->fillPath();
        if (k.id == "return" && returnType_ != UIReturnKeyDefault) c->setRGBFillColor(0.2, 0.45, 0.9, 1);
        else if (down) c->setRGBFillColor(0.75, 0.77, 0.8, 1);
        else if (special) c->setRGBFillColor(0.68, 0.71, 0.76, 1);
        else c->setRGBFillColor(0.98, 0.98, 0.98, 1);
        c->addRoundedRect(r, 5);
        c->fillPath();
        std::string label = k.id;
        if (k.id == "shift") label = "\u21E7";
        else if (k.id == "delete") label = "\u232B";
        else if (k.id == "return") label = returnTitle(returnType_);
        else if (k.id == "space") label = "space";
        else if (shift_) label = str::uppercase(label);
        const UIFont& f = special ? *small : *font;
        double th = std::ceil(f.lineHeight());
        if (k.id == "return" && returnType_ != UIReturnKeyDefault) c->setRGBFillColor(1, 1, 1, 1);
        else c->setRGBFillColor(0.1, 0.1, 0.12, 1);
        drawInRect(*c, label, CGRectMake(r.origin.x, r.origin.y + std::floor((r.size.height - th) / 2), r.size.width, th), f,
                   UILineBreakModeClip, UITextAlignmentCenter);
    }
}

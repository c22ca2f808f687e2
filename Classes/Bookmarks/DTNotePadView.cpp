#include "Classes/Bookmarks/DTNotePadView.h"

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIKeyboard.h"

LinesView::LinesView(CGRect frame) : UIView(frame) {
    setUserInteractionEnabled(false);
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
}

void LinesView::drawRect(CGRect) {
    CGContext* context = UIGraphicsGetCurrentContext();
    if (!context) return;
    context->setStrokeColorWithColor(*UIColor::colorWithRed(166 / 255.0, 166 / 255.0, 166 / 255.0, 0.5));
    context->setShouldAntialias(false);
    context->setLineWidth(1);
    const CGRect f = frame();
    for (double y = kFirstLine; y < f.size.height; y += kLineStep) {
        context->moveToPoint(0, y);
        context->addLineToPoint(f.size.width, y);
        context->strokePath();
    }
}

DTNotePadView::DTNotePadView(CGRect frame) : UIView(frame) { setup(); }

DTNotePadView::~DTNotePadView() {
    NSNotificationCenter::defaultCenter().removeObserver(this);
    if (textView_) {
        textView_->setDelegate(nullptr);
        textView_->setContentSizeChangeHandler(nullptr);
    }
}

void DTNotePadView::setup() {
    setAutoresizesSubviews(true);
    setClipsToBounds(true);
    const CGRect f = frame();
    linesView_ = std::make_shared<LinesView>(f);
    linesView_->setContentMode(UIViewContentModeRedraw);
    linesView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(linesView_);

    textView_ = std::make_shared<UITextView>(CGRectMake(24, 0, f.size.width - 24, f.size.height));
    textView_->setContentInset(UIEdgeInsets{8, 0, 0, 0});
    textView_->setAlwaysBounceVertical(true);
    textView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(textView_);
    textView_->setDelegate(this);
    textView_->setFont(UIFont::fontWithName("Helvetica-Bold", 15));
    textView_->setOpaque(false);
    textView_->setBackgroundColor(UIColor::clearColor());
    textView_->setContentSizeChangeHandler([this](CGSize size) { contentSizeDidChange(size); });

    scrollViewDidScroll(textView_.get());
    auto& center = NSNotificationCenter::defaultCenter();
    center.addObserver(this, UIKeyboardWillShowNotification, [this] { liftMainViewWhenKeybordAppears(); });
    center.addObserver(this, UIKeyboardWillHideNotification, [this] { returnMainViewToInitialposition(); });
    linesView_->setFrame(CGRectMake(0, 8, f.size.width, f.size.height));
}

void DTNotePadView::textViewDidBeginEditing(UITextView*) {
    if (delegate_) delegate_->notePadViewDidBeginEditing(this);
}

void DTNotePadView::textViewDidChange(UITextView*) {
    if (delegate_) delegate_->notePadViewDidChange(this);
}

void DTNotePadView::textViewDidEndEditing(UITextView*) {
    if (delegate_) delegate_->notePadViewDidEndEditing(this);
}

void DTNotePadView::scrollViewDidScroll(UIScrollView* scrollView) {
    if (scrollView != textView_.get()) return;
    linesView_->setTransform(CGAffineTransformMakeTranslation(0, -textView_->contentOffset().y));
}

void DTNotePadView::contentSizeDidChange(CGSize size) {
    CGRect f = linesView_->frame();
    f.size.height = size.height + 2 * frame().size.height;
    linesView_->setFrame(f);
}

void DTNotePadView::liftMainViewWhenKeybordAppears() {
    const UIKeyboardInfo& info = UIKeyboard::userInfo();
    UIView::beginAnimations("");
    UIView::setAnimationDuration(info.animationDuration);
    UIView::setAnimationCurve(info.animationCurve);
    const CGRect keyboard = convertRectFromView(info.frameEnd, nullptr);
    CGRect f = textView_->frame();
    f.size.height = keyboard.origin.y - f.origin.y;
    if (f.size.height < 0) f.size.height = 0;
    textView_->setFrame(f);
    UIView::commitAnimations();
}

void DTNotePadView::returnMainViewToInitialposition() {
    const UIKeyboardInfo& info = UIKeyboard::userInfo();
    UIView::beginAnimations("");
    UIView::setAnimationDuration(info.animationDuration);
    UIView::setAnimationCurve(info.animationCurve);
    const CGRect f = frame();
    textView_->setFrame(CGRectMake(24, 0, f.size.width - 24, f.size.height));
    UIView::commitAnimations();
}

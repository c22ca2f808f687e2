#pragma once
// A text editor on ruled paper: a transparent text view in front of a view of lines that
// follows the text as it scrolls and grows, and a text view that stops above the keyboard.

#include <memory>

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UITextView.h"

class DTNotePadView;

class DTNotePadViewDelegate {
public:
    virtual ~DTNotePadViewDelegate() = default;
    virtual void notePadViewDidChange(DTNotePadView*) {}
    virtual void notePadViewDidBeginEditing(DTNotePadView*) {}
    virtual void notePadViewDidEndEditing(DTNotePadView*) {}
};

// The ruling: a line 24 points below the top, then one every 19 points.
class LinesView : public UIView {
public:
    explicit LinesView(CGRect frame);
    void drawRect(CGRect rect) override;
    static constexpr double kFirstLine = 24;
    static constexpr double kLineStep = 19;
};

class DTNotePadView : public UIView, public UITextViewDelegate {
public:
    explicit DTNotePadView(CGRect frame);
    ~DTNotePadView() override;

    const std::shared_ptr<UITextView>& textView() const { return textView_; }
    const std::shared_ptr<LinesView>& linesView() const { return linesView_; }
    DTNotePadViewDelegate* delegate() const { return delegate_; }
    void setDelegate(DTNotePadViewDelegate* d) { delegate_ = d; }  // unretained

    void textViewDidBeginEditing(UITextView*) override;
    void textViewDidChange(UITextView*) override;
    void textViewDidEndEditing(UITextView*) override;
    void scrollViewDidScroll(UIScrollView*) override;
    void contentSizeDidChange(CGSize size);
    void liftMainViewWhenKeybordAppears();
    void returnMainViewToInitialposition();

private:
    void setup();
    std::shared_ptr<UITextView> textView_;
    std::shared_ptr<LinesView> linesView_;
    DTNotePadViewDelegate* delegate_ = nullptr;  // unretained
};

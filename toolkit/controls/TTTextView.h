#pragma once
// The multi-line control of a TTTextEditor: while it sizes itself to its text and the text
// fits, its content never scrolls out of place.

#include "platform/ui/hosting/UITextView.h"

class TTTextView : public UITextView {
public:
    using UITextView::UITextView;
    using UITextView::setContentOffset;

    bool autoresizesToText() const { return _autoresizesToText; }
    void setAutoresizesToText(bool on) { _autoresizesToText = on; }
    bool overflowed() const { return _overflowed; }
    void setOverflowed(bool on) { _overflowed = on; }

    void setContentOffset(CGPoint offset, bool animated) override;

private:
    bool _autoresizesToText = false;
    bool _overflowed = false;
};

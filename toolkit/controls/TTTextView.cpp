#include "toolkit/controls/TTTextView.h"

void TTTextView::setContentOffset(CGPoint offset, bool animated) {
    UITextView::setContentOffset(_autoresizesToText && !_overflowed ? CGPointZero : offset, animated);
}

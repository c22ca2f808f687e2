#include "Classes/Support/UIView+FindAndResignFirstResponder.h"

#include "platform/ui/UIView.h"

bool findAndResignFirstResponder(UIView& view) {
    if (view.isFirstResponder()) return view.resignFirstResponder();
    for (const auto& subview : view.subviews())
        if (subview && findAndResignFirstResponder(*subview)) return true;
    return false;
}

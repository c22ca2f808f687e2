#pragma once
// A plain view laid over a list while the list's search bar is being edited: it dims the list
// a little and catches touches; a touch on it ends the search editing.

#include "platform/ui/UIView.h"

class OpaqueLayerDelegate {
public:
    virtual ~OpaqueLayerDelegate() = default;
    // Fade the overlay out, turn its touches off and let the search bar give up the keyboard.
    virtual void hideOpaqueView() = 0;
};

class OpaqueLayer : public UIView {
public:
    // Alpha 0, black background, touches off; the owner turns touches on and fades it in.
    explicit OpaqueLayer(CGRect frame);

    OpaqueLayerDelegate* delegate() const { return delegate_; }
    void setDelegate(OpaqueLayerDelegate* delegate) { delegate_ = delegate; }  // unretained

    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

private:
    OpaqueLayerDelegate* delegate_ = nullptr;
};

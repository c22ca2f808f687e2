#pragma once
// The progress HUD's pie: a faint disc with a white ring, filled clockwise from 12 o'clock.

#include "platform/ui/UIView.h"

class MBRoundProgressView : public UIView {
public:
    // 37 x 37 at the origin.
    MBRoundProgressView();
    explicit MBRoundProgressView(CGRect frame);

    float progress() const { return progress_; }
    void setProgress(float progress);
    void drawRect(CGRect rect) override;

private:
    float progress_ = 0;
};

// Draws the disc, ring and wedge of a round progress of `bounds` into the current context.
void drawRoundProgress(CGRect bounds, float progress);

#include "Classes/Audio/MBRoundProgressView.h"

#include <cmath>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"

MBRoundProgressView::MBRoundProgressView() : MBRoundProgressView(CGRectMake(0, 0, 37, 37)) {}

MBRoundProgressView::MBRoundProgressView(CGRect frame) : UIView(frame) {
    setBackgroundColor(UIColor::clearColor());
    setOpaque(false);
}

void MBRoundProgressView::setProgress(float progress) {
    progress_ = progress;
    setNeedsDisplay();
}

void MBRoundProgressView::drawRect(CGRect) { drawRoundProgress(bounds(), progress_); }

void drawRoundProgress(CGRect bounds, float progress) {
    CGContext* context = UIGraphicsGetCurrentContext();
    if (!context) return;
    const CGRect circle = CGRectInset(bounds, 2, 2);
    context->setRGBFillColor(1, 1, 1, 0.1);
    context->setRGBStrokeColor(1, 1, 1, 1);
    context->setLineWidth(2);
    context->fillEllipseInRect(circle);
    context->strokeEllipseInRect(circle);
    const double x = bounds.size.width / 2, y = bounds.size.height / 2;
    const double radius = (bounds.size.width - 4) / 2;
    const double start = -M_PI / 2;
    context->setRGBFillColor(1, 1, 1, 1);
    context->beginPath();
    context->moveToPoint(x, y);
    context->addArc(x, y, radius, start, start + progress * 2 * M_PI, false);
    context->closePath();
    context->fillPath();
}

#include "toolkit/controls/TTSearchlightLabel.h"

#include <cmath>

#include "platform/text/StringDrawing.h"
#include "toolkit/style/TTStyleSheet.h"

namespace {
constexpr double kFrameInterval = 1.0 / 32;
constexpr float kStep = 1.3f / 32;
constexpr float kStart = -0.5f;
constexpr float kLastShown = 1.5f;
constexpr float kEnd = 2.0f;
}  // namespace

TTSearchlightLabel::TTSearchlightLabel(CGRect frame) : UIView(frame) {
    _font = TTStyleSheet::globalStyleSheet()->font();
    _textColor = UIColor::colorWithWhite(0.25, 1);
    _spotlightColor = UIColor::whiteColor();
    setBackgroundColor(UIColor::clearColor());
    setContentMode(UIViewContentModeCenter);
}

TTSearchlightLabel::~TTSearchlightLabel() { stopAnimating(); }

CGSize TTSearchlightLabel::sizeThatFits(CGSize) const {
    if (_text.empty() || !_font) return CGSizeZero;
    return sizeWithFont(_text, *_font);
}

void TTSearchlightLabel::startAnimating() {
    if (_timer) return;
    _timer = NSTimer::scheduledTimer(kFrameInterval, true, [this](NSTimer&) { updateSpotlight(); });
    _spotlightPoint = kStart;
    newMask();
}

void TTSearchlightLabel::stopAnimating() {
    if (_timer) {
        _timer->invalidate();
        _timer = nullptr;
        releaseMask();
    }
    setNeedsDisplay();
}

void TTSearchlightLabel::updateSpotlight() {
    _spotlightPoint += kStep;
    if (_spotlightPoint > kEnd) _spotlightPoint = kStart;
    // Past the text the highlight rests: nothing visible changes.
    if (_spotlightPoint <= kLastShown) setNeedsDisplay();
}

void TTSearchlightLabel::newMask() {
    CGSize size = frame().size;
    _maskContext = CGBitmapContextCreate(static_cast<int>(std::ceil(size.width)), static_cast<int>(std::ceil(size.height)));
}

UIImagePtr TTSearchlightLabel::newSpotlightMask(CGRect rect, CGPoint origin, CGFloat radius) {
    if (!_maskContext) return nullptr;
    CGContext& mask = *_maskContext;
    mask.clearRect(CGRectMake(0, 0, 1e6, 1e6));
    auto gradient = CGGradient::createWithColorComponents({1, 1, 1, 1, 0, 0, 0, 0}, {0, 1});
    // The mask is clipped with the way images are placed, which turns the bitmap's y-up rows over
    // the view's y-down ones: a centre drawn at y lands at y in the view.
    mask.drawRadialGradient(*gradient, CGPointMake(origin.x - rect.origin.x, origin.y - rect.origin.y), 0,
                            CGPointMake(origin.x - rect.origin.x, origin.y - rect.origin.y), radius, 0);
    return CGBitmapContextCreateImage(mask);
}

void TTSearchlightLabel::drawRect(CGRect rect) {
    CGContext* context = UIGraphicsGetCurrentContext();
    if (!context || !_font || _text.empty()) return;
    CGSize textSize = sizeThatFits(CGSizeZero);
    CGFloat frameWidth = frame().size.width;
    CGFloat x = 0;
    if (_textAlignment == UITextAlignmentCenter)
        x = std::ceil(frameWidth / 2 - textSize.width / 2);
    else if (_textAlignment == UITextAlignmentRight)
        x = frameWidth - textSize.width;
    CGFloat capHeight = _font->capHeight();
    CGFloat baseline = capHeight;
    if (contentMode() == UIViewContentModeCenter)
        baseline = std::ceil(rect.size.height / 2 + capHeight / 2);
    else if (contentMode() == UIViewContentModeBottom)
        baseline = rect.size.height + _font->descender();
    // Text is drawn from the top of its line: the ascender above the baseline.
    CGPoint textOrigin = CGPointMake(x, baseline - _font->ascender());

    context->setFillColorWithColor(*_textColor);
    drawAtPoint(_text, textOrigin, *_font);

    if (!_timer) return;
    CGPoint centre = CGPointMake(x + textSize.width * _spotlightPoint, baseline - std::ceil(capHeight / 2));
    UIImagePtr mask = newSpotlightMask(rect, centre, capHeight * 2);
    if (!mask) return;
    context->saveGState();
    context->clipToMask(rect, *mask);
    context->setFillColorWithColor(*_spotlightColor);
    drawAtPoint(_text, textOrigin, *_font);
    context->restoreGState();
}

#include "platform/graphics/UIColor.h"

#include "platform/graphics/CGContext.h"

UIColor::UIColor(double red, double green, double blue, double alpha) : r_(red), g_(green), b_(blue), a_(alpha) {}

UIColor::UIColor(std::shared_ptr<UIImage> patternImage) : pattern_(std::move(patternImage)) {}

UIColorPtr UIColor::colorWithRed(double red, double green, double blue, double alpha) {
    return std::make_shared<UIColor>(red, green, blue, alpha);
}
UIColorPtr UIColor::colorWithWhite(double white, double alpha) {
    return std::make_shared<UIColor>(white, white, white, alpha);
}
UIColorPtr UIColor::colorWithPatternImage(std::shared_ptr<UIImage> image) {
    if (!image) return nullptr;
    return std::make_shared<UIColor>(std::move(image));
}

UIColorPtr UIColor::clearColor() { return colorWithWhite(0, 0); }
UIColorPtr UIColor::blackColor() { return colorWithWhite(0, 1); }
UIColorPtr UIColor::whiteColor() { return colorWithWhite(1, 1); }
UIColorPtr UIColor::grayColor() { return colorWithWhite(0.5, 1); }
UIColorPtr UIColor::darkGrayColor() { return colorWithWhite(1.0 / 3, 1); }
UIColorPtr UIColor::lightGrayColor() { return colorWithWhite(2.0 / 3, 1); }
UIColorPtr UIColor::redColor() { return colorWithRed(1, 0, 0, 1); }
UIColorPtr UIColor::greenColor() { return colorWithRed(0, 1, 0, 1); }
UIColorPtr UIColor::blueColor() { return colorWithRed(0, 0, 1, 1); }
UIColorPtr UIColor::yellowColor() { return colorWithRed(1, 1, 0, 1); }
UIColorPtr UIColor::orangeColor() { return colorWithRed(1, 0.5, 0, 1); }
UIColorPtr UIColor::brownColor() { return colorWithRed(0.6, 0.4, 0.2, 1); }
UIColorPtr UIColor::cyanColor() { return colorWithRed(0, 1, 1, 1); }
UIColorPtr UIColor::magentaColor() { return colorWithRed(1, 0, 1, 1); }
UIColorPtr UIColor::purpleColor() { return colorWithRed(0.5, 0, 0.5, 1); }

UIColorPtr UIColor::groupTableViewBackgroundColor() {
    // Vertical pinstripes: 7 points of light blue-grey, 3 points a shade darker.
    static UIImagePtr stripes = [] {
        CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 10, 1));
        Cairo cr(cairo_create(s.get()));
        cairo_set_source_rgb(cr.get(), 0.773, 0.800, 0.831);
        cairo_paint(cr.get());
        cairo_set_source_rgb(cr.get(), 0.745, 0.773, 0.808);
        cairo_rectangle(cr.get(), 7, 0, 3, 1);
        cairo_fill(cr.get());
        cr.reset();
        return std::make_shared<UIImage>(s.get(), 1.0);
    }();
    return colorWithPatternImage(stripes);
}

bool UIColor::getRed(double* red, double* green, double* blue, double* alpha) const {
    if (pattern_) return false;
    if (red) *red = r_;
    if (green) *green = g_;
    if (blue) *blue = b_;
    if (alpha) *alpha = a_;
    return true;
}

bool UIColor::getWhite(double* white, double* alpha) const {
    if (pattern_) return false;
    if (white) *white = 0.299 * r_ + 0.587 * g_ + 0.114 * b_;
    if (alpha) *alpha = a_;
    return true;
}

UIColorPtr UIColor::colorWithAlphaComponent(double alpha) const {
    auto c = std::make_shared<UIColor>(*this);
    c->a_ = alpha;
    return c;
}

void UIColor::set() const {
    setFill();
    setStroke();
}

void UIColor::setFill() const {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) ctx->setFillColorWithColor(*this);
}

void UIColor::setStroke() const {
    if (CGContext* ctx = UIGraphicsGetCurrentContext()) ctx->setStrokeColorWithColor(*this);
}

bool UIColor::operator==(const UIColor& o) const {
    return r_ == o.r_ && g_ == o.g_ && b_ == o.b_ && a_ == o.a_ && pattern_ == o.pattern_;
}

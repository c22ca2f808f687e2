#pragma once
// Colours: RGBA components from 0 to 1 (device RGB), or a repeating pattern image.

#include <memory>

class UIImage;
class UIColor;
using UIColorPtr = std::shared_ptr<UIColor>;

class UIColor {
public:
    UIColor(double red, double green, double blue, double alpha);
    explicit UIColor(std::shared_ptr<UIImage> patternImage);

    static UIColorPtr colorWithRed(double red, double green, double blue, double alpha);
    static UIColorPtr colorWithWhite(double white, double alpha);
    static UIColorPtr colorWithPatternImage(std::shared_ptr<UIImage> image);

    static UIColorPtr clearColor();
    static UIColorPtr blackColor();
    static UIColorPtr whiteColor();
    static UIColorPtr grayColor();       // 0.5
    static UIColorPtr darkGrayColor();   // 1/3
    static UIColorPtr lightGrayColor();  // 2/3
    static UIColorPtr redColor();
    static UIColorPtr greenColor();
    static UIColorPtr blueColor();
    static UIColorPtr yellowColor();
    static UIColorPtr orangeColor();
    static UIColorPtr brownColor();
    static UIColorPtr cyanColor();
    static UIColorPtr magentaColor();
    static UIColorPtr purpleColor();
    // Grouped table background: light blue-grey stripes.
    static UIColorPtr groupTableViewBackgroundColor();

    double red() const { return r_; }
    double green() const { return g_; }
    double blue() const { return b_; }
    double alpha() const { return a_; }
    // False for a pattern colour (its components read as opaque black).
    bool getRed(double* red, double* green, double* blue, double* alpha) const;
    bool getWhite(double* white, double* alpha) const;
    // Copy with another alpha; a pattern keeps its image.
    UIColorPtr colorWithAlphaComponent(double alpha) const;

    const std::shared_ptr<UIImage>& patternImage() const { return pattern_; }
    bool isPattern() const { return pattern_ != nullptr; }

    // Make this the fill and stroke / fill / stroke colour of the current context.
    void set() const;
    void setFill() const;
    void setStroke() const;

    bool operator==(const UIColor& o) const;

private:
    double r_ = 0, g_ = 0, b_ = 0, a_ = 1;
    std::shared_ptr<UIImage> pattern_;
};

// Controls drawn at one width and then widened (a bar turned to landscape) look like controls
// made at the new width: their text and shapes are drawn again, not stretched.

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UIProgressView.h"
#include "platform/ui/hosting/UIPageControl.h"
#include "platform/ui/hosting/UISearchBar.h"
#include "platform/ui/hosting/UISegmentedControl.h"
#include "platform/ui/hosting/UISlider.h"
#include "platform/ui/hosting/UITableViewSectionViews.h"
#include "platform/ui/hosting/UITextField.h"
#include "platform/ui/hosting/UITextView.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

struct Case {
    const char* name;
    double height;
    std::function<std::shared_ptr<UIView>()> make;
};

class ResizeRedrawTest : public UITest, public ::testing::WithParamInterface<Case> {
protected:
    // Pixels of two equally sized display rectangles that differ by more than a rounding.
    int differingPixels(CGRect a, CGRect b) {
        int n = 0;
        for (int y = 0; y < a.size.height; ++y)
            for (int x = 0; x < a.size.width; ++x) {
                const auto p = backend.pixelAt(CGPointMake(a.origin.x + x + 0.5, a.origin.y + y + 0.5));
                const auto q = backend.pixelAt(CGPointMake(b.origin.x + x + 0.5, b.origin.y + y + 0.5));
                n += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 24 ? 1 : 0;
            }
        return n;
    }
};

TEST_P(ResizeRedrawTest, AWidenedControlLooksLikeOneMadeAtItsNewWidth) {
    const Case& c = GetParam();
    auto widened = c.make();
    widened->setFrame(CGRectMake(10, 20, 150, c.height));
    window->addSubview(widened);
    backend.frame();
    widened->setFrame(CGRectMake(10, 20, 280, c.height));
    auto fresh = c.make();
    fresh->setFrame(CGRectMake(10, 240, 280, c.height));
    window->addSubview(fresh);
    backend.frame();
    EXPECT_LE(differingPixels(CGRectMake(10, 20, 280, c.height), CGRectMake(10, 240, 280, c.height)), 0) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ResizeRedrawTest,
    ::testing::Values(
        Case{"text field", 31,
             [] {
                 auto f = std::make_shared<UITextField>(CGRectZero);
                 f->setBorderStyle(UITextBorderStyleRoundedRect);
                 f->setText("mercy");
                 return f;
             }},
        Case{"search bar", 44,
             [] {
                 auto s = std::make_shared<UISearchBar>(CGRectMake(0, 0, 150, 44));
                 s->setText("mercy");
                 return s;
             }},
        Case{"segmented control", 30,
             [] { return std::make_shared<UISegmentedControl>(std::vector<std::string>{"Quran", "Translation"}); }},
        Case{"button", 37,
             [] {
                 auto b = UIButton::buttonWithType(UIButtonTypeRoundedRect);
                 b->setTitle("Download this Audio", UIControlStateNormal);
                 return b;
             }},
        Case{"slider", 23,
             [] {
                 auto s = std::make_shared<UISlider>(CGRectZero);
                 s->setValue(0.3);
                 return s;
             }},
        Case{"page control", 20,
             [] {
                 auto p = std::make_shared<UIPageControl>(CGRectZero);
                 p->setNumberOfPages(9);
                 return p;
             }},
        Case{"section header", 22,
             [] { return UITableViewSectionViews::makeTitleView("Juz 1", UITableViewStylePlain, false); }},
        Case{"text view", 60,
             [] {
                 auto t = std::make_shared<UITextView>(CGRectZero);
                 t->setText("A note that wraps onto a second line when the view is narrow");
                 return t;
             }},
        Case{"progress bar", 9,
             [] {
                 auto p = std::make_shared<UIProgressView>(UIProgressViewStyleDefault);
                 p->setProgress(0.4);
                 return p;
             }}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == ' ') ch = '_';
        return name;
    });

}  // namespace

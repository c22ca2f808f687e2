// The interface "Tajweed": the top bar with its back button over a scroll view of six rule
// sections, each holding its name, gloss, explanation, example caption, verse and listen button.
#include "Classes/Reference/TajweedInfoViewController.h"

#include <cmath>

#include "Classes/Bookmarks/TabScreenLayout.h"
#include "platform/text/UIFont.h"

namespace {

constexpr double kHeaderHeight = 56;    // name and gloss
constexpr double kExampleHeight = 136;  // caption, verse and button under the explanation

std::shared_ptr<UILabel> clearLabel(CGRect frame, const char* font, double size, UIColorPtr color) {
    auto label = std::make_shared<UILabel>(frame);
    label->setFont(UIFont::fontWithName(font, size));
    label->setTextColor(std::move(color));
    label->setBackgroundColor(UIColor::clearColor());
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    return label;
}

// One section at the height of the English interface; loading resizes it for the language.
void buildSection(TajweedInfoViewController& c, int i, double width) {
    const double h = TajweedInfoViewController::rules()[i].heightEnglish;
    const auto ink = UIColor::colorWithRed(0.33, 0.24, 0.10, 1);
    auto section = std::make_shared<UIView>(CGRectMake(0, 0, width, h));
    section->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewInfo[i] = section;

    c.bordered[i] = std::make_shared<BorderedView>(CGRectMake(8, 4, width - 16, h - 10));
    c.bordered[i]->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    c.bordered[i]->setBackgroundColor(UIColor::clearColor());
    section->addSubview(c.bordered[i]);

    c.lblTop[i] = clearLabel(CGRectMake(16, 6, width - 32, 26), "Helvetica-Bold", 20, ink);
    section->addSubview(c.lblTop[i]);
    c.lblTrans[i] = clearLabel(CGRectMake(16, 30, width - 32, 22), "Helvetica", 15,
                               UIColor::colorWithRed(136 / 255.0, 95 / 255.0, 13 / 255.0, 1));
    section->addSubview(c.lblTrans[i]);

    c.web[i] = std::make_shared<UIWebView>(CGRectMake(14, kHeaderHeight, width - 28, h - kHeaderHeight - kExampleHeight));
    c.web[i]->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    c.web[i]->setBackgroundColor(UIColor::clearColor());
    c.web[i]->setOpaque(false);
    // The explanations hold no links: a drag on one scrolls the page.
    c.web[i]->setUserInteractionEnabled(false);
    section->addSubview(c.web[i]);

    const double exampleTop = h - kExampleHeight;
    c.lblExample[i] = std::make_shared<UILabelLined>(CGRectMake(16, exampleTop + 4, width - 32, 20));
    c.lblExample[i]->setFont(UIFont::fontWithName("Helvetica-Bold", 13));
    c.lblExample[i]->setTextColor(ink);
    c.lblExample[i]->setBackgroundColor(UIColor::clearColor());
    c.lblExample[i]->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    c.lblExample[i]->setClipsToBounds(true);
    section->addSubview(c.lblExample[i]);

    c.img[i] = std::make_shared<VerseCanvas>(CGRectMake(12, exampleTop + 28, width - 24, 64));
    c.img[i]->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    c.img[i]->setBackgroundColor(UIColor::clearColor());
    c.img[i]->setOpaque(false);
    section->addSubview(c.img[i]);

    c.btnListen[i] = std::make_shared<UIButton>(CGRectMake(std::floor((width - 200) / 2), exampleTop + 96, 200, 32));
    c.btnListen[i]->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
                                        UIViewAutoresizingFlexibleTopMargin);
    c.btnListen[i]->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
    c.btnListen[i]->setTitleColor(UIColor::colorWithRed(126 / 255.0, 107 / 255.0, 69 / 255.0, 1), UIControlStateNormal);
    c.btnListen[i]->setBackgroundImage(UIImage::imageNamed("taj-example.png"), UIControlStateNormal);
    UIButton* button = c.btnListen[i].get();
    c.btnListen[i]->addTarget(&c, [&c, button](UIControl*, UIEvent*) { c.listenPressed(button); },
                              UIControlEventTouchUpInside);
    section->addSubview(c.btnListen[i]);
}

std::shared_ptr<UIView> buildTajweedView(TajweedInfoViewController& c) {
    TabScreenLayout layout = TabScreenLayout::make(80);
    c.imgBG = layout.background;
    c.viewTopBar = layout.topBar;
    c.imgTopBar = layout.topBarImage;
    c.lblTopTitle = layout.title;
    c.btnBack = layout.addBackButton(&c, [&c] { c.btnBackPressed(); });

    const double top = TabScreenLayout::kTopBarHeight;
    c.viewScroll = std::make_shared<UIScrollView>(CGRectMake(0, top, layout.width, layout.height - top));
    c.viewScroll->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    for (int i = 0; i < TajweedInfoViewController::kRuleCount; ++i) buildSection(c, i, layout.width);
    layout.root->addSubview(c.viewScroll);
    layout.root->addSubview(c.viewTopBar);
    return layout.root;
}

}  // namespace

void TajweedInfoViewController::registerInterface() {
    if (UIViewController::hasInterface("Tajweed")) return;
    UIViewController::registerInterface("Tajweed", [](UIViewController& owner) -> std::shared_ptr<UIView> {
        auto* page = dynamic_cast<TajweedInfoViewController*>(&owner);
        return page ? buildTajweedView(*page) : nullptr;
    });
}

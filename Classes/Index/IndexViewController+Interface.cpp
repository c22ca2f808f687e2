// The interface "IndexView": top bar, list with the juz bar beside it, juz caption and the
// download strip.
#include "Classes/Index/IndexViewController.h"

#include "Classes/Audio/DownloadCancelButton.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIScreen.h"

namespace {

constexpr double kTopBarHeight = 44;
constexpr double kJuzBarWidth = 30;
constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;

std::shared_ptr<UILabel> clearLabel(CGRect frame, UIFontPtr font, UIColorPtr color) {
    auto label = std::make_shared<UILabel>(frame);
    label->setBackgroundColor(UIColor::clearColor());
    label->setOpaque(false);
    label->setFont(std::move(font));
    label->setTextColor(std::move(color));
    return label;
}

std::shared_ptr<UIView> buildIndexView(IndexViewController& c) {
    CGRect frame = UIScreen::mainScreen().applicationFrame();
    frame.origin = CGPointMake(0, 0);
    const double w = frame.size.width;
    const double h = frame.size.height;
    auto root = std::make_shared<UIView>(frame);
    root->setAutoresizingMask(kFlexibleSize);
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.93, 0.86, 1));

    c.imgIndexBG = std::make_shared<UIImageView>(CGRectMake(0, 0, w, h));
    c.imgIndexBG->setAutoresizingMask(kFlexibleSize);
    root->addSubview(c.imgIndexBG);

    // Top bar: mode button, title, current-chapter button.
    c.viewTopBar = std::make_shared<UIView>(CGRectMake(0, 0, w, kTopBarHeight));
    c.viewTopBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.imgIndexHeader = std::make_shared<UIImageView>(CGRectMake(0, 0, w, kTopBarHeight));
    c.imgIndexHeader->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewTopBar->addSubview(c.imgIndexHeader);
    c.lblTopBarLabel = clearLabel(CGRectMake(90, 0, w - 180, kTopBarHeight), UIFont::fontWithName("Helvetica-Bold", 18),
                                  UIColor::colorWithRed(0.33, 0.24, 0.10, 1));
    c.lblTopBarLabel->setTextAlignment(UITextAlignmentCenter);
    c.lblTopBarLabel->setShadowColor(UIColor::colorWithWhite(1, 0.6));
    c.lblTopBarLabel->setShadowOffset(CGSizeMake(0, 1));
    c.lblTopBarLabel->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewTopBar->addSubview(c.lblTopBarLabel);
    c.btnSections = std::make_shared<UIButton>(CGRectMake(6, 7, 76, 30));
    c.btnSections->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    c.btnSections->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    c.btnSections->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnSectionsPressed(); }, UIControlEventTouchUpInside);
    c.viewTopBar->addSubview(c.btnSections);
    c.btnTopCurrentSurah = std::make_shared<UIButton>(CGRectMake(w - 100, 0, 100, kTopBarHeight));
    c.btnTopCurrentSurah->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    c.btnTopCurrentSurah->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    c.btnTopCurrentSurah->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    c.btnTopCurrentSurah->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnTopCurrentSurahPressed(); },
                                    UIControlEventTouchUpInside);
    c.viewTopBar->addSubview(c.btnTopCurrentSurah);
    root->addSubview(c.viewTopBar);

    // The list, the juz bar at its right edge, and the strip that slides in above the list.
    const double ch = h - kTopBarHeight;
    c.viewCenterContainer = std::make_shared<UIView>(CGRectMake(0, kTopBarHeight, w, ch));
    c.viewCenterContainer->setAutoresizingMask(kFlexibleSize);
    c.viewCenterContainer->setClipsToBounds(true);
    c.viewCenterContainer->setOpaque(false);
    root->insertSubviewBelowSubview(c.viewCenterContainer, c.viewTopBar.get());

    c.surahListTable = std::make_shared<UITableView>(CGRectMake(0, 0, w - kJuzBarWidth, ch), UITableViewStylePlain);
    c.surahListTable->setAutoresizingMask(kFlexibleSize);
    c.surahListTable->setBackgroundColor(UIColor::clearColor());
    c.surahListTable->setOpaque(false);
    c.surahListTable->setSeparatorColor(UIColor::colorWithRed(0.80, 0.73, 0.60, 1));
    c.surahListTable->setRowHeight(45);
    c.viewCenterContainer->addSubview(c.surahListTable);

    c.viewJuzzScroller = std::make_shared<UIScrollableBar>(CGRectMake(w - kJuzBarWidth, 0, kJuzBarWidth, ch));
    c.viewJuzzScroller->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleHeight);
    c.viewCenterContainer->addSubview(c.viewJuzzScroller);

    c.viewTablePartition = std::make_shared<UIView>(CGRectMake(0, 0, w - kJuzBarWidth, 23));
    c.viewTablePartition->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewTablePartition->setOpaque(false);
    c.viewTablePartition->setHidden(true);
    c.viewTablePartition->setUserInteractionEnabled(false);
    c.imgPartitionBG = std::make_shared<UIImageView>(CGRectMake(44, 0, w - kJuzBarWidth - 44, 23));
    c.imgPartitionBG->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewTablePartition->addSubview(c.imgPartitionBG);
    c.lblPartitionTitle = clearLabel(CGRectMake(58, 0, w - kJuzBarWidth - 58, 23), UIFont::fontWithName("Helvetica", 13),
                                     UIColor::colorWithRed(88 / 255.0, 66 / 255.0, 29 / 255.0, 1));
    c.viewTablePartition->addSubview(c.lblPartitionTitle);
    c.viewCenterContainer->addSubview(c.viewTablePartition);

    c.viewIndexDownloadContainer = std::make_shared<UIView>(CGRectMake(0, -36, w, 36));
    c.viewIndexDownloadContainer->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewIndexDownloadContainer->setBackgroundColor(UIColor::colorWithRed(0.23, 0.19, 0.13, 0.92));
    c.viewIndexDownloadContainer->setHidden(true);
    c.lblIndexDownload = clearLabel(CGRectMake(10, 3, w - 90, 16), UIFont::fontWithName("Helvetica-Bold", 12),
                                    UIColor::whiteColor());
    c.lblIndexDownload->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewIndexDownloadContainer->addSubview(c.lblIndexDownload);
    c.progressIndexDownload = std::make_shared<UIProgressView>(CGRectMake(10, 23, w - 90, 9));
    c.progressIndexDownload->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.viewIndexDownloadContainer->addSubview(c.progressIndexDownload);
    c.btnIndexDownload = makeDownloadCancelButton(CGRectMake(w - 72, 4, 64, 28));
    c.btnIndexDownload->addTarget(&c, [&c](UIControl*, UIEvent*) { c.cancelDownload(); }, UIControlEventTouchUpInside);
    c.viewIndexDownloadContainer->addSubview(c.btnIndexDownload);
    c.viewCenterContainer->addSubview(c.viewIndexDownloadContainer);
    return root;
}

}  // namespace

void IndexViewController::registerInterface() {
    if (!UIViewController::hasInterface("IndexView"))
        UIViewController::registerInterface("IndexView", [](UIViewController& owner) -> std::shared_ptr<UIView> {
            auto* index = dynamic_cast<IndexViewController*>(&owner);
            return index ? buildIndexView(*index) : nullptr;
        });
    ShellScreenFactory::setMaker("IndexView", [] { return IndexViewController::make(); });
}

#include "Classes/Audio/PlayOptionsSheet.h"

#include "Classes/Bookmarks/ScreenSupport.h"
#include "platform/text/UIFont.h"

namespace {

using screen_support::stretched;
using screen_support::tr;

std::shared_ptr<UIView> buildOptionsSheet(UIViewController& owner) {
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 320, 460));
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.94, 0.87, 1));
    auto* sheet = dynamic_cast<PlayOptionsSheet*>(&owner);
    if (!sheet) return root;
    PlayOptionsSheet& c = *sheet;
    c.imgTopBar = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 44));
    c.imgTopBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    c.lblTopTitle = std::make_shared<UILabel>(CGRectMake(80, 0, 160, 44));
    c.lblTopTitle->setTextAlignment(UITextAlignmentCenter);
    c.lblTopTitle->setFont(UIFont::fontWithName("Helvetica-Bold", 18));
    c.lblTopTitle->setTextColor(UIColor::colorWithRed(92 / 255.0, 62 / 255.0, 20 / 255.0, 1));
    c.lblTopTitle->setBackgroundColor(UIColor::clearColor());
    c.lblTopTitle->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    c.btnBack = std::make_shared<UIButton>(CGRectMake(6, 7, 64, 30));
    c.btnBack->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    c.btnBack->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    c.btnBack->addTarget(&c, [&c](UIControl*, UIEvent*) { c.btnBackPressed(); }, UIControlEventTouchUpInside);
    c.table = std::make_shared<UITableView>(CGRectMake(0, 44, 320, 366));
    c.table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    c.table->setDataSource(&c);
    c.table->setDelegate(&c);
    c.imgLegend = std::make_shared<UIImageView>(CGRectMake(10, 418, 30, 30));
    c.imgLegend->setImage(UIImage::imageNamed("Reciter-icon-updated.png"));
    c.imgLegend->setAutoresizingMask(UIViewAutoresizingFlexibleTopMargin);
    c.lblLegend1 = std::make_shared<UILabel>(CGRectMake(46, 414, 264, 18));
    c.lblLegend2 = std::make_shared<UILabel>(CGRectMake(10, 430, 300, 30));
    for (const auto& label : {c.lblLegend1, c.lblLegend2}) {
        label->setFont(UIFont::fontWithName("Helvetica", 11));
        label->setTextColor(UIColor::colorWithRed(101 / 255.0, 100 / 255.0, 94 / 255.0, 1));
        label->setBackgroundColor(UIColor::clearColor());
        label->setNumberOfLines(2);
        label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
    }
    for (const UIViewPtr& v : std::initializer_list<UIViewPtr>{c.table, c.imgTopBar, c.lblTopTitle, c.btnBack, c.imgLegend,
                                                               c.lblLegend1, c.lblLegend2})
        root->addSubview(v);
    return root;
}

}  // namespace

void PlayOptionsSheet::registerInterface() {
    if (!UIViewController::hasInterface("SurahOptionsReciter"))
        UIViewController::registerInterface("SurahOptionsReciter", buildOptionsSheet);
}

PlayOptionsSheet::PlayOptionsSheet(CGSize popoverSize) : UIViewController("SurahOptionsReciter") {
    registerInterface();
    setContentSizeForViewInPopover(popoverSize);
}

PlayOptionsSheet::~PlayOptionsSheet() {
    if (table) {
        table->setDataSource(nullptr);
        table->setDelegate(nullptr);
    }
}

void PlayOptionsSheet::setUpTopBar(const std::string& topTitle, bool showLegend) {
    lblTopTitle->setText(topTitle);
    imgTopBar->setImage(stretched("sura-navbar.png", 159, 0));
    for (unsigned state : {unsigned(UIControlStateNormal), unsigned(UIControlStateHighlighted)})
        btnBack->setTitle(tr("Back"), state);
    btnBack->setBackgroundImage(stretched("sura-button.png", 16, 0), UIControlStateNormal);
    btnBack->setBackgroundImage(stretched("sura-button-t.png", 16, 0), UIControlStateHighlighted);
    if (showLegend) return;
    for (UIView* v : {static_cast<UIView*>(imgLegend.get()), static_cast<UIView*>(lblLegend1.get()),
                      static_cast<UIView*>(lblLegend2.get())})
        v->setAlpha(0);
    // Without a legend the list takes its room.
    CGRect f = table->frame();
    f.size.height = view()->bounds().size.height - f.origin.y;
    table->setFrame(f);
}

UITableViewCellPtr PlayOptionsSheet::dequeueCell(UITableView* tableView) {
    UITableViewCellPtr cell = tableView->dequeueReusableCellWithIdentifier("VerseCell");
    if (cell) return cell;
    cell = std::make_shared<UITableViewCell>(UITableViewCellStyleDefault, "VerseCell");
    cell->textLabel()->setFont(UIFont::fontWithName("Helvetica-Bold", 16));
    if (UILabel* detail = cell->detailTextLabel()) {
        detail->setFont(UIFont::fontWithName("Helvetica", 15));
        detail->setTextColor(UIColor::colorWithRed(0.396, 0.392, 0.369, 1));
    }
    return cell;
}

void PlayOptionsSheet::setChecked(int section, int row, bool checked) {
    if (UITableViewCell* cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, section)))
        cell->setAccessoryType(checked ? UITableViewCellAccessoryCheckmark : UITableViewCellAccessoryNone);
}

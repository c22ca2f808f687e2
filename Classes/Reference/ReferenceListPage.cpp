#include "Classes/Reference/ReferenceListPage.h"

#include "Classes/Bookmarks/TabScreenLayout.h"
#include "Classes/Core/Language.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UINavigationController.h"

namespace {

UIImagePtr stretched(const char* name, int leftCap) {
    UIImagePtr image = UIImage::imageNamed(name);
    return image ? image->stretchableImageWithLeftCapWidth(leftCap, 0) : nullptr;
}

}  // namespace

std::string referenceText(const std::string& text) { return Language::get(text, text); }

ReferenceListPage::ReferenceListPage(const std::string& nibName) : UIViewController(nibName) {}

ReferenceListPage::~ReferenceListPage() {
    if (auto t = attached_.lock()) {
        t->setDataSource(nullptr);
        t->setDelegate(nullptr);
    }
}

ReferenceListPage::Frame ReferenceListPage::buildFrame(ReferenceListPage& page) {
    TabScreenLayout layout = TabScreenLayout::make(80);
    page.imgBG = layout.background;
    page.viewTopBar = layout.topBar;
    page.imgTopBarBG = layout.topBarImage;
    page.lblTopLabel = layout.title;
    page.btnBack = layout.addBackButton(&page, [&page] { page.btnBackPressed(); });

    const double top = TabScreenLayout::kTopBarHeight;
    Frame frame{layout.root, nullptr, layout.width, layout.height};
    frame.table = screenTable(CGRectMake(0, top, layout.width, layout.height - top), UITableViewStylePlain);
    frame.table->setBackgroundColor(UIColor::clearColor());
    frame.table->setOpaque(false);
    layout.root->addSubview(frame.table);
    layout.root->addSubview(page.viewTopBar);
    return frame;
}

void ReferenceListPage::setBackTitle(const std::string& title) {
    if (!btnBack) return;
    btnBack->setTitle(title, UIControlStateNormal);
    btnBack->setTitle(title, UIControlStateHighlighted);
}

void ReferenceListPage::attachTable(const std::shared_ptr<UITableView>& t, UIColorPtr separatorColor) {
    if (!t) return;
    attached_ = t;
    t->setSeparatorColor(separatorColor ? separatorColor : UIColor::clearColor());
    t->setDataSource(this);
    t->setDelegate(this);
}

void ReferenceListPage::btnBackPressed() {
    if (UINavigationController* nav = navigationController()) nav->popViewControllerAnimated(true);
}

void ReferenceListPage::rethemeUI() {
    if (imgTopBarBG) imgTopBarBG->setImage(stretched("bk-bmg-header.png", 159));
    if (btnBack) {
        btnBack->setBackgroundImage(stretched("button-arrow-left.png", 19), UIControlStateNormal);
        btnBack->setBackgroundImage(stretched("button-arrow-left-t.png", 19), UIControlStateHighlighted);
    }
}

std::shared_ptr<UITableView> screenTable(CGRect frame, UITableViewStyle style) {
    if (CGRectIsEmpty(frame)) {
        frame = UIScreen::mainScreen().applicationFrame();
        frame.origin = CGPointMake(0, 0);
    }
    auto table = std::make_shared<UITableView>(frame, style);
    table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    return table;
}

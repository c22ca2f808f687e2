#include "Classes/Reference/UpdateViewController.h"

#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/text/UIFont.h"

UpdateViewController::UpdateViewController(const std::string& nibName) : NoticePager(nibName) { registerInterface(); }

void UpdateViewController::registerInterface() {
    if (UIViewController::hasInterface("UpdateViewController")) return;
    UIViewController::registerInterface("UpdateViewController", [](UIViewController& owner) -> std::shared_ptr<UIView> {
        auto* notice = dynamic_cast<UpdateViewController*>(&owner);
        return notice ? buildFrame(*notice) : nullptr;
    });
}

void UpdateViewController::viewDidLoad() {
    viewWelcome = addPage(0);
    auto name = pageLabel(*viewWelcome, CGRectMake(20, 100, kPageWidth - 40, 50), "Lumeno", 36);
    name->setFont(UIFont::fontWithName("Helvetica-Bold", 36));
    lblWelcomeMid = pageLabel(*viewWelcome, CGRectMake(30, 190, kPageWidth - 60, 90), "Now available for iPad", 20);
    if (LumenoSDKAppDelegate::IsLanguageArabic()) lblWelcomeMid->setTextAlignment(UITextAlignmentRight);
    setPageCount(1);
    setCloseTitle(LumenoSDKAppDelegate::IsDeviceIPad() ? "Open" : "Close");
}


#include "Classes/Reference/ReferenceScreens.h"

#include "Classes/App/ShellScreens.h"
#include "Classes/Reference/HowToUseController.h"
#include "Classes/Reference/ReferenceListPage.h"
#include "Classes/Reference/SajdaViewController.h"
#include "Classes/Reference/StopSignsViewController.h"
#include "Classes/Reference/SupplicationsViewController.h"
#include "Classes/Reference/TajweedInfoViewController.h"
#include "Classes/Reference/TipsViewController.h"
#include "Classes/Reference/UpdateViewController.h"

void registerReferenceScreens() {
    TajweedInfoViewController::registerInterface();
    StopSignsViewController::registerInterface();
    SajdaViewController::registerInterface();
    SupplicationsViewController::registerInterface();
    TipsViewController::registerInterface();
    UpdateViewController::registerInterface();
    HowToUseController::registerInterface();
    ShellScreenFactory::setMaker("Tajweed", [] { return std::make_shared<TajweedInfoViewController>("Tajweed", 0, true); });
    ShellScreenFactory::setMaker("StopSigns", [] { return std::make_shared<StopSignsViewController>(); });
    ShellScreenFactory::setMaker("SupplicationDetailController", [] {
        auto page = std::make_shared<SajdaViewController>();
        page->setStrHeader(referenceText("Sajdas"));
        return page;
    });
    ShellScreenFactory::setMaker("SupplicationsViewController", [] { return std::make_shared<SupplicationsViewController>(); });
    ShellScreenFactory::setMaker("TipsViewController", [] { return std::make_shared<TipsViewController>(); });
    ShellScreenFactory::setMaker("UpdateViewController", [] { return std::make_shared<UpdateViewController>(); });
}

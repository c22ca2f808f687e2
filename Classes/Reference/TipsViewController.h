#pragma once
// The tips: nine swipeable pages presented modally (a welcome page, then the tips), carried to
// the second page after 4 s unless the user swipes first. Built from "TipsViewController".

#include <array>
#include <memory>
#include <string>

#include "Classes/Reference/NoticePager.h"

class TipsViewController : public NoticePager {
public:
    explicit TipsViewController(const std::string& nibName = "TipsViewController");

    static void registerInterface();
    static constexpr int kPageCount = 9;

    // ---- Outlets ----
    std::shared_ptr<UILabel> lblWelcomeTop, lblWelcomeEnd;
    std::shared_ptr<UIView> viewPage1, viewPage2, viewPage3, viewPage4, viewPage5, viewPage6, viewPage7, viewPage8;
    std::shared_ptr<UILabel> lblPage1, lblPage2, lblPage3, lblPage4, lblPage5_1, lblPage5_2, lblPage5_3, lblPage5_4,
        lblPage6, lblPage7_1, lblPage8;

    void setupForiPhone();
    void showPage2();
    void changePage();

    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;

protected:
    void cancelPendingAdvance() override;
};

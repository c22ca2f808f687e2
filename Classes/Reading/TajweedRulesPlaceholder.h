#pragma once
// Stands in for the Tajweed rules screen until the settings screens provide it: it names the
// rule it was opened at and closes with its button.

#include <memory>

#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIViewController.h"

class TajweedRulesPlaceholder : public UIViewController {
public:
    explicit TajweedRulesPlaceholder(int scrollTo);
    void loadView() override;
    int scrollTo() const { return scrollTo_; }
    std::shared_ptr<UILabel> lblRule;
    std::shared_ptr<UIButton> btnBack;

private:
    int scrollTo_;
};

#include "Classes/Reading/TajweedRulesPlaceholder.h"

#include "Classes/Core/Language.h"
#include "platform/graphics/UIColor.h"
#include "platform/text/UIFont.h"

namespace {
// Section order of the rules screen.
const char* const kRuleNames[] = {"Ghunna", "Ikhfa", "Idgham", "Iqlab", "Qalqala"};
}

TajweedRulesPlaceholder::TajweedRulesPlaceholder(int scrollTo) : UIViewController(""), scrollTo_(scrollTo) {}

void TajweedRulesPlaceholder::loadView() {
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 320, 480));
    root->setBackgroundColor(UIColor::colorWithRed(0.97, 0.95, 0.88, 1));
    lblRule = std::make_shared<UILabel>(CGRectMake(20, 200, 280, 40));
    lblRule->setTextAlignment(UITextAlignmentCenter);
    lblRule->setFont(UIFont::fontWithName("Helvetica-Bold", 20));
    lblRule->setBackgroundColor(UIColor::clearColor());
    const char* name = scrollTo_ >= 0 && scrollTo_ < 5 ? kRuleNames[scrollTo_] : kRuleNames[0];
    lblRule->setText(Language::get(name, name));
    btnBack = std::make_shared<UIButton>(CGRectMake(10, 10, 70, 30));
    btnBack->setTitle(Language::get("Back", "Back"), UIControlStateNormal);
    btnBack->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
    btnBack->addTarget(this, [this](UIControl*, UIEvent*) { dismissModalViewControllerAnimated(true); },
                       UIControlEventTouchUpInside);
    root->addSubview(lblRule);
    root->addSubview(btnBack);
    setView(root);
}

#pragma once
// Views the table makes itself: section header and footer views for titles, and
// the section index strip at the right edge.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIHostingTypes.h"

namespace UITableViewSectionViews {

std::shared_ptr<UIView> makeTitleView(const std::string& title, UITableViewStyle style, bool footer);

class IndexStrip : public UIView {
public:
    explicit IndexStrip(std::vector<std::string> titles);
    std::function<void(int index, const std::string& title)> onSelect;
    const std::vector<std::string>& titles() const { return titles_; }
    void drawRect(CGRect rect) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

private:
    void pick(UITouch* touch);
    std::vector<std::string> titles_;
    bool tracking_ = false;
    int last_ = -1;
};

}  // namespace UITableViewSectionViews

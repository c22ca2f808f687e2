#pragma once
// A plain row for the About screen's lists: a bold name in a read-only text view across the
// row, and one extra view of the caller's choosing.

#include <memory>
#include <string>

#include "platform/ui/hosting/UITableViewCell.h"
#include "platform/ui/hosting/UITextView.h"

class AboutTableViewCell : public UITableViewCell {
public:
    AboutTableViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier);

    UITextView* nameLabel() const { return nameLabel_.get(); }
    UIView* view() const { return view_.get(); }
    // Takes the previous extra view out of the content view and puts this one in.
    void setView(std::shared_ptr<UIView> view);

    void layoutSubviews() override;

private:
    std::shared_ptr<UITextView> nameLabel_;
    std::shared_ptr<UIView> view_;
};

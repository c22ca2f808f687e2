#pragma once
// A busy row: a grey activity indicator and a line of text.

#include "platform/ui/UIActivityIndicatorView.h"
#include "toolkit/tables/TTTableViewCell.h"

// The indicator and text, centred together.
class TTTableActivityLabel : public UIView {
public:
    TTTableActivityLabel();
    UIActivityIndicatorView* activityIndicator() const { return indicator_.get(); }
    UILabel* label() const { return label_.get(); }
    const std::string& text() const { return label_->text(); }
    void setText(const std::string& text);
    void layoutSubviews() override;

private:
    std::shared_ptr<UIActivityIndicatorView> indicator_;
    std::shared_ptr<UILabel> label_;
};

class TTTableActivityItemCell : public TTTableViewCell {
public:
    static constexpr const char* kClassName = "TTTableActivityItemCell";
    TTTableActivityItemCell(UITableViewCellStyle style, const std::string& identifier);

    TTTableObject object() const override { return item_; }
    void setObject(const TTTableObject& object) override;
    void layoutSubviews() override;
    TTTableActivityLabel* activityLabel() const { return activityLabel_.get(); }

private:
    std::shared_ptr<TTTableActivityLabel> activityLabel_;
    TTTableObject item_;
};

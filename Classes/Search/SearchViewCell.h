#pragma once
// The table cell of a search hit: hosts a SearchCellView and passes selection and highlight on.

#include <memory>
#include <string>

#include "Classes/Search/SearchCellView.h"
#include "platform/ui/hosting/UITableViewCell.h"

class SearchViewCell : public UITableViewCell {
public:
    SearchViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier);

    SearchCellView* cellView() const { return cellView_.get(); }

    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;
    using UITableViewCell::setHighlighted;
    using UITableViewCell::setSelected;

private:
    std::shared_ptr<SearchCellView> cellView_;
    std::shared_ptr<UIView> selectedBackground_;
};

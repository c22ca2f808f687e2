#pragma once
// A row of the search history: the eye that marks the search's hits in the reading view, the
// query, a badge with the translation's short name and the hit count.

#include <memory>
#include <string>

#include "Classes/Core/SavedSearch.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UITableViewCell.h"

class SavedSearchesViewController;

class SavedSearchCell : public UITableViewCell {
public:
    SavedSearchCell(UITableViewCellStyle style, const std::string& reuseIdentifier);

    // Unretained: the list owns the records and the cell.
    void setSavedSearch(SavedSearch* search);
    SavedSearch* ThisSavedSearch() const { return ThisSavedSearch_; }
    void setViewController(SavedSearchesViewController* controller) { viewController_ = controller; }  // unretained

    void updateReflectionState();
    void btnEyePressed();

    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;
    using UITableViewCell::setHighlighted;
    using UITableViewCell::setSelected;
    void layoutSubviews() override;

    std::shared_ptr<UILabel> lblTitle, lblResults;
    std::shared_ptr<UIButton> btnEye, btnTrans;

private:
    SavedSearch* ThisSavedSearch_ = nullptr;
    SavedSearchesViewController* viewController_ = nullptr;
};

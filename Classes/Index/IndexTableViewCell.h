#pragma once
// A row of the index table: carries one row view (a chapter row, or a hizb-quarter row for
// the identifier "SectionCell") and forwards to it.

#include <memory>
#include <string>

#include "Classes/Index/IndexViewCell.h"
#include "platform/ui/hosting/UITableViewCell.h"

class IndexTableViewCell : public UITableViewCell {
public:
    IndexTableViewCell(UITableViewCellStyle style, const std::string& reuseIdentifier, int row);

    void setDelegate(IndexViewCellDelegate* delegate);
    void setRow(int row, bool forceRefresh);
    void setRow(int row) { setRow(row, false); }
    int row() const { return row_; }
    void setIndexMeta(const IndexRowMetaPtr& meta);
    void updateSoundStatus();
    void setSelected(bool selected, bool animated) override;
    void setHighlighted(bool highlighted, bool animated) override;
    using UITableViewCell::setHighlighted;
    using UITableViewCell::setSelected;

    IndexViewCell* cellView() const { return cellView_.get(); }

private:
    int row_ = 0;
    std::shared_ptr<IndexViewCell> cellView_;
};

#pragma once
// The base of the toolkit's table cells: a platform cell that shows one row object and whose
// class answers the height of a row for an object before any cell exists.

#include <memory>
#include <string>

#include "platform/ui/hosting/UITableView.h"
#include "platform/ui/hosting/UITableViewCell.h"
#include "toolkit/tables/TTTableObject.h"

// A cell class as a value: its name (the reuse identifier), how to make one and its row height.
struct TTTableCellClass {
    const char* name;
    UITableViewCellPtr (*create)(UITableViewCellStyle style, const std::string& identifier);
    double (*rowHeightForObject)(UITableView* tableView, const TTTableObject& object);

    template <class Cell>
    static const TTTableCellClass& of()
    {
        static const TTTableCellClass cls{
            Cell::kClassName,
            [](UITableViewCellStyle style, const std::string& identifier) -> UITableViewCellPtr {
                return std::make_shared<Cell>(style, identifier);
            },
            &Cell::rowHeightForObject};
        return cls;
    }
    friend bool operator==(const TTTableCellClass& a, const TTTableCellClass& b) { return &a == &b; }
};

class TTTableViewCell : public UITableViewCell {
public:
    static constexpr const char* kClassName = "TTTableViewCell";
    TTTableViewCell(UITableViewCellStyle style, const std::string& identifier) : UITableViewCell(style, identifier) {}

    static double rowHeightForObject(UITableView* tableView, const TTTableObject& object) { return 44; }

    virtual TTTableObject object() const { return {}; }
    virtual void setObject(const TTTableObject& object) {}

    void prepareForReuse() override;
};

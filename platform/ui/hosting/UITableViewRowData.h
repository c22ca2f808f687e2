#pragma once

#include "platform/ui/hosting/NSIndexPath.h"

#include <optional>
#include <utility>
#include <vector>

// Vertical geometry of a table: heights asked once per reload, kept as prefix sums so that
// a row's offset and the rows in a band are found by binary search. A row's height may be an
// estimate until its exact height is set.
class UITableViewRowData {
public:
    struct Section {
        double top = 0;            // top of the header
        double headerHeight = 0;
        double footerHeight = 0;
        std::vector<double> rowTops;  // rows + 1 entries, relative to the first row's top
        std::vector<bool> estimated;  // per row; empty when every height is exact
        int rows() const { return static_cast<int>(rowTops.size()) - 1; }
        double rowsTop() const { return top + headerHeight; }
        double height() const { return headerHeight + rowTops.back() + footerHeight; }
    };

    void clear();
    void setTableHeaderHeight(double h) { tableHeaderHeight_ = h; }
    double tableHeaderHeight() const { return tableHeaderHeight_; }
    // Adds the next section; heights of rows are given in order, with the rows whose height
    // is only an estimate flagged (empty: all exact).
    void addSection(double headerHeight, const std::vector<double>& rowHeights, double footerHeight,
                    std::vector<bool> estimated = {});
    // Spacing between sections (grouped tables).
    void setSectionGap(double g) { sectionGap_ = g; }

    int numberOfSections() const { return static_cast<int>(sections_.size()); }
    int numberOfRows(int section) const;
    const Section& section(int s) const { return sections_[static_cast<size_t>(s)]; }
    bool contains(const NSIndexPath& p) const;

    // y and height of a row (content coordinates); nullopt for a row that does not exist.
    std::optional<std::pair<double, double>> rowSpan(const NSIndexPath& p) const;
    bool isEstimated(const NSIndexPath& p) const;
    // Sets a row's exact height, moving every row and section below it; the change in height.
    double setExactRowHeight(const NSIndexPath& p, double height);
    // Total height of headers, rows and footers (without the table footer view).
    double sectionsBottom() const;
    // The row whose span holds y, or nullopt (header, footer, gap or outside).
    std::optional<NSIndexPath> rowAt(double y) const;
    // Every row intersecting [y0, y1), in order.
    std::vector<NSIndexPath> rowsIn(double y0, double y1) const;
    // Sections whose header or footer intersects [y0, y1).
    std::vector<int> sectionsIn(double y0, double y1) const;

private:
    int sectionAt(double y) const;  // last section whose top <= y, or -1
    std::vector<Section> sections_;
    double tableHeaderHeight_ = 0;
    double sectionGap_ = 0;
};

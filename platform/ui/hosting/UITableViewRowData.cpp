#include "platform/ui/hosting/UITableViewRowData.h"

#include <algorithm>

void UITableViewRowData::clear() {
    sections_.clear();
}

void UITableViewRowData::addSection(double headerHeight, const std::vector<double>& rowHeights, double footerHeight,
                                    std::vector<bool> estimated) {
    Section s;
    s.top = sections_.empty() ? tableHeaderHeight_ + sectionGap_ : sections_.back().top + sections_.back().height() + sectionGap_;
    s.headerHeight = std::max(0.0, headerHeight);
    s.footerHeight = std::max(0.0, footerHeight);
    s.rowTops.reserve(rowHeights.size() + 1);
    double y = 0;
    s.rowTops.push_back(0);
    for (double h : rowHeights) {
        y += std::max(0.0, h);
        s.rowTops.push_back(y);
    }
    if (std::find(estimated.begin(), estimated.end(), true) != estimated.end()) {
        estimated.resize(rowHeights.size(), false);
        s.estimated = std::move(estimated);
    }
    sections_.push_back(std::move(s));
}

int UITableViewRowData::numberOfRows(int section) const {
    if (section < 0 || section >= numberOfSections()) return 0;
    return sections_[static_cast<size_t>(section)].rows();
}

bool UITableViewRowData::contains(const NSIndexPath& p) const {
    return p.section >= 0 && p.section < numberOfSections() && p.row >= 0 && p.row < numberOfRows(p.section);
}

std::optional<std::pair<double, double>> UITableViewRowData::rowSpan(const NSIndexPath& p) const {
    if (!contains(p)) return std::nullopt;
    const Section& s = sections_[static_cast<size_t>(p.section)];
    double top = s.rowsTop() + s.rowTops[static_cast<size_t>(p.row)];
    return std::make_pair(top, s.rowTops[static_cast<size_t>(p.row) + 1] - s.rowTops[static_cast<size_t>(p.row)]);
}

bool UITableViewRowData::isEstimated(const NSIndexPath& p) const {
    if (!contains(p)) return false;
    const Section& s = sections_[static_cast<size_t>(p.section)];
    return !s.estimated.empty() && s.estimated[static_cast<size_t>(p.row)];
}

double UITableViewRowData::setExactRowHeight(const NSIndexPath& p, double height) {
    if (!contains(p)) return 0;
    Section& s = sections_[static_cast<size_t>(p.section)];
    if (!s.estimated.empty()) s.estimated[static_cast<size_t>(p.row)] = false;
    const auto r = static_cast<size_t>(p.row);
    const double delta = std::max(0.0, height) - (s.rowTops[r + 1] - s.rowTops[r]);
    if (delta == 0) return 0;
    for (size_t i = r + 1; i < s.rowTops.size(); ++i) s.rowTops[i] += delta;
    for (size_t i = static_cast<size_t>(p.section) + 1; i < sections_.size(); ++i) sections_[i].top += delta;
    return delta;
}

double UITableViewRowData::sectionsBottom() const {
    if (sections_.empty()) return tableHeaderHeight_;
    return sections_.back().top + sections_.back().height() + sectionGap_;
}

int UITableViewRowData::sectionAt(double y) const {
    auto it = std::upper_bound(sections_.begin(), sections_.end(), y,
                               [](double v, const Section& s) { return v < s.top; });
    return static_cast<int>(it - sections_.begin()) - 1;
}

std::optional<NSIndexPath> UITableViewRowData::rowAt(double y) const {
    int si = sectionAt(y);
    if (si < 0) return std::nullopt;
    const Section& s = sections_[static_cast<size_t>(si)];
    double rel = y - s.rowsTop();
    if (rel < 0 || rel >= s.rowTops.back()) return std::nullopt;
    auto it = std::upper_bound(s.rowTops.begin(), s.rowTops.end(), rel);
    int row = static_cast<int>(it - s.rowTops.begin()) - 1;
    if (row < 0 || row >= s.rows()) return std::nullopt;
    return NSIndexPath{si, row};
}

std::vector<NSIndexPath> UITableViewRowData::rowsIn(double y0, double y1) const {
    std::vector<NSIndexPath> out;
    if (y1 <= y0) return out;
    int si = std::max(0, sectionAt(y0));
    for (; si < numberOfSections(); ++si) {
        const Section& s = sections_[static_cast<size_t>(si)];
        if (s.top >= y1) break;
        double base = s.rowsTop();
        // first row whose bottom is below y0
        auto first = std::upper_bound(s.rowTops.begin() + 1, s.rowTops.end(), y0 - base);
        for (int r = static_cast<int>(first - s.rowTops.begin()) - 1; r < s.rows(); ++r) {
            double top = base + s.rowTops[static_cast<size_t>(r)];
            if (top >= y1) break;
            if (s.rowTops[static_cast<size_t>(r) + 1] > s.rowTops[static_cast<size_t>(r)] || top >= y0) out.push_back({si, r});
        }
    }
    return out;
}

std::vector<int> UITableViewRowData::sectionsIn(double y0, double y1) const {
    std::vector<int> out;
    int si = std::max(0, sectionAt(y0));
    for (; si < numberOfSections(); ++si) {
        const Section& s = sections_[static_cast<size_t>(si)];
        if (s.top >= y1) break;
        if (s.top + s.height() > y0) out.push_back(si);
    }
    return out;
}

#pragma once

#include <compare>
#include <cstddef>
#include <functional>

// A (section, row) pair addressing one row of a table.
struct NSIndexPath {
    int section = 0;
    int row = 0;

    static NSIndexPath indexPathForRow(int row, int section) { return NSIndexPath{section, row}; }

    friend bool operator==(const NSIndexPath&, const NSIndexPath&) = default;
    friend auto operator<=>(const NSIndexPath&, const NSIndexPath&) = default;
};

template <>
struct std::hash<NSIndexPath> {
    std::size_t operator()(const NSIndexPath& p) const noexcept {
        return std::hash<long long>()((static_cast<long long>(p.section) << 32) ^ static_cast<unsigned>(p.row));
    }
};

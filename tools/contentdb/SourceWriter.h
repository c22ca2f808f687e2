// Writes the generated, checked-in C++ tables: the Quran reference tables and the glyph
// engine's width and mark-offset tables.
#pragma once

#include "tools/contentdb/QuranSources.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Metrics of one resolution set, in points, indexed by code - 82.
struct GlyphMetrics {
    std::array<uint32_t, 174> widths{};
    std::array<int32_t, 350> markOffsets{}; // 175 above, then 175 below
};

namespace SourceWriter {

std::string referenceTablesHeader();
std::string referenceTablesSource(const QuranMeta& meta);

std::string glyphMetricsHeader();
// sets in the order 0/5, 1, 6, 2/7, 3/8, 4/9
std::string glyphMetricsSource(const std::vector<GlyphMetrics>& sets);

// Writes text to path unless the file already holds exactly that text.
[[nodiscard]] bool writeIfChanged(const std::string& path, const std::string& text, std::string& error);

} // namespace SourceWriter

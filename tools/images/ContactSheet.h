// Lays PNG images out on one labelled sheet, each scaled to fit its cell, for looking them over.
#pragma once

#include <string>
#include <vector>

namespace ContactSheet {

// Writes the sheet to outPath; error says why when it returns false.
[[nodiscard]] bool write(const std::vector<std::string>& pngPaths, int columns, const std::string& outPath,
                         std::string& error);

} // namespace ContactSheet

// A contact sheet of one style's glyph images with a sample line set from them, for looking
// at the glyph set (contentdb-builder --sheet).
#pragma once

#include "tools/contentdb/GlyphRenderer.h"

#include <string>
#include <vector>

namespace GlyphSheet {

// A symbol of the sample line: a glyph code followed by the marks placed on it.
struct SampleSymbol {
    int code;
    std::vector<int> marks;
};

// Words in their joined forms (lam-alef and tanween included), right to left.
const std::vector<SampleSymbol>& sampleLine();

[[nodiscard]] bool write(int style, const std::vector<GlyphImage>& images, const GlyphMetrics& metrics,
                         const std::string& path, std::string& error);

} // namespace GlyphSheet

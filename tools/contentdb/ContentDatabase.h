// Writes the content database "lumeno.db" and the template user database "lumenodyn.db".
// Both are built in a temporary file beside the target and renamed over it only when complete.
#pragma once

#include "tools/contentdb/GlyphRenderer.h"
#include "tools/contentdb/QuranSources.h"

#include <functional>
#include <string>
#include <vector>

struct TranslationSource {
    int id = 0;           // trans<id>
    std::string file;     // quran-json file name, e.g. "quran_en.json"
    std::string field;    // verse member holding the text
};

// The translation ids the content database fills, and from which quran-json file.
const std::vector<TranslationSource>& translationSources();

struct ContentInputs {
    std::string quranJsonDir; // the package's dist folder
    QuranMeta meta;
    GlyphRenderer* renderer = nullptr;
    std::vector<int> styles{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
};

namespace ContentDatabase {

// Called with each style's images and metrics as they are rendered.
using StyleObserver = std::function<void(int style, const std::vector<GlyphImage>&, const GlyphMetrics&)>;

[[nodiscard]] bool build(const ContentInputs& inputs, const std::string& path, std::string& error,
                         const StyleObserver& observer = {});

[[nodiscard]] bool buildUserTemplate(const std::string& path, std::string& error);

// The statements that make the template user database.
const std::vector<std::string>& userTemplateSchema();

} // namespace ContentDatabase

#pragma once
// Screenshots that the docs show: the headless frame is written into the test's temp folder and,
// with LUMENO_UPDATE_DOCS set, copied into docs/ of the source tree.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/Paths.h"

namespace docs_screenshot {

inline void shoot(HeadlessBackend& backend, const std::string& name) {
    backend.frame();
    const std::string path = Paths::temp() + "/" + name;
    ASSERT_TRUE(backend.screenshot(path));
    EXPECT_GT(std::filesystem::file_size(path), 10000u);
    const char* update = std::getenv("LUMENO_UPDATE_DOCS");
    const char* source = std::getenv("LUMENO_SOURCE_DIR");
    if (update && *update && source)
        std::filesystem::copy_file(path, std::string(source) + "/docs/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
}

// Sum of the red, green and blue of a screen point.
inline int brightness(HeadlessBackend& backend, CGPoint p) {
    const auto px = backend.pixelAt(p);
    return px.r + px.g + px.b;
}

}  // namespace docs_screenshot

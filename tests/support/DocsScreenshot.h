#pragma once
// Screenshots of the headless frame, written into the test's temp folder; those the docs show
// are also checked against their picture in docs/ (see DocsPicture.h).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/Paths.h"
#include "tests/support/DocsPicture.h"

namespace docs_screenshot {

// The file written.
inline std::string shoot(HeadlessBackend& backend, const std::string& name) {
    backend.frame();
    const std::string path = Paths::temp() + "/" + name;
    EXPECT_TRUE(backend.screenshot(path)) << path;
    std::error_code ec;
    EXPECT_GT(std::filesystem::file_size(path, ec), 10000u) << path;
    return path;
}

// A screenshot that is docs/<name>.
inline void shootForDocs(HeadlessBackend& backend, const std::string& name) {
    EXPECT_TRUE(docs_picture::matchesDocs(shoot(backend, name), name));
}

// Sum of the red, green and blue of a screen point.
inline int brightness(HeadlessBackend& backend, CGPoint p) {
    const auto px = backend.pixelAt(p);
    return px.r + px.g + px.b;
}

}  // namespace docs_screenshot

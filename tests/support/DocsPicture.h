#pragma once
// The pictures in docs/ are renders of the tests that make them. A test writes its render into
// its temp folder and checks it against the committed picture; with LUMENO_UPDATE_DOCS set it
// copies the render over the picture instead (scripts/docs-pictures).

#include <gtest/gtest.h>

#include <string>

namespace docs_picture {

// How two pictures compare: the render is cut into square blocks of kBlock pixels, and a block
// differs when the mean of one of its channels is more than kChannel away from the same block of
// the picture, and from that block moved by a pixel in any direction. So ink that the font's
// rasterizer puts a pixel off passes; a row, a label or a spacing that changed does not.
inline constexpr int kBlock = 2;
inline constexpr int kChannel = 24;
inline constexpr double kShare = 0.001;  // of the blocks may differ

struct Difference {
    std::string error;   // unreadable or of another size; empty when compared
    double share = 0;    // of the blocks that differ
};

// Compares two PNG files; with `diffPng` given and more than kShare differing, writes the actual
// picture there faded, its differing blocks in red.
Difference compare(const std::string& expectedPng, const std::string& actualPng, const std::string& diffPng = {});

// The render at `actualPng` against docs/<name> of the source tree. A failure leaves
// <name>-expected.png, <name>-actual.png and <name>-diff.png in the test's temp folder.
testing::AssertionResult matchesDocs(const std::string& actualPng, const std::string& name);

}  // namespace docs_picture

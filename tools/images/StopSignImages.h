// The stop-sign images, drawn from the glyph images of the content database, so that the
// stop-signs page shows the very marks the verses are drawn with.
#pragma once

#include <string>

#include "tools/images/CalligraphyRenderer.h"

// Writes sign1.png ... sign7.png and their @2x images (40 x 40 points) into outDir from the
// glyph table of the content database at dbPath, inked in `ink`; false with `error` set when
// the database or a glyph cannot be read.
[[nodiscard]] bool renderStopSigns(const std::string& dbPath, const std::string& outDir, const InkStyle& ink,
                                   std::string& error);

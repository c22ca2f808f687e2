// Renders a line of Arabic text centred in a fixed box, scaled down to fit, into PNG files.
#pragma once

#include <string>

struct InkStyle {
    double red, green, blue;
};

class CalligraphyRenderer {
public:
    // fontFile is added to the font configuration; family names the face inside it.
    CalligraphyRenderer(const std::string& fontFile, const std::string& family);

    [[nodiscard]] bool ready() const { return ready_; }
    [[nodiscard]] const std::string& error() const { return error_; }

    // Draws text in ink, fitted into width x height points less padding, at the given scale;
    // rosettes adds a small ornament at each side of the text.
    [[nodiscard]] bool render(const std::string& text, int width, int height, double padding, int scale,
                              const InkStyle& ink, bool rosettes, const std::string& pngPath);

private:
    std::string family_;
    std::string error_;
    bool ready_ = false;
};

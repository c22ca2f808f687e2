#pragma once
// Colour gradients: colour stops at locations from 0 to 1.

#include "platform/graphics/UIColor.h"

#include <memory>
#include <vector>

class CGGradient;
using CGGradientRef = std::shared_ptr<const CGGradient>;

// Options for drawing: extend the start colour before the start, the end colour after the end.
enum CGGradientDrawingOptions : unsigned {
    kCGGradientDrawsBeforeStartLocation = 1u << 0,
    kCGGradientDrawsAfterEndLocation = 1u << 1,
};

class CGGradient {
public:
    struct Stop {
        double location = 0;
        double r = 0, g = 0, b = 0, a = 1;
    };

    // Colours with their locations; with no locations the colours are spread evenly from 0 to 1.
    // Null when there are no colours or the counts differ.
    static CGGradientRef createWithColors(const std::vector<UIColorPtr>& colors, const std::vector<double>& locations = {});
    // Components are RGBA quadruples, one per location.
    static CGGradientRef createWithColorComponents(const std::vector<double>& components,
                                                   const std::vector<double>& locations);

    const std::vector<Stop>& stops() const { return stops_; }

    explicit CGGradient(std::vector<Stop> stops) : stops_(std::move(stops)) {}

private:
    std::vector<Stop> stops_;
};

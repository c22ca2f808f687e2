#include "platform/graphics/CGGradient.h"

CGGradientRef CGGradient::createWithColors(const std::vector<UIColorPtr>& colors, const std::vector<double>& locations) {
    if (colors.empty() || (!locations.empty() && locations.size() != colors.size())) return nullptr;
    std::vector<Stop> stops;
    for (size_t i = 0; i < colors.size(); ++i) {
        Stop s;
        s.location = !locations.empty() ? locations[i]
                     : colors.size() == 1 ? 0.0
                                          : static_cast<double>(i) / static_cast<double>(colors.size() - 1);
        if (colors[i]) colors[i]->getRed(&s.r, &s.g, &s.b, &s.a);
        stops.push_back(s);
    }
    return std::make_shared<CGGradient>(std::move(stops));
}

CGGradientRef CGGradient::createWithColorComponents(const std::vector<double>& components,
                                                    const std::vector<double>& locations) {
    if (locations.empty() || components.size() != locations.size() * 4) return nullptr;
    std::vector<Stop> stops;
    for (size_t i = 0; i < locations.size(); ++i)
        stops.push_back({locations[i], components[4 * i], components[4 * i + 1], components[4 * i + 2],
                         components[4 * i + 3]});
    return std::make_shared<CGGradient>(std::move(stops));
}

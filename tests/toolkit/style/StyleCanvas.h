#pragma once
// Draws style chains and shapes into a small transparent canvas and reads its pixels.

#include <functional>
#include <memory>

#include "platform/graphics/CGContext.h"
#include "tests/platform/graphics/Pixels.h"
#include "toolkit/style/TTStyle.h"

inline const Rgba kRed{255, 0, 0, 255};
inline const Rgba kWhite{255, 255, 255, 255};
inline const Rgba kClear{0, 0, 0, 0};

struct StyleCanvas {
    std::unique_ptr<CGContext> context;

    StyleCanvas(int width, int height) : context(makeContext(width, height)) {}

    // Runs `paint` with the canvas as the current context.
    void draw(const std::function<void()>& paint) {
        UIGraphicsPushContext(context.get());
        paint();
        UIGraphicsPopContext();
    }
    // Draws the chain in the rectangle; answers the context as the chain left it.
    TTStyleContext drawStyle(const TTStylePtr& style, CGRect rect, TTStyleDelegate* delegate = nullptr) {
        TTStyleContext ctx;
        ctx.delegate = delegate;
        ctx.frame = rect;
        ctx.contentFrame = rect;
        draw([&] { style->draw(ctx); });
        return ctx;
    }
    Rgba at(int x, int y) const { return pixelOf(*context, x, y); }
};

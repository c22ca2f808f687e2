#pragma once
// Outlines that style chains fill, stroke, clip and shadow. A shape only builds paths in the
// current drawing context (or in a given path); it never paints.

#include <memory>

#include "platform/foundation/NSKeyedArchiver.h"
#include "platform/graphics/Geometry.h"

class CGContext;
class CGPath;

// A radius of -1 stands for half the height of the outlined rectangle.
inline constexpr float TTRoundedRadius = -1;

class TTShape : public NSCoding {
public:
    ~TTShape() override = default;

    // A deep copy made by archiving and reading back.
    std::shared_ptr<TTShape> copy() const;
    std::string archiveClassName() const override { return "TTShape"; }
    void encodeWithCoder(NSKeyedArchiver&) const override {}

    // Saves the graphics state, moves the origin to the rect's corner and begins a new path.
    virtual void openPath(CGRect rect);
    // Closes the subpath and restores the state saved by openPath; the path stays current.
    virtual void closePath(CGRect rect);
    virtual UIEdgeInsets insetsForSize(CGSize size) const { return {}; }
    // One edge as an open subpath, relative to the rect's origin (the caller opens the path).
    virtual void addTopEdgeToPath(CGRect rect, int lightSource) {}
    virtual void addRightEdgeToPath(CGRect rect, int lightSource) {}
    virtual void addBottomEdgeToPath(CGRect rect, int lightSource) {}
    virtual void addLeftEdgeToPath(CGRect rect, int lightSource) {}
    virtual void addToPath(CGRect rect) {}
    // A frame 5 points beyond the rect followed by the outline (for even-odd fills).
    virtual void addInverseToPath(CGRect rect) {}

    // Registers every shape class with the unarchiver (idempotent).
    static void registerArchiveClasses();

protected:
    static CGContext* context();
    // The light-source rule of the top-left (or top-right) corner: 0 to 90 gives it to the side.
    static bool lightFromSide(int lightSource) { return lightSource >= 0 && lightSource <= 90; }
    // The radius in use: the stored one, or round(height / 2) for TTRoundedRadius.
    static float resolve(float radius, float height);
    // Adds `path` to the context (translated by the rect's origin) between openPath and closePath.
    void addPathBetween(CGRect rect, const CGPath& path);
};
using TTShapePtr = std::shared_ptr<TTShape>;

class TTRectangleShape : public TTShape {
public:
    // The one shared rectangle.
    static std::shared_ptr<TTRectangleShape> shape();
    std::string archiveClassName() const override { return "TTRectangleShape"; }
    void addTopEdgeToPath(CGRect rect, int lightSource) override;
    void addRightEdgeToPath(CGRect rect, int lightSource) override;
    void addBottomEdgeToPath(CGRect rect, int lightSource) override;
    void addLeftEdgeToPath(CGRect rect, int lightSource) override;
    void addToPath(CGRect rect) override;
    void addInverseToPath(CGRect rect) override;
};

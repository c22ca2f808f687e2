#pragma once
// A rectangle with four independent corner radii.

#include "toolkit/style/TTShape.h"

class TTRoundedRectangleShape : public TTShape {
public:
    static std::shared_ptr<TTRoundedRectangleShape> shapeWithRadius(float radius);
    static std::shared_ptr<TTRoundedRectangleShape> shapeWithTopLeft(float topLeft, float topRight, float bottomRight,
                                                                     float bottomLeft);
    static std::shared_ptr<NSCoding> decode(NSKeyedUnarchiver& coder);

    float topLeftRadius = 0, topRightRadius = 0, bottomRightRadius = 0, bottomLeftRadius = 0;

    std::string archiveClassName() const override { return "TTRoundedRectangleShape"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;
    void addTopEdgeToPath(CGRect rect, int lightSource) override;
    void addRightEdgeToPath(CGRect rect, int lightSource) override;
    void addBottomEdgeToPath(CGRect rect, int lightSource) override;
    void addLeftEdgeToPath(CGRect rect, int lightSource) override;
    void addToPath(CGRect rect) override;
    void addInverseToPath(CGRect rect) override;

private:
    struct Radii { float tl, tr, br, bl; };
    Radii radiiFor(float height) const;
    void outline(CGPath& path, float w, float h) const;
};

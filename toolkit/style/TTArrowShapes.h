#pragma once
// Rounded rectangles whose right or left end is a pointed arrow (back and forward buttons).

#include "toolkit/style/TTShape.h"

class TTArrowShape : public TTShape {
public:
    float radius = 0;
    void encodeWithCoder(NSKeyedArchiver& coder) const override;

protected:
    float resolvedRadius(float h) const { return resolve(radius, h); }
    // The inset radius: a third of the height replaces the height for TTRoundedRadius.
    float insetRadius(float h) const;
    static float pointDepth(float h);
};

class TTRoundedRightArrowShape : public TTArrowShape {
public:
    static std::shared_ptr<TTRoundedRightArrowShape> shapeWithRadius(float radius);
    static std::shared_ptr<NSCoding> decode(NSKeyedUnarchiver& coder);
    std::string archiveClassName() const override { return "TTRoundedRightArrowShape"; }
    UIEdgeInsets insetsForSize(CGSize size) const override;
    void addTopEdgeToPath(CGRect rect, int lightSource) override;
    void addRightEdgeToPath(CGRect rect, int lightSource) override;
    void addBottomEdgeToPath(CGRect rect, int lightSource) override;
    void addLeftEdgeToPath(CGRect rect, int lightSource) override;
    void addToPath(CGRect rect) override;
    // No inverse: the right arrow's outside is empty.
};

class TTRoundedLeftArrowShape : public TTArrowShape {
public:
    static std::shared_ptr<TTRoundedLeftArrowShape> shapeWithRadius(float radius);
    static std::shared_ptr<NSCoding> decode(NSKeyedUnarchiver& coder);
    std::string archiveClassName() const override { return "TTRoundedLeftArrowShape"; }
    UIEdgeInsets insetsForSize(CGSize size) const override;
    void addTopEdgeToPath(CGRect rect, int lightSource) override;
    void addRightEdgeToPath(CGRect rect, int lightSource) override;
    void addBottomEdgeToPath(CGRect rect, int lightSource) override;
    void addLeftEdgeToPath(CGRect rect, int lightSource) override;
    void addToPath(CGRect rect) override;
    void addInverseToPath(CGRect rect) override;

private:
    void outline(CGPath& path, float w, float h) const;
};

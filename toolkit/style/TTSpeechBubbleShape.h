#pragma once
// A rounded box with a pointer on one of its sides; locations run clockwise from the middle of
// the left side (0) over the top (90) and right (180) to the bottom (270).

#include "toolkit/style/TTShape.h"

class TTSpeechBubbleShape : public TTShape {
public:
    static std::shared_ptr<TTSpeechBubbleShape> shapeWithRadius(float radius, float pointLocation, float pointAngle,
                                                                CGSize pointSize);
    static std::shared_ptr<NSCoding> decode(NSKeyedUnarchiver& coder);

    float radius = 0, pointLocation = 0, pointAngle = 0;
    CGSize pointSize{};

    std::string archiveClassName() const override { return "TTSpeechBubbleShape"; }
    void encodeWithCoder(NSKeyedArchiver& coder) const override;

    // The body: the rect at the origin less the room of the pointer on its side.
    CGRect subtractPointFromRect(CGRect rect) const;
    void addTopEdge(CGSize size, int lightSource, CGPath& path, bool reset) const;
    void addRightEdge(CGSize size, int lightSource, CGPath& path, bool reset) const;
    void addBottomEdge(CGSize size, int lightSource, CGPath& path, bool reset) const;
    void addLeftEdge(CGSize size, int lightSource, CGPath& path, bool reset) const;
    void addToPath(CGSize size, CGPath& path) const;
    // Adds the path to the current context at the rect's origin.
    static void drawPath(const CGPath& path, CGRect rect);

    void addTopEdgeToPath(CGRect rect, int lightSource) override;
    void addRightEdgeToPath(CGRect rect, int lightSource) override;
    void addBottomEdgeToPath(CGRect rect, int lightSource) override;
    void addLeftEdgeToPath(CGRect rect, int lightSource) override;
    void addToPath(CGRect rect) override;
    void addInverseToPath(CGRect rect) override;

private:
    bool pointsUp() const { return pointAngle >= 0 && pointAngle < 180; }
    void edge(CGRect rect, int lightSource,
              void (TTSpeechBubbleShape::*add)(CGSize, int, CGPath&, bool) const) const;
};

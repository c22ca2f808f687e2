#pragma once
// A row of segments (titles or images); a tap selects one and sends value-changed.
// A momentary control does not keep the selection.

#include <string>
#include <vector>

#include "platform/graphics/UIImage.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/hosting/UIHostingTypes.h"

inline constexpr int UISegmentedControlNoSegment = -1;

class UISegmentedControl : public UIControl {
public:
    explicit UISegmentedControl(const std::vector<std::string>& titles = {});
    int numberOfSegments() const { return static_cast<int>(segments_.size()); }
    int selectedSegmentIndex() const { return selected_; }
    void setSelectedSegmentIndex(int index);
    bool isMomentary() const { return momentary_; }
    void setMomentary(bool on) { momentary_ = on; }
    UISegmentedControlStyle segmentedControlStyle() const { return style_; }
    void setSegmentedControlStyle(UISegmentedControlStyle s);
    const UIColorPtr& tintColor() const { return tint_; }
    void setTintColor(UIColorPtr c);
    std::string titleForSegmentAtIndex(int index) const;
    void setTitle(const std::string& title, int segment);
    void setImage(UIImagePtr image, int segment);
    void insertSegmentWithTitle(const std::string& title, int index, bool animated = false);
    void removeSegmentAtIndex(int index, bool animated = false);
    void removeAllSegments();
    void setEnabled(bool enabled, int segment);
    bool isEnabledForSegmentAtIndex(int segment) const;
    using UIControl::setEnabled;
    int segmentAt(CGPoint p) const;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void drawRect(CGRect rect) override;

private:
    struct Segment {
        std::string title;
        UIImagePtr image;
        bool enabled = true;
    };
    std::vector<Segment> segments_;
    int selected_ = UISegmentedControlNoSegment;
    int pressed_ = -1;
    bool momentary_ = false;
    UISegmentedControlStyle style_ = UISegmentedControlStylePlain;
    UIColorPtr tint_;
};

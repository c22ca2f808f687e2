#pragma once
// The view tree: geometry, hierarchy, appearance, drawing, layout, hit testing,
// coordinate conversion and the begin/commit animation transactions.
//
// Views live in std::shared_ptr; a view holds its subviews and knows its
// superview unretained. Create them with std::make_shared<UIView>(frame).
//
// Animated properties: frame, bounds, center, alpha, transform and background
// colour. Inside a transaction the model value changes at once and the
// presentation value (presentationFrame() ...) follows the run loop's clock.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/UIColor.h"
#include "platform/ui/CALayer.h"
#include "platform/ui/UIKitTypes.h"
#include "platform/ui/UIResponder.h"

class UIWindow;
struct ViewBacking;
struct ViewAnimationState;

using UIViewPtr = std::shared_ptr<UIView>;

class UIView : public UIResponder, public std::enable_shared_from_this<UIView> {
public:
    explicit UIView(CGRect frame = CGRectZero);  // initWithFrame:
    ~UIView() override;

    // --- Geometry (model values) ---
    CGRect frame() const;
    virtual void setFrame(CGRect frame);
    CGRect bounds() const { return bounds_; }
    virtual void setBounds(CGRect bounds);
    CGPoint center() const { return center_; }
    virtual void setCenter(CGPoint center);
    CGAffineTransform transform() const { return transform_; }
    virtual void setTransform(CGAffineTransform t);

    // --- Presentation values: what is on screen now, mid-animation ---
    CGRect presentationFrame() const;
    CGRect presentationBounds() const;
    CGPoint presentationCenter() const;
    CGAffineTransform presentationTransform() const;
    double presentationAlpha() const;
    UIColorPtr presentationBackgroundColor() const;

    // --- Hierarchy ---
    UIView* superview() const { return superview_; }
    const std::vector<UIViewPtr>& subviews() const { return subviews_; }
    UIWindow* window() const;
    void addSubview(const UIViewPtr& view);
    void insertSubview(const UIViewPtr& view, long index);  // insertSubview:atIndex:
    void insertSubviewAboveSubview(const UIViewPtr& view, const UIView* sibling);
    void insertSubviewBelowSubview(const UIViewPtr& view, const UIView* sibling);
    void bringSubviewToFront(const UIView* view);
    void sendSubviewToBack(const UIView* view);
    void exchangeSubviewAtIndex(long index1, long index2);
    void removeFromSuperview();
    bool isDescendantOfView(const UIView* view) const;  // true for the view itself
    // Depth-first, this view first; null when none.
    UIView* viewWithTag(long tag);

    // Hooks; the defaults do nothing.
    virtual void didAddSubview(UIView* subview) {}
    virtual void willRemoveSubview(UIView* subview) {}
    virtual void willMoveToSuperview(UIView* newSuperview) {}
    virtual void didMoveToSuperview() {}
    virtual void willMoveToWindow(UIWindow* newWindow) {}
    virtual void didMoveToWindow() {}

    // --- Appearance ---
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);
    double alpha() const { return alpha_; }
    void setAlpha(double alpha);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque) { opaque_ = opaque; }
    const UIColorPtr& backgroundColor() const { return backgroundColor_; }
    virtual void setBackgroundColor(UIColorPtr color);
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips);
    UIViewContentMode contentMode() const { return contentMode_; }
    void setContentMode(UIViewContentMode mode);
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }
    bool autoresizesSubviews() const { return autoresizesSubviews_; }
    void setAutoresizesSubviews(bool on) { autoresizesSubviews_ = on; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool on) { userInteractionEnabled_ = on; }
    bool isExclusiveTouch() const { return exclusiveTouch_; }
    void setExclusiveTouch(bool on) { exclusiveTouch_ = on; }
    bool isMultipleTouchEnabled() const { return multipleTouchEnabled_; }
    void setMultipleTouchEnabled(bool on) { multipleTouchEnabled_ = on; }
    long tag() const { return tag_; }
    void setTag(long tag) { tag_ = tag; }
    CALayer& layer() { return layer_; }
    const CALayer& layer() const { return layer_; }

    // --- Drawing ---
    // Draws the view's content into UIGraphicsGetCurrentContext(), in the view's
    // bounds coordinates. The base draws nothing: a view whose class does not
    // override it gets no backing image, only its background colour.
    virtual void drawRect(CGRect rect);
    void setNeedsDisplay();
    void setNeedsDisplayInRect(CGRect rect);
    bool needsDisplay() const { return needsDisplay_; }
    // How many times drawRect ran (render statistics and tests).
    int drawCount() const { return drawCount_; }

    // --- Layout ---
    void setNeedsLayout();
    void layoutIfNeeded();
    virtual void layoutSubviews() {}
    virtual CGSize sizeThatFits(CGSize size) const;
    void sizeToFit();

    // --- Hit testing (points in this view's bounds coordinates) ---
    virtual UIView* hitTest(CGPoint point, UIEvent* event);
    virtual bool pointInside(CGPoint point, UIEvent* event) const;

    // --- Coordinate conversion; a null view means the window (screen) ---
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(CGRect rect, const UIView* view) const;
    CGRect convertRectFromView(CGRect rect, const UIView* view) const;

    // --- Responder chain ---
    // The controller whose root view this is (unretained; set by the hosting
    // layer). When set it is the next responder, before the superview.
    void setViewController(UIResponder* controller) { viewController_ = controller; }
    UIResponder* viewController() const { return viewController_; }
    UIResponder* nextResponder() const override;

    // --- Animation transactions ---
    using AnimationDidStop = std::function<void(const std::string& animationID, bool finished, void* context)>;
    using AnimationWillStart = std::function<void(const std::string& animationID, void* context)>;
    static void beginAnimations(const std::string& animationID, void* context = nullptr);
    static void commitAnimations();
    static void setAnimationDuration(double seconds);  // default 0.2
    static void setAnimationDelay(double seconds);
    static void setAnimationCurve(UIViewAnimationCurve curve);
    static void setAnimationRepeatCount(double count);
    static void setAnimationRepeatAutoreverses(bool autoreverses);
    static void setAnimationBeginsFromCurrentState(bool fromCurrent);
    // The delegate plus its did-stop / will-start selectors, as callbacks.
    static void setAnimationDidStopSelector(AnimationDidStop callback);
    static void setAnimationWillStartSelector(AnimationWillStart callback);
    // Shows the change of the view's content with the transition over the duration.
    static void setAnimationTransition(UIViewAnimationTransition transition, UIView* view, bool cache);
    static void setAnimationsEnabled(bool enabled);
    static bool areAnimationsEnabled();
    // Block form: one transaction around `animations`.
    static void animateWithDuration(double duration, const std::function<void()>& animations,
                                    std::function<void(bool finished)> completion = nullptr);
    static void animateWithDuration(double duration, double delay, UIViewAnimationCurve curve,
                                    const std::function<void()>& animations,
                                    std::function<void(bool finished)> completion = nullptr);
    // Lets a subclass animate a property of its own in the open transaction
    // (a scroll view's offset, for instance): `step` gets the eased progress
    // 0..1 on every frame and 1 at the end. A newer animation with the same
    // owner and key replaces an older one. Returns false outside a transaction
    // (or with animations disabled or a zero duration): the caller then applies
    // the value at once.
    static bool addCustomAnimation(UIView* owner, const std::string& key, std::function<void(double progress)> step);
    // Stops a running custom animation where it is (its step is not called
    // again; the transaction's did-stop reports finished = false).
    static void removeCustomAnimation(UIView* owner, const std::string& key);
    // True while any animation (including layer animations) is running.
    static bool hasRunningAnimations();
    // Ends every animation of this view (did-stop gets finished = false).
    void removeAllViewAnimations();

    // --- Rendering support (used by the compositor) ---
    ViewBacking* backing() const { return backing_.get(); }
    ViewBacking& ensureBacking();
    void clearNeedsDisplay() { needsDisplay_ = false; }
    void noteDrawn() { ++drawCount_; }
    bool needsLayout() const { return needsLayout_; }
    ViewAnimationState* animationState() const { return animState_.get(); }
    ViewAnimationState& ensureAnimationState();
    // Set by the base drawRect: the view drew nothing and gets no backing image. A drawRect
    // that calls the base one and then draws clears it again.
    bool drawsNothing() const { return drawsNothing_; }
    void setDrawsNothing(bool v) { drawsNothing_ = v; }

protected:
    // Marks the screen as needing a new frame (cheap; no drawRect is run).
    void setNeedsComposite() const;
    // The superview's bounds changed size: applies the autoresizing mask. Views that
    // place themselves in their superview by other rules override it.
    virtual void autoresizeWithOldSuperviewSize(CGSize oldSize);

private:
    friend class UIWindow;
    void attachTo(UIView* superview, const UIViewPtr& self, long index);
    void detachFromSuperview();
    void propagateWindowChange(UIWindow* newWindow, bool willPhase);
    void resizeSubviewsWithOldSize(CGSize oldSize);
    void boundsSizeChanged(CGSize oldSize);
    CGAffineTransform transformToSuperview(bool presentation) const;

    CGRect bounds_{};
    CGPoint center_{};
    CGAffineTransform transform_ = CGAffineTransformIdentity;
    UIView* superview_ = nullptr;  // unretained
    std::vector<UIViewPtr> subviews_;
    bool hidden_ = false;
    double alpha_ = 1.0;
    bool opaque_ = true;
    UIColorPtr backgroundColor_;
    bool clipsToBounds_ = false;
    UIViewContentMode contentMode_ = UIViewContentModeScaleToFill;
    unsigned autoresizingMask_ = UIViewAutoresizingNone;
    bool autoresizesSubviews_ = true;
    bool userInteractionEnabled_ = true;
    bool exclusiveTouch_ = false;
    bool multipleTouchEnabled_ = false;
    long tag_ = 0;
    bool needsDisplay_ = true;
    bool needsLayout_ = true;
    bool drawsNothing_ = false;
    int drawCount_ = 0;
    UIResponder* viewController_ = nullptr;  // unretained
    CALayer layer_;
    std::unique_ptr<ViewBacking> backing_;
    std::unique_ptr<ViewAnimationState> animState_;
};

#pragma once
// The engine behind UIView's animation transactions: open transactions record
// property changes; committed ones become per-view property animations whose
// presentation values are interpolated from the run loop's clock.

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CairoHandles.h"
#include "platform/ui/UIView.h"

enum class AnimatedProperty { Center, Bounds, Alpha, Transform, BackgroundColor };

// A property value as numbers (point 2, rect 4, alpha 1, transform 6, colour 4).
struct AnimValue {
    std::array<double, 6> v{};
    bool isNull = false;  // a missing colour
};

struct AnimationTransaction {
    std::string animationID;
    void* context = nullptr;
    double duration = 0.2;
    double delay = 0;
    UIViewAnimationCurve curve = UIViewAnimationCurveEaseInOut;
    double repeatCount = 0;
    bool autoreverses = false;
    bool beginsFromCurrentState = false;
    UIView::AnimationDidStop didStop;
    UIView::AnimationWillStart willStart;
    // Transition requested inside the transaction.
    UIViewAnimationTransition transition = UIViewAnimationTransitionNone;
    UIView* transitionView = nullptr;
    CairoSurface transitionSnapshot;

    double start = 0;  // clock time of commit
    int live = 0;
    bool finished = true;
    bool ended = false;
    RunLoop::TimerId endTimer = 0;
    std::vector<UIView*> views;  // views with animations of this transaction

    double activeDuration() const;
    // Eased progress (0..1) at clock time t, following repeats and reversal.
    double progressAt(double t) const;
};

struct PropertyAnimation {
    std::shared_ptr<AnimationTransaction> tx;
    AnimValue from;
};

struct CustomAnimation {
    std::shared_ptr<AnimationTransaction> tx;
    std::function<void(double)> step;
};

struct TransitionAnimation {
    std::shared_ptr<AnimationTransaction> tx;
    CairoSurface snapshot;  // the view before the change
    CGSize snapshotSize{};
};

struct ViewAnimationState {
    std::map<AnimatedProperty, PropertyAnimation> properties;
    std::map<std::string, CustomAnimation> custom;
    std::unique_ptr<TransitionAnimation> transition;
    bool empty() const { return properties.empty() && custom.empty() && !transition; }
};

class ViewAnimator {
public:
    static ViewAnimator& shared();

    // Called by setters before they change the model value.
    void willChange(UIView& view, AnimatedProperty property);
    bool isRecording() const;
    AnimationTransaction* openTransaction();

    void begin(const std::string& animationID, void* context);
    void commit();
    void setEnabled(bool on) { enabled_ = on; }
    bool enabled() const { return enabled_; }
    bool addCustom(UIView* owner, const std::string& key, std::function<void(double)> step);
    void removeCustom(UIView& owner, const std::string& key);

    // Presentation value of a property (model value when not animating).
    AnimValue presentation(const UIView& view, AnimatedProperty property) const;
    static AnimValue modelValue(const UIView& view, AnimatedProperty property);

    // Runs custom steps and drops finished layer animations; called per frame.
    void tick();
    bool hasRunning() const;
    // Transition progress of a view (-1 when none).
    double transitionProgress(const UIView& view) const;

    void removeAll(UIView& view, bool notifyUnfinished);
    void viewDestroyed(UIView* view);
    void layerAnimating(const CALayer* layer, bool on);

    void resetForTesting();

private:
    struct Change {
        UIView* view;
        AnimatedProperty property;
        AnimValue from;
    };
    struct Open {
        std::shared_ptr<AnimationTransaction> tx;
        std::vector<Change> changes;
        std::vector<std::pair<UIView*, std::pair<std::string, std::function<void(double)>>>> custom;
    };
    void cancelProperty(UIView& view, AnimatedProperty property);
    void release(const std::shared_ptr<AnimationTransaction>& tx, bool finished);
    void finish(const std::shared_ptr<AnimationTransaction>& tx);
    void notifyStopped(const std::shared_ptr<AnimationTransaction>& tx);

    std::vector<Open> open_;
    bool enabled_ = true;
    std::set<UIView*> animating_;
    std::set<const CALayer*> animatingLayers_;
};

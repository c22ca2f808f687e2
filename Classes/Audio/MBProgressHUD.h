#pragma once
// A translucent black panel with curved corners laid over a view (or a window) while work runs:
// an activity indicator, a pie progress or a custom view, and up to two lines of text. Fades or
// zooms in and out, may wait a grace time before showing and stay a minimum time once shown,
// follows the device's rotation over a window, and tells its delegate when it has been hidden.
// View work is for the main thread; the mode, text and progress setters forward themselves there.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIView.h"

class MBProgressHUD;
class UIWindow;

// Both optional; hudWasHidden(hud) is preferred when both are implemented.
class MBProgressHUDDelegate {
public:
    virtual ~MBProgressHUDDelegate() = default;
    // Whether the delegate implements the calls below (the HUD asks before calling).
    virtual bool respondsToHudWasHiddenWithHUD() const { return true; }
    virtual bool respondsToHudWasHidden() const { return false; }
    virtual void hudWasHidden(MBProgressHUD* hud) {}
    virtual void hudWasHidden() {}
};

enum MBProgressHUDMode { MBProgressHUDModeIndeterminate = 0, MBProgressHUDModeDeterminate = 1, MBProgressHUDModeCustomView = 2 };
enum MBProgressHUDAnimation { MBProgressHUDAnimationFade = 0, MBProgressHUDAnimationZoom = 1 };

class MBProgressHUD : public UIView {
public:
    // Over the view's bounds; over a window the rotation applies at once. Throws
    // std::invalid_argument ("MBProgressHUDViewIsNillException") for a null view.
    static std::shared_ptr<MBProgressHUD> initWithView(UIView* view);
    static std::shared_ptr<MBProgressHUD> initWithWindow(UIWindow* window);
    explicit MBProgressHUD(CGRect frame);
    ~MBProgressHUD() override;

    static std::shared_ptr<MBProgressHUD> showHUDAddedTo(UIView* view, bool animated);
    // Hides the view's last HUD (removed when hidden); false when the view has none.
    static bool hideHUDForView(UIView* view, bool animated);

    void show(bool animated);
    void hide(bool animated);
    void hide(bool animated, double afterDelay);
    // Runs the work on a new thread while the HUD shows, then hides it.
    void showWhileExecuting(std::function<void()> work, bool animated);

    int mode() const { return mode_; }
    void setMode(int mode);
    const std::optional<std::string>& labelText() const { return labelText_; }
    void setLabelText(const std::string& text);
    const std::optional<std::string>& detailsLabelText() const { return detailsLabelText_; }
    void setDetailsLabelText(const std::string& text);
    float progress() const { return progress_; }
    void setProgress(float progress);

    int animationType() const { return animationType_; }
    void setAnimationType(int type) { animationType_ = type; }
    float opacity() const { return opacity_; }
    void setOpacity(float opacity) { opacity_ = opacity; }
    const UIFontPtr& labelFont() const { return labelFont_; }
    void setLabelFont(UIFontPtr font) { labelFont_ = std::move(font); }
    const UIFontPtr& detailsLabelFont() const { return detailsLabelFont_; }
    void setDetailsLabelFont(UIFontPtr font) { detailsLabelFont_ = std::move(font); }
    float xOffset() const { return xOffset_; }
    void setXOffset(float x) { xOffset_ = x; }
    float yOffset() const { return yOffset_; }
    void setYOffset(float y) { yOffset_ = y; }
    float margin() const { return margin_; }
    void setMargin(float margin) { margin_ = margin; }
    CGSize minSize() const { return minSize_; }
    void setMinSize(CGSize size) { minSize_ = size; }
    bool dimBackground() const { return dimBackground_; }
    void setDimBackground(bool on) { dimBackground_ = on; }
    float graceTime() const { return graceTime_; }
    void setGraceTime(float seconds) { graceTime_ = seconds; }
    float minShowTime() const { return minShowTime_; }
    void setMinShowTime(float seconds) { minShowTime_ = seconds; }
    bool removeFromSuperViewOnHide() const { return removeFromSuperViewOnHide_; }
    void setRemoveFromSuperViewOnHide(bool on) { removeFromSuperViewOnHide_ = on; }
    const std::shared_ptr<UIView>& customView() const { return customView_; }
    void setCustomView(std::shared_ptr<UIView> view) { customView_ = std::move(view); }
    MBProgressHUDDelegate* delegate() const { return delegate_; }
    void setDelegate(MBProgressHUDDelegate* d) { delegate_ = d; }  // unretained
    bool taskInProgress() const { return taskInProgress_; }
    void setTaskInProgress(bool on) { taskInProgress_ = on; }
    // The panel's size as the last layout computed it.
    float width() const { return width_; }
    float height() const { return height_; }
    const std::shared_ptr<UIView>& indicator() const { return indicator_; }
    const std::optional<NSDate>& showStarted() const { return showStarted_; }
    bool isFinished() const { return isFinished_; }
    // The panel's rectangle in the HUD's bounds.
    CGRect panelRect() const;
    UILabel* label() const { return label_.get(); }
    UILabel* detailsLabel() const { return detailsLabel_.get(); }

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    void setTransformForCurrentOrientation(bool animated);

private:
    void updateIndicators();
    void showUsingAnimation(bool animated);
    void hideUsingAnimation(bool animated);
    void done();
    void cleanUp();
    // Runs the call here on the main thread, or posts it there.
    void onMain(std::function<void()> work);
    void cancelTimers();

    int mode_ = MBProgressHUDModeIndeterminate;
    int animationType_ = MBProgressHUDAnimationFade;
    std::optional<std::string> labelText_, detailsLabelText_;
    float progress_ = 0;
    float opacity_ = 0.8f;
    UIFontPtr labelFont_, detailsLabelFont_;
    float xOffset_ = 0, yOffset_ = 0;
    float margin_ = 20;
    CGSize minSize_{0, 0};
    bool dimBackground_ = false;
    float graceTime_ = 0, minShowTime_ = 0;
    bool removeFromSuperViewOnHide_ = false;
    std::shared_ptr<UIView> customView_;
    MBProgressHUDDelegate* delegate_ = nullptr;
    std::atomic<bool> taskInProgress_{false};
    float width_ = 0, height_ = 0;
    std::shared_ptr<UIView> indicator_;
    RunLoop::TimerId graceTimer_ = 0, minShowTimer_ = 0;
    std::optional<NSDate> showStarted_;
    std::shared_ptr<UILabel> label_, detailsLabel_;
    bool useAnimation_ = false;
    bool isFinished_ = false;
    CGAffineTransform rotationTransform_ = CGAffineTransformIdentity;
    // Cleared when the HUD goes, so calls posted from other threads find nothing to do.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

#include "toolkit/controllers/TTModelViewController.h"

#include "toolkit/foundation/TTNavigatorHooks.h"

namespace {
bool sameError(const std::optional<NSError>& a, const std::optional<NSError>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->domain == b->domain && a->code == b->code && a->localizedDescription == b->localizedDescription);
}
}  // namespace

TTModelViewController::TTModelViewController() = default;

TTModelViewController::~TTModelViewController() {
  if (model_) model_->removeDelegate(this);
}

void TTModelViewController::resetViewStates() {
  settle(false, flags_.isShowingLoading, &TTModelViewController::showLoading);
  settle(false, flags_.isShowingModel, &TTModelViewController::showModel);
  settle(false, flags_.isShowingError, &TTModelViewController::showError);
  settle(false, flags_.isShowingEmpty, &TTModelViewController::showEmpty);
}

bool TTModelViewController::settle(bool wanted, bool& showing, void (TTModelViewController::*show)(bool)) {
  if (wanted) {
    const bool newlyShown = !showing;
    showing = true;
    return newlyShown;
  }
  if (showing) {
    (this->*show)(false);
    showing = false;
  }
  return false;
}

void TTModelViewController::updateViewStates() {
  if (flags_.isModelDidRefreshInvalid) {
    didRefreshModel();
    flags_.isModelDidRefreshInvalid = false;
  }
  if (flags_.isModelWillLoadInvalid) {
    willLoadModel();
    flags_.isModelWillLoadInvalid = false;
  }
  if (flags_.isModelDidLoadInvalid) {
    didLoadModel(flags_.isModelDidLoadFirstTimeInvalid);
    flags_.isModelDidLoadInvalid = false;
    flags_.isModelDidLoadFirstTimeInvalid = false;
    flags_.isShowingModel = false;
  }

  TTModel* current = model();
  const bool showingModel = settle((current->isLoaded() || !shouldLoad()) && canShowModel(), flags_.isShowingModel,
                                   &TTModelViewController::showModel);
  const bool showingLoading = settle(current->isLoading(), flags_.isShowingLoading, &TTModelViewController::showLoading);
  const bool showingError = settle(modelError_.has_value(), flags_.isShowingError, &TTModelViewController::showError);
  const bool showingEmpty =
      settle(!flags_.isShowingLoading && !flags_.isShowingModel && !flags_.isShowingError, flags_.isShowingEmpty,
             &TTModelViewController::showEmpty);

  if (showingModel) {
    showModel(true);
    didShowModel(flags_.isModelDidShowFirstTimeInvalid);
    flags_.isModelDidShowFirstTimeInvalid = false;
  }
  if (showingEmpty) showEmpty(true);
  if (showingError) showError(true);
  if (showingLoading) showLoading(true);
}

void TTModelViewController::createInterstitialModel() { setModel(std::make_shared<TTModel>()); }

void TTModelViewController::viewWillAppear(bool animated) {
  isViewAppearing_ = true;
  hasViewAppeared_ = true;
  updateView();
  TTViewController::viewWillAppear(animated);
}

void TTModelViewController::didReceiveMemoryWarning() {
  if (hasViewAppeared() && !isViewAppearing()) {
    TTViewController::didReceiveMemoryWarning();
    refresh();
  } else {
    TTViewController::didReceiveMemoryWarning();
  }
}

void TTModelViewController::modelDidStartLoad(TTModel* model) {
  if (model != model_.get()) return;
  flags_.isModelWillLoadInvalid = true;
  flags_.isModelDidLoadFirstTimeInvalid = true;
  invalidateView();
}

void TTModelViewController::modelDidFinishLoad(TTModel* model) {
  if (model != model_.get()) return;
  modelError_.reset();
  flags_.isModelDidLoadInvalid = true;
  invalidateView();
}

void TTModelViewController::modelDidFailLoadWithError(TTModel* model, const NSError& error) {
  if (model == model_.get()) setModelError(error);
}

void TTModelViewController::modelDidCancelLoad(TTModel* model) {
  if (model == model_.get()) invalidateView();
}

void TTModelViewController::modelDidChange(TTModel* model) {
  if (model == model_.get()) refresh();
}

void TTModelViewController::modelDidBeginUpdates(TTModel* model) {
  if (model == model_.get()) beginUpdates();
}

void TTModelViewController::modelDidEndUpdates(TTModel* model) {
  if (model == model_.get()) endUpdates();
}

const TTModelPtr& TTModelViewController::modelPtr() {
  if (!model_) {
    auto& hooks = TTNavigatorHooks::shared();
    hooks.ensureNavigator();
    if (!(hooks.isDelayed && hooks.isDelayed())) createModel();
    if (!model_) createInterstitialModel();
  }
  return model_;
}

TTModel* TTModelViewController::model() { return modelPtr().get(); }

void TTModelViewController::setModel(TTModelPtr model) {
  if (model == model_) return;
  if (model_) model_->removeDelegate(this);
  model_ = std::move(model);
  if (model_) model_->addDelegate(this);
  modelError_.reset();
  if (model_) {
    flags_.isModelWillLoadInvalid = false;
    flags_.isModelDidLoadInvalid = false;
    flags_.isModelDidLoadFirstTimeInvalid = false;
    flags_.isModelDidShowFirstTimeInvalid = true;
  }
  refresh();
}

void TTModelViewController::setModelError(std::optional<NSError> error) {
  if (sameError(error, modelError_)) return;
  modelError_ = std::move(error);
  invalidateView();
}

void TTModelViewController::invalidateModel() {
  const bool hadModel = model_ != nullptr;
  resetViewStates();
  if (model_) model_->removeDelegate(this);
  model_.reset();
  if (hadModel) model();
}

bool TTModelViewController::shouldLoad() { return !model()->isLoaded(); }

bool TTModelViewController::shouldReload() { return !modelError_ && model()->isOutdated(); }

void TTModelViewController::reload() {
  flags_.isViewInvalid = true;
  model()->load(TTURLRequestCachePolicyNetwork, false);
}

void TTModelViewController::reloadIfNeeded() {
  if (shouldReload() && !model()->isLoading()) reload();
}

void TTModelViewController::refresh() {
  flags_.isViewInvalid = true;
  flags_.isModelDidRefreshInvalid = true;
  TTModel* current = model();
  const bool loading = current->isLoading();
  const bool loaded = current->isLoaded();
  if (!loading && !loaded && shouldLoad()) {
    current->load(TTURLRequestCachePolicyDefault, false);
  } else if (!loading && loaded && shouldReload()) {
    current->load(TTURLRequestCachePolicyNetwork, false);
  } else if (!loading && shouldLoadMore()) {
    current->load(TTURLRequestCachePolicyDefault, true);
  } else {
    flags_.isModelDidLoadInvalid = true;
    if (isViewAppearing_) updateView();
  }
}

void TTModelViewController::beginUpdates() { flags_.isViewSuspended = true; }

void TTModelViewController::endUpdates() {
  flags_.isViewSuspended = false;
  updateView();
}

void TTModelViewController::invalidateView() {
  flags_.isViewInvalid = true;
  if (isViewAppearing_) updateView();
}

void TTModelViewController::updateView() {
  if (!flags_.isViewInvalid || flags_.isViewSuspended || flags_.isUpdatingView) return;
  flags_.isUpdatingView = true;
  model();
  view();
  updateViewStates();
  if (frozenState() && flags_.isShowingModel) {
    restoreView(*frozenState());
    setFrozenState(std::nullopt);
  }
  flags_.isViewInvalid = false;
  flags_.isUpdatingView = false;
  reloadIfNeeded();
}

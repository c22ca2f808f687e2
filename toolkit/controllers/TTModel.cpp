#include "toolkit/controllers/TTModel.h"

#include <algorithm>

void TTModel::addDelegate(TTModelDelegate* delegate) {
  if (delegate) delegates_.push_back(delegate);
}

void TTModel::removeDelegate(TTModelDelegate* delegate) {
  delegates_.erase(std::remove(delegates_.begin(), delegates_.end(), delegate), delegates_.end());
}

template <class Message>
void TTModel::announce(Message&& message) {
  // A copy, so that delegates may change the list; one removed meanwhile is skipped.
  const std::vector<TTModelDelegate*> listeners = delegates_;
  for (TTModelDelegate* delegate : listeners) {
    if (std::find(delegates_.begin(), delegates_.end(), delegate) != delegates_.end()) message(*delegate);
  }
}

void TTModel::didStartLoad() {
  announce([this](TTModelDelegate& d) { d.modelDidStartLoad(this); });
}
void TTModel::didFinishLoad() {
  announce([this](TTModelDelegate& d) { d.modelDidFinishLoad(this); });
}
void TTModel::didFailLoadWithError(const NSError& error) {
  announce([this, &error](TTModelDelegate& d) { d.modelDidFailLoadWithError(this, error); });
}
void TTModel::didCancelLoad() {
  announce([this](TTModelDelegate& d) { d.modelDidCancelLoad(this); });
}
void TTModel::beginUpdates() {
  announce([this](TTModelDelegate& d) { d.modelDidBeginUpdates(this); });
}
void TTModel::endUpdates() {
  announce([this](TTModelDelegate& d) { d.modelDidEndUpdates(this); });
}
void TTModel::didUpdateObject(const std::shared_ptr<void>& object, const NSIndexPath& indexPath) {
  announce([&](TTModelDelegate& d) { d.modelDidUpdateObject(this, object, indexPath); });
}
void TTModel::didInsertObject(const std::shared_ptr<void>& object, const NSIndexPath& indexPath) {
  announce([&](TTModelDelegate& d) { d.modelDidInsertObject(this, object, indexPath); });
}
void TTModel::didDeleteObject(const std::shared_ptr<void>& object, const NSIndexPath& indexPath) {
  announce([&](TTModelDelegate& d) { d.modelDidDeleteObject(this, object, indexPath); });
}
void TTModel::didChange() {
  announce([this](TTModelDelegate& d) { d.modelDidChange(this); });
}

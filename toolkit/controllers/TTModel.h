#pragma once
// A source of data that loads and announces its loads and changes to its delegates. The base
// model is always loaded and never loads; subclasses override the state and load operations.

#include <memory>
#include <vector>

#include "platform/net/NSError.h"
#include "platform/ui/hosting/NSIndexPath.h"
#include "toolkit/network/TTURLRequest.h"

class TTModel;

// Every message optional; the first argument is always the model.
class TTModelDelegate {
 public:
  virtual ~TTModelDelegate() = default;
  virtual void modelDidStartLoad(TTModel* model) {}
  virtual void modelDidFinishLoad(TTModel* model) {}
  virtual void modelDidFailLoadWithError(TTModel* model, const NSError& error) {}
  virtual void modelDidCancelLoad(TTModel* model) {}
  virtual void modelDidChange(TTModel* model) {}
  virtual void modelDidUpdateObject(TTModel* model, const std::shared_ptr<void>& object, const NSIndexPath& indexPath) {}
  virtual void modelDidInsertObject(TTModel* model, const std::shared_ptr<void>& object, const NSIndexPath& indexPath) {}
  virtual void modelDidDeleteObject(TTModel* model, const std::shared_ptr<void>& object, const NSIndexPath& indexPath) {}
  virtual void modelDidBeginUpdates(TTModel* model) {}
  virtual void modelDidEndUpdates(TTModel* model) {}
};

class TTModel {
 public:
  TTModel() = default;
  virtual ~TTModel() = default;
  TTModel(const TTModel&) = delete;
  TTModel& operator=(const TTModel&) = delete;

  // Unretained: a delegate removes itself before it goes away.
  std::vector<TTModelDelegate*>& delegates() { return delegates_; }
  void addDelegate(TTModelDelegate* delegate);
  void removeDelegate(TTModelDelegate* delegate);

  virtual bool isLoaded() const { return true; }
  virtual bool isLoading() const { return false; }
  virtual bool isLoadingMore() const { return false; }
  virtual bool isOutdated() const { return false; }
  // cachePolicy is a TTURLRequestCachePolicy bit set.
  virtual void load(int cachePolicy, bool more) {}
  virtual void cancel() {}
  virtual void invalidate(bool erase) {}

  // Announcements to every delegate; a delegate may add or remove delegates while told.
  void didStartLoad();
  void didFinishLoad();
  void didFailLoadWithError(const NSError& error);
  void didCancelLoad();
  void beginUpdates();
  void endUpdates();
  void didUpdateObject(const std::shared_ptr<void>& object, const NSIndexPath& indexPath);
  void didInsertObject(const std::shared_ptr<void>& object, const NSIndexPath& indexPath);
  void didDeleteObject(const std::shared_ptr<void>& object, const NSIndexPath& indexPath);
  void didChange();

 private:
  template <class Message>
  void announce(Message&& message);
  std::vector<TTModelDelegate*> delegates_;
};

using TTModelPtr = std::shared_ptr<TTModel>;

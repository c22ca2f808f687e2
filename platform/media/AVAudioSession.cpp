#include "platform/media/AVAudioSession.h"

#include <algorithm>

#include "platform/media/AVAudioPlayer.h"

AVAudioSession& AVAudioSession::sharedInstance() {
  static AVAudioSession session;
  return session;
}

bool AVAudioSession::setCategory(const std::string& category, NSError* error) {
  static const char* known[] = {AVAudioSessionCategoryAmbient, AVAudioSessionCategorySoloAmbient,
                                AVAudioSessionCategoryPlayback, AVAudioSessionCategoryRecord,
                                AVAudioSessionCategoryPlayAndRecord};
  bool ok = std::any_of(std::begin(known), std::end(known), [&](const char* k) { return category == k; });
  if (!ok) {
    if (error) *error = NSError(NSOSStatusErrorDomain, -50, "unknown audio session category " + category);
    return false;
  }
  std::lock_guard lock(mutex_);
  category_ = category;
  return true;
}

std::string AVAudioSession::category() const {
  std::lock_guard lock(mutex_);
  return category_;
}

bool AVAudioSession::setActive(bool active, int, NSError*) {
  std::lock_guard lock(mutex_);
  active_ = active;
  return true;
}

bool AVAudioSession::isActive() const {
  std::lock_guard lock(mutex_);
  return active_;
}

void AVAudioSession::setDelegate(AVAudioSessionDelegate* delegate) {
  std::lock_guard lock(mutex_);
  delegate_ = delegate;
}

AVAudioSessionDelegate* AVAudioSession::delegate() const {
  std::lock_guard lock(mutex_);
  return delegate_;
}

bool AVAudioSession::isInterrupted() const {
  std::lock_guard lock(mutex_);
  return interrupted_;
}

void AVAudioSession::registerPlayer(const std::shared_ptr<AVAudioPlayer>& player) {
  std::lock_guard lock(mutex_);
  players_.erase(std::remove_if(players_.begin(), players_.end(),
                                [&](const std::weak_ptr<AVAudioPlayer>& w) {
                                  auto p = w.lock();
                                  return !p || p == player;
                                }),
                 players_.end());
  players_.push_back(player);
}

std::vector<std::shared_ptr<AVAudioPlayer>> AVAudioSession::livePlayers() {
  std::vector<std::shared_ptr<AVAudioPlayer>> out;
  std::lock_guard lock(mutex_);
  for (auto& w : players_)
    if (auto p = w.lock()) out.push_back(p);
  return out;
}

void AVAudioSession::beginInterruption() {
  AVAudioSessionDelegate* d;
  {
    std::lock_guard lock(mutex_);
    if (interrupted_) return;
    interrupted_ = true;
    interruptedPlayers_.clear();
    d = delegate_;
  }
  for (auto& p : livePlayers()) {
    if (!p->isPlaying()) continue;
    {
      std::lock_guard lock(mutex_);
      interruptedPlayers_.push_back(p);
    }
    p->interruptionBegan();
  }
  if (d) d->beginInterruption();
}

void AVAudioSession::endInterruption() {
  AVAudioSessionDelegate* d;
  std::vector<std::weak_ptr<AVAudioPlayer>> players;
  {
    std::lock_guard lock(mutex_);
    if (!interrupted_) return;
    interrupted_ = false;
    players.swap(interruptedPlayers_);
    d = delegate_;
  }
  for (auto& w : players)
    if (auto p = w.lock()) p->interruptionEnded();
  if (d) d->endInterruption();
}

void AVAudioSession::resetForTesting() {
  std::lock_guard lock(mutex_);
  category_ = AVAudioSessionCategorySoloAmbient;
  active_ = false;
  interrupted_ = false;
  delegate_ = nullptr;
  players_.clear();
  interruptedPlayers_.clear();
}

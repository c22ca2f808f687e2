#pragma once
// The audio session: a category, an active flag and interruptions. Nothing else competes for
// the sound device on a desktop, so setting the category and activating always succeed for the
// platform's categories; a backend reports device loss as an interruption.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/net/NSError.h"

class AVAudioPlayer;

inline constexpr const char* AVAudioSessionCategoryAmbient = "AVAudioSessionCategoryAmbient";
inline constexpr const char* AVAudioSessionCategorySoloAmbient = "AVAudioSessionCategorySoloAmbient";
inline constexpr const char* AVAudioSessionCategoryPlayback = "AVAudioSessionCategoryPlayback";
inline constexpr const char* AVAudioSessionCategoryRecord = "AVAudioSessionCategoryRecord";
inline constexpr const char* AVAudioSessionCategoryPlayAndRecord = "AVAudioSessionCategoryPlayAndRecord";

// Option of setActive: let other programs' audio resume after deactivation.
inline constexpr int AVAudioSessionSetActiveFlags_NotifyOthersOnDeactivation = 1;

// Every operation optional.
class AVAudioSessionDelegate {
 public:
  virtual ~AVAudioSessionDelegate() = default;
  virtual void beginInterruption() {}
  virtual void endInterruption() {}
};

class AVAudioSession {
 public:
  static AVAudioSession& sharedInstance();

  // False with `error` set for a category this platform does not know.
  [[nodiscard]] bool setCategory(const std::string& category, NSError* error);
  std::string category() const;
  [[nodiscard]] bool setActive(bool active, NSError* error) { return setActive(active, 0, error); }
  [[nodiscard]] bool setActive(bool active, int flags, NSError* error);
  bool isActive() const;

  // Unretained; the owner clears it before it goes away.
  void setDelegate(AVAudioSessionDelegate* delegate);
  AVAudioSessionDelegate* delegate() const;

  // Sent by a backend (device lost / back) on the main thread: every playing player pauses and
  // its delegate hears of it, then the session's delegate.
  void beginInterruption();
  void endInterruption();
  bool isInterrupted() const;

  // Players register when they start so that interruptions reach them.
  void registerPlayer(const std::shared_ptr<AVAudioPlayer>& player);

  void resetForTesting();

 private:
  AVAudioSession() = default;
  std::vector<std::shared_ptr<AVAudioPlayer>> livePlayers();

  mutable std::mutex mutex_;
  std::string category_ = AVAudioSessionCategorySoloAmbient;
  bool active_ = false;
  bool interrupted_ = false;
  AVAudioSessionDelegate* delegate_ = nullptr;
  std::vector<std::weak_ptr<AVAudioPlayer>> players_;
  std::vector<std::weak_ptr<AVAudioPlayer>> interruptedPlayers_;
};

#include "platform/media/AudioOutput.h"

#include <mutex>

namespace {
std::mutex gMutex;
std::shared_ptr<AudioOutput> gShared;
}  // namespace

void AudioOutput::setShared(std::shared_ptr<AudioOutput> output) {
  std::lock_guard lock(gMutex);
  gShared = std::move(output);
}

std::shared_ptr<AudioOutput> AudioOutput::shared() {
  std::lock_guard lock(gMutex);
  return gShared;
}

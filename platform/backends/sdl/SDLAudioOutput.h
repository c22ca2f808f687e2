#pragma once
// The sound device through SDL2: one device stream per player, opened in the player's own
// format (SDL converts to what the hardware takes). Played time is estimated from what the
// device has taken minus its buffer, advanced by the time since its last request.

#include <memory>

#include "platform/media/AudioOutput.h"

class SDLAudioOutput : public AudioOutput {
 public:
  // None when SDL's audio cannot be started (no driver).
  static std::shared_ptr<SDLAudioOutput> create();
  ~SDLAudioOutput() override;

  std::shared_ptr<AudioStream> openStream(int sampleRate, int channels, AudioStream::Source source) override;

 private:
  SDLAudioOutput() = default;
};

// Speaks a verse's Arabic text with espeak-ng in a reciter's voice and encodes it with LAME
// into exactly the number of MP3 frames the timing formula gives it. Frames are encoded
// without the bit reservoir, so each stands alone: clips can be cut, padded with silent frames
// and joined into continuous parts frame by frame. One synthesizer per process (espeak-ng
// keeps global state); calls are serialised inside.
#pragma once

#include "tools/recitations/RecitationTiming.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class VerseSynthesizer {
public:
    // None, with `error` set, when the speech synthesizer or its Arabic voice is missing.
    static std::shared_ptr<VerseSynthesizer> shared(std::string& error);
    ~VerseSynthesizer();

    // `frames` MP3 frames of the text spoken in the voice, the speech placed after a short lead
    // and sped up where the formula leaves it too little time. Empty, with `error`, on failure.
    std::vector<uint8_t> verseMP3(const std::string& text, const RecitationTiming::Voice& voice, int frames,
                                  std::string& error);

private:
    VerseSynthesizer() = default;
    bool speak(const std::string& text, const RecitationTiming::Voice& voice, int rate, std::vector<int16_t>& pcm,
               std::string& error);
    bool encode(const std::vector<int16_t>& pcm, std::vector<uint8_t>& mp3, std::string& error);

    std::mutex lock_;
    int speechRate_ = 0;  // samples per second of the synthesizer
    std::vector<uint8_t> silentFrame_;
};

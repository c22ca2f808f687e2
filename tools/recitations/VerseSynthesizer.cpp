#include "tools/recitations/VerseSynthesizer.h"

#include <espeak-ng/speak_lib.h>
#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

using namespace RecitationTiming;

constexpr double kLeadSeconds = 0.15;
// Room after the speech for the encoder's delay, which pushes the sound later.
constexpr double kTailSeconds = 0.25;
constexpr int kSilenceLevel = 200;
constexpr int kFadeSamples = 400;

std::vector<int16_t>* g_speech = nullptr;  // the buffer espeak-ng fills, under lock_

int collect(short* wav, int samples, espeak_EVENT*)
{
    if (wav && samples > 0 && g_speech)
        g_speech->insert(g_speech->end(), wav, wav + samples);
    return 0;
}

struct LameCloser {
    void operator()(lame_global_flags* gf) const { lame_close(gf); }
};

// Splits an MPEG-2 layer III stream of our rate into its frames.
bool splitFrames(const std::vector<uint8_t>& mp3, std::vector<size_t>& starts)
{
    for (size_t pos = 0; pos < mp3.size(); pos += kFrameBytes) {
        if (pos + kFrameBytes > mp3.size() || mp3[pos] != 0xFF || (mp3[pos + 1] & 0xFE) != 0xF2 ||
            (mp3[pos + 2] & 0xFE) != 0x48)  // 32 kbit/s, 16 kHz, no padding
            return false;
        starts.push_back(pos);
    }
    return true;
}

}  // namespace

std::shared_ptr<VerseSynthesizer> VerseSynthesizer::shared(std::string& error)
{
    static std::mutex once;
    static std::shared_ptr<VerseSynthesizer> instance;
    static std::string failure;
    std::lock_guard<std::mutex> guard(once);
    if (instance || !failure.empty()) {
        error = failure;
        return instance;
    }
    int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    if (rate <= 0) {
        error = failure = "the speech synthesizer espeak-ng could not start (is espeak-ng-data installed?)";
        return nullptr;
    }
    espeak_SetSynthCallback(collect);
    if (espeak_SetVoiceByName("ar") != EE_OK) {
        error = failure = "espeak-ng has no Arabic voice (is espeak-ng-data installed?)";
        return nullptr;
    }
    std::shared_ptr<VerseSynthesizer> s(new VerseSynthesizer);
    s->speechRate_ = rate;
    std::vector<uint8_t> silence;
    std::vector<size_t> starts;
    if (!s->encode(std::vector<int16_t>(static_cast<size_t>(rate), 0), silence, error) ||
        !splitFrames(silence, starts) || starts.size() < 12) {
        error = failure = "the MP3 encoder made no usable frames" + (error.empty() ? "" : ": " + error);
        return nullptr;
    }
    s->silentFrame_.assign(silence.begin() + starts[10], silence.begin() + starts[10] + kFrameBytes);
    instance = s;
    return instance;
}

VerseSynthesizer::~VerseSynthesizer() { espeak_Terminate(); }

bool VerseSynthesizer::speak(const std::string& text, const Voice& voice, int rate, std::vector<int16_t>& pcm,
                             std::string& error)
{
    pcm.clear();
    if (espeak_SetVoiceByName(voice.name) != EE_OK && espeak_SetVoiceByName("ar") != EE_OK) {
        error = std::string("espeak-ng cannot use the voice ") + voice.name;
        return false;
    }
    espeak_SetParameter(espeakRATE, rate, 0);
    espeak_SetParameter(espeakPITCH, voice.pitch, 0);
    g_speech = &pcm;
    espeak_ERROR rc = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                                   nullptr);
    espeak_Synchronize();
    g_speech = nullptr;
    if (rc != EE_OK) {
        error = "espeak-ng could not speak the text";
        return false;
    }
    auto loud = [](int16_t s) { return std::abs(int(s)) >= kSilenceLevel; };
    auto first = std::find_if(pcm.begin(), pcm.end(), loud);
    auto last = std::find_if(pcm.rbegin(), pcm.rend(), loud).base();
    if (first >= last) {
        pcm.clear();
        return true;
    }
    pcm = std::vector<int16_t>(first, last);
    return true;
}

bool VerseSynthesizer::encode(const std::vector<int16_t>& pcm, std::vector<uint8_t>& mp3, std::string& error)
{
    std::unique_ptr<lame_global_flags, LameCloser> gf(lame_init());
    if (!gf) {
        error = "LAME could not start";
        return false;
    }
    lame_set_num_channels(gf.get(), 1);
    lame_set_in_samplerate(gf.get(), speechRate_);
    lame_set_out_samplerate(gf.get(), kSampleRate);
    lame_set_mode(gf.get(), MONO);
    lame_set_VBR(gf.get(), vbr_off);
    lame_set_brate(gf.get(), kBitrateKbps);
    lame_set_quality(gf.get(), 5);
    lame_set_bWriteVbrTag(gf.get(), 0);
    lame_set_disable_reservoir(gf.get(), 1);
    lame_set_write_id3tag_automatic(gf.get(), 0);
    if (lame_init_params(gf.get()) < 0) {
        error = "LAME refused the encoding parameters";
        return false;
    }
    mp3.assign(pcm.size() * 5 / 4 + 7200 + 2 * kFrameBytes, 0);
    int n = lame_encode_buffer(gf.get(), const_cast<short*>(pcm.data()), const_cast<short*>(pcm.data()),
                               static_cast<int>(pcm.size()), mp3.data(), static_cast<int>(mp3.size()));
    if (n < 0) {
        error = "LAME failed to encode (" + std::to_string(n) + ")";
        return false;
    }
    int tail = lame_encode_flush(gf.get(), mp3.data() + n, static_cast<int>(mp3.size()) - n);
    if (tail < 0) {
        error = "LAME failed to finish (" + std::to_string(tail) + ")";
        return false;
    }
    mp3.resize(static_cast<size_t>(n + tail));
    return true;
}

std::vector<uint8_t> VerseSynthesizer::verseMP3(const std::string& text, const Voice& voice, int frames,
                                                std::string& error)
{
    std::lock_guard<std::mutex> guard(lock_);
    const double seconds = framesToSeconds(frames);
    const size_t total = static_cast<size_t>(std::ceil(seconds * speechRate_));
    const size_t lead = static_cast<size_t>(kLeadSeconds * speechRate_);
    const size_t room = total > lead + size_t(kTailSeconds * speechRate_)
                            ? total - lead - size_t(kTailSeconds * speechRate_)
                            : 0;

    std::vector<int16_t> speech;
    int rate = std::clamp(int(std::lround(espeakRATE_NORMAL / voice.pace)), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!speak(text, voice, rate, speech, error))
            return {};
        if (speech.size() <= room || rate >= espeakRATE_MAXIMUM)
            break;
        rate = std::min<int>(espeakRATE_MAXIMUM, int(std::ceil(rate * double(speech.size()) / room * 1.04)));
    }
    if (speech.size() > room) {
        speech.resize(room);
        for (size_t i = 0; i < std::min<size_t>(kFadeSamples, room); ++i)
            speech[room - 1 - i] = static_cast<int16_t>(speech[room - 1 - i] * double(i) / kFadeSamples);
    }
    std::vector<int16_t> pcm(lead, 0);
    pcm.insert(pcm.end(), speech.begin(), speech.end());
    pcm.resize(total + size_t(2 * kSamplesPerFrame * speechRate_ / kSampleRate), 0);

    std::vector<uint8_t> mp3;
    std::vector<size_t> starts;
    if (!encode(pcm, mp3, error))
        return {};
    if (!splitFrames(mp3, starts)) {
        error = "LAME wrote frames of an unexpected kind";
        return {};
    }
    mp3.resize(std::min(mp3.size(), size_t(frames) * kFrameBytes));
    while (mp3.size() < size_t(frames) * kFrameBytes)
        mp3.insert(mp3.end(), silentFrame_.begin(), silentFrame_.end());
    return mp3;
}

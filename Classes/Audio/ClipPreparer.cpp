#include "Classes/Audio/ClipPreparer.h"

#include <algorithm>

#include "Classes/Core/NSData+Bzip2.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/media/MP3Decoder.h"
#include "platform/media/MP3FrameWalk.h"

namespace {

// A few MP3 frames (1152 samples each) must decode.
constexpr size_t kCheckedFrames = 4 * 1152;

}  // namespace

std::string ClipPreparer::check(std::vector<uint8_t> mp3) {
    // Walking the frame headers finds a clip that breaks anywhere; the decoder need only start.
    if (std::string fault = MP3FrameWalk::of(mp3).fault(); !fault.empty()) return fault;
    NSError error;
    std::unique_ptr<MP3Decoder> decoder = MP3Decoder::openData(std::move(mp3), &error);
    if (!decoder) return "does not decode as MP3 audio: " + error.localizedDescription;
    const size_t frames = static_cast<size_t>(std::min<long long>(decoder->lengthFrames(), kCheckedFrames));
    std::vector<float> samples(frames * static_cast<size_t>(decoder->channels()));
    if (frames == 0 || decoder->read(samples.data(), frames) != static_cast<long long>(frames))
        return "does not decode as MP3 audio";
    return {};
}

ClipPreparer::ClipPreparer(std::vector<std::string> paths, unsigned helpers, size_t window)
    : paths_(std::move(paths)), window_(window), ready_(paths_.size()) {
    for (unsigned i = 0; i < helpers; ++i) helpers_.emplace_back([this] { work(); });
}

ClipPreparer::~ClipPreparer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& helper : helpers_) helper.join();
}

ClipPreparer::Clip ClipPreparer::take(size_t index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ready_[index].has_value(); });
    Clip clip = std::move(*ready_[index]);
    ready_[index].reset();
    taken_ = index + 1;
    lock.unlock();
    changed_.notify_all();
    return clip;
}

void ClipPreparer::work() {
    for (;;) {
        size_t index;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] {
                return stopping_ || nextToPrepare_ >= paths_.size() || nextToPrepare_ < taken_ + window_;
            });
            if (stopping_ || nextToPrepare_ >= paths_.size()) return;
            index = nextToPrepare_++;
        }
        Clip clip;
        if (std::optional<std::vector<uint8_t>> bytes = NSFileManager::defaultManager().contentsAtPath(paths_[index])) {
            clip.found = true;
            clip.gzipped = NSData::gzipDeflate(*bytes);
            clip.fault = check(std::move(*bytes));
        }
        {
            std::lock_guard lock(mutex_);
            ready_[index] = std::move(clip);
        }
        changed_.notify_all();
    }
}

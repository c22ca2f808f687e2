#pragma once
// Reads, checks and compresses the clip files of an installation on helper threads, a bounded
// window ahead of the thread that stores them in order. The helpers end before the object does.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class ClipPreparer {
public:
    struct Clip {
        bool found = false;                            // the file exists and was read
        std::string fault;                             // why it is not a playable clip; empty if it is
        std::optional<std::vector<uint8_t>> gzipped;   // none when compression failed
    };

    // Why `mp3` is not a playable clip: its MP3 frames do not run whole to its end, or the
    // decoder that plays clips does not decode its first frames. Empty when it is one.
    static std::string check(std::vector<uint8_t> mp3);

    explicit ClipPreparer(std::vector<std::string> paths, unsigned helpers = 2, size_t window = 8);
    ~ClipPreparer();
    ClipPreparer(const ClipPreparer&) = delete;
    ClipPreparer& operator=(const ClipPreparer&) = delete;

    // The clip of paths[index]; indexes are taken in ascending order, each once.
    Clip take(size_t index);

private:
    void work();

    const std::vector<std::string> paths_;
    const size_t window_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<Clip>> ready_;
    size_t nextToPrepare_ = 0;
    size_t taken_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> helpers_;
};

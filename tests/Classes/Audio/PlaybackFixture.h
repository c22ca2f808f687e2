#pragma once
// The reading screen with recitation audio installed in the user database: per-verse clips or
// continuous parts with their timings, played into the silent output on the virtual clock.

#include <string>
#include <vector>

#include "platform/backends/headless/HeadlessAudioOutput.h"
#include "tests/Classes/Reading/ReadingFixture.h"

// Records the downloads playback asks for instead of starting them; a test sets the state of
// a download as the download flow would.
class RecordingAppDelegate : public LumenoSDKAppDelegate {
public:
    void downloadSurahAudioAlert(int surah) override { downloads.push_back(surah); }
    void cancelDownload() override { ++cancels; }
    void setDownloading(int surah, int bytes, float progress, bool settingUp) {
        isDownloading_ = true;
        downloadingSurah_ = surah;
        fileSize_ = bytes;
        lastDownloadProgress_ = progress;
        settingUpSurah_ = settingUp;
    }
    std::vector<int> downloads;
    int cancels = 0;
};

// One verse of a continuous recitation: its part and its start within the part.
struct VerseTiming {
    int verse;
    int part;
    double beginsAt;
};

class PlaybackTest : public ReadingTest {
public:
    static std::vector<uint8_t> fixtureMP3(const std::string& name);

protected:
    void SetUp() override;
    void TearDown() override;

    // Per-verse clips of every verse (0 to the count) of the chapter; `longClips` lists the
    // clip numbers that get the 1.5 s clip instead of the 1 s one.
    void installPerVerse(int surah, int reciter, const std::vector<int>& longClips = {});
    // Continuous parts (each the 1.5 s clip) with the given timings.
    void installContinuous(int surah, int reciter, const std::vector<VerseTiming>& timings);
    // Opens the chapter, selects the verse and presses play.
    void openAndPlay(int surah, int verse);
    // Advances the virtual clock in frame steps, letting the worker threads finish their posts.
    void run(double milliseconds);
    // Waits (bounded, real time) for posts from worker threads to land and runs them.
    void settle();
    // The verses whose Arabic rows are marked playing.
    std::vector<int> playingRows();
    RecordingAppDelegate& delegate() { return static_cast<RecordingAppDelegate&>(*app); }

    std::shared_ptr<HeadlessAudioOutput> output = HeadlessAudioOutput::create();
};

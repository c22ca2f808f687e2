// The synthetic recitations' timing: every verse lasts a whole number of MP3 frames given by
// a formula of its text and the reciter's pace. The recitation maker and the content database
// builder both take durations, parts, start times and archive sizes from here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace RecitationTiming {

// MPEG-2 layer III, 16 kHz mono, 32 kbit/s constant rate: every frame is 144 bytes and
// 576 samples long, so a clip's size and duration follow from its frame count.
constexpr int kSampleRate = 16000;
constexpr int kSamplesPerFrame = 576;
constexpr int kBitrateKbps = 32;
constexpr int kFrameBytes = 72 * kBitrateKbps * 1000 / kSampleRate;

// A voice of the speech synthesizer, one per remote folder (reciters 1 and 7 share one).
struct Voice {
    int folder = 0;
    const char* name = "ar";  // synthesizer voice and variant
    int pitch = 50;           // 0-99
    double pace = 1.0;        // > 1 recites slower
};

// The voice of a remote folder (0, 2-8); folders without a reciter use folder 0's.
const Voice& voiceForFolder(int folder);
// The folders that have recitations.
const std::vector<int>& folders();

// Arabic letters of a verse text; marks, spaces and signs do not count.
int letterCount(const std::string& text);
// The formula: frames of a verse recited in a voice.
int verseFrames(const std::string& text, const Voice& voice);
inline double framesToSeconds(long long frames) { return double(frames) * kSamplesPerFrame / kSampleRate; }

// One recited verse of a chapter: number (0 = opening invocation), its text, where it sits.
struct RecitedVerse {
    int verse = 0;
    std::string text;
    int frames = 0;
    int part = 1;        // continuous part holding it, from 1
    long long startFrame = 0;  // start within its part
    double beginsAt() const { return framesToSeconds(startFrame); }
};

// What a chapter needs: its verse texts in order (verse 1 first) and the invocation's text.
struct ChapterText {
    int surah = 0;
    std::vector<std::string> verses;
    std::string invocation;
};

// Chapters 1 and 9 begin without an invocation row; their verse clip k holds verse k + 1.
bool hasInvocationRow(int surah);

// The chapter's recitation in order (invocation first where the chapter has its row),
// split into the chapter's continuous parts by duration, each part at least one verse.
std::vector<RecitedVerse> layoutChapter(const ChapterText& chapter, const Voice& voice, int parts);

// Verse clips of the per-verse archive: number -> verse recited in it.
struct Clip {
    int number = 0;
    int verse = 0;
};
std::vector<Clip> verseClips(int surah, int verseCount);

// Member names of the archives.
std::string partMemberName(int surah, int part);
std::string clipMemberName(int surah, int clip);

// Bytes of a stored-gzip ustar archive holding members of these sizes.
long long archiveSize(const std::vector<long long>& memberSizes);
// Bytes of the chapter's per-verse archive in a voice.
long long perVerseArchiveSize(const ChapterText& chapter, const Voice& voice);

}  // namespace RecitationTiming

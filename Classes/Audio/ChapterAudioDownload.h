#pragma once
// One chapter's recitation archive for one reciter: its path on a mirror and its files under
// the caches folder. Recorded when the download starts, so that a reciter chosen meanwhile
// changes nothing about where the archive goes or how it is stored.

#include <string>

struct ChapterAudioDownload {
    int surah = 0;
    int reciter = 0;
    // The chapter's archive size from the size table; 0 when unknown.
    long long expectedBytes = 0;

    // The reciter has continuous (per-part) recordings rather than one clip per verse.
    bool continuous() const;
    // The reciter's folder on the mirrors and under caches/audio.
    int folderNumber() const;
    // "/downloads/iphone/<kind>/<folder>/<CCC>.tar.gz".
    std::string remotePath() const;
    // caches/audio/<folder>
    std::string folderPath() const;
    // caches/audio/<folder>/<chapter>.tar.gz, .tar and the extraction folder.
    std::string archivePath() const;
    std::string tarPath() const;
    std::string extractionPath() const;

    // caches/audio, where every download and installation keeps its files.
    static std::string audioCachePath();
    // Removes everything under caches/audio: call only when no download or installation runs.
    static void removeLeftovers();
};

#pragma once
// The two clip files of per-verse playback, "current.mp3" and "next.mp3" in Documents, written
// in turn, and the worker that writes the following verse's clip while one plays. The
// worker's flag is raised by the thread that starts it, so a writer that waits for it can
// never slip in before the worker; every write (flip of the name and file) holds one lock.

#include <sqlite3.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

class VerseClipFiles : public std::enable_shared_from_this<VerseClipFiles> {
public:
    static std::shared_ptr<VerseClipFiles> create() { return std::shared_ptr<VerseClipFiles>(new VerseClipFiles()); }

    // The clip number a verse is stored under: the verse, or one less in chapters 1 and 9.
    static int storedClipNumber(int surah, int verse);

    // Reads the verse's clip from the user database and writes it to the other file; returns
    // the name written (the earlier name when the file could not be written).
    std::string getPathToVerseAudioForVerse(sqlite3* db, int surah, int verse, int reciter);
    // Starts the worker writing the clip of `verse`; the flag is up when this returns.
    void startWorkerForVerse(sqlite3* db, int surah, int verse, int reciter);
    // Waits for a running worker, at most `seconds` of real time; false when it still runs.
    bool waitForWorker(double seconds);
    bool gatheringFile() const;

    // Back to the state after a stop: the next write goes to "current.mp3".
    void reset();
    bool isAltVerse() const;
    std::string altVerseFileName() const;
    static std::string fullPath(const std::string& name);

private:
    VerseClipFiles() = default;

    mutable std::mutex lock_;  // guards every field; held across a write
    std::condition_variable workerDone_;
    bool gatheringFile_ = false;
    bool isAltVerse_ = false;
    std::string altVerseFileName_ = "current.mp3";
};

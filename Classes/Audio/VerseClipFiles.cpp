#include "Classes/Audio/VerseClipFiles.h"

#include <chrono>

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/Thread.h"

int VerseClipFiles::storedClipNumber(int surah, int verse) {
    if (surah == 1 || surah == 9) return verse - 1 < 0 ? 0 : verse - 1;
    return verse;
}

std::string VerseClipFiles::fullPath(const std::string& name) { return Paths::documents() + "/" + name; }

std::string VerseClipFiles::getPathToVerseAudioForVerse(sqlite3* db, int surah, int verse, int reciter) {
    const Blob clip = ChapterInfo::getMP3Recitation(db, surah, storedClipNumber(surah, verse), reciter);
    std::lock_guard<std::mutex> guard(lock_);
    const bool alt = !isAltVerse_;
    const std::string name = alt ? "current.mp3" : "next.mp3";
    std::string error;
    if (!NSFileManager::defaultManager().writeAtomically(fullPath(name), clip, &error)) {
        NSLog("ERROR - could not write the verse clip %@: %@", name, error);
        return altVerseFileName_;
    }
    isAltVerse_ = alt;
    altVerseFileName_ = name;
    return altVerseFileName_;
}

void VerseClipFiles::startWorkerForVerse(sqlite3* db, int surah, int verse, int reciter) {
    {
        std::lock_guard<std::mutex> guard(lock_);
        gatheringFile_ = true;
    }
    std::shared_ptr<VerseClipFiles> self = shared_from_this();
    detachNewThread(
        [self, db, surah, verse, reciter] {
            self->getPathToVerseAudioForVerse(db, surah, verse, reciter);
            std::lock_guard<std::mutex> guard(self->lock_);
            self->gatheringFile_ = false;
            self->workerDone_.notify_all();
        },
        "next-clip");
}

bool VerseClipFiles::waitForWorker(double seconds) {
    std::unique_lock<std::mutex> guard(lock_);
    return workerDone_.wait_for(guard, std::chrono::duration<double>(seconds), [this] { return !gatheringFile_; });
}

bool VerseClipFiles::gatheringFile() const {
    std::lock_guard<std::mutex> guard(lock_);
    return gatheringFile_;
}

void VerseClipFiles::reset() {
    std::lock_guard<std::mutex> guard(lock_);
    isAltVerse_ = false;
    altVerseFileName_ = "current.mp3";
}

bool VerseClipFiles::isAltVerse() const {
    std::lock_guard<std::mutex> guard(lock_);
    return isAltVerse_;
}

std::string VerseClipFiles::altVerseFileName() const {
    std::lock_guard<std::mutex> guard(lock_);
    return altVerseFileName_;
}

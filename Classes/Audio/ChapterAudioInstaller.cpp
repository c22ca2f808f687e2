#include "Classes/Audio/ChapterAudioInstaller.h"

#include "Classes/Audio/ClipPreparer.h"
#include "Classes/Audio/Archive/Gunzip.h"
#include "Classes/Audio/Archive/TarExtract.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"
#include "platform/foundation/Thread.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

// Kept free in the caches folder beyond what unpacking may use.
constexpr long long kFreeSpaceReserve = 8LL * 1024 * 1024;
// Tar headers, padding and end blocks around the clips.
constexpr long long kArchiveOverhead = 4LL * 1024 * 1024;

InstallOutcome fail(const char* reason, int surah, int reciter, InstallOutcome outcome = InstallOutcome::failed) {
    NSLog("[setupDownloadedSurahAudio] %s (chapter %i, reciter %i).", reason, surah, reciter);
    return outcome;
}

void removeItem(const std::string& path) {
    NSFileManager& files = NSFileManager::defaultManager();
    if (files.fileExistsAtPath(path)) (void)files.removeItemAtPath(path);
}

// A write the database refused for want of space.
bool databaseFull(sqlite3* db) {
    const int code = sqlite3_errcode(db);
    return code == SQLITE_FULL ||
           (code == SQLITE_IOERR && isNoSpaceError(sqlite3_system_errno(db)));
}

// Rolls the transaction back unless it was committed, or SQLite already rolled it back (as it
// does after some failed writes).
class InstallTransaction {
public:
    explicit InstallTransaction(sqlite3* db) : db_(db), open_(ChapterInfo::beginTrans(db)) {}
    ~InstallTransaction() {
        if (!open_ || sqlite3_get_autocommit(db_) != 0) return;
        if (!ChapterInfo::rollbackTrans(db_)) NSLog("[setupDownloadedSurahAudio] Error: rollback failed.");
    }
    InstallTransaction(const InstallTransaction&) = delete;
    InstallTransaction& operator=(const InstallTransaction&) = delete;

    bool isOpen() const { return open_; }
    [[nodiscard]] bool commit() {
        if (!ChapterInfo::commitTrans(db_)) return false;
        open_ = false;
        return true;
    }

private:
    sqlite3* db_;
    bool open_;
};

bool storeClip(sqlite3* db, const ChapterAudioDownload& download, int number, const std::vector<uint8_t>& gzipped) {
    if (download.continuous())
        return ChapterInfo::insertCompressedContMP3Blob(db, download.surah, number,
                                                        ChapterInfo::getRemoteReciterHQCode(download.reciter), gzipped);
    return ChapterInfo::insertCompressedMP3Blob(db, download.surah, number, download.reciter, gzipped);
}

// Marks the chapter installed unless an equivalent mark is already there (a chapter fetched again).
bool markInstalled(sqlite3* db, const ChapterAudioDownload& download) {
    const int surah = download.surah, reciter = download.reciter;
    if (!ChapterInfo::isSurahAudioInstalled(db, surah, reciter) &&
        !ChapterInfo::markAudioAsInstalled(db, surah, reciter))
        return false;
    if (!download.continuous()) return true;
    if (!ChapterInfo::deleteAudioMP3(db, surah, reciter)) return false;
    const bool isHQ = reciter == 1;
    const bool marked = isHQ ? ChapterInfo::isSurahAudioHQInstalled(db, surah, reciter)
                             : ChapterInfo::isSurahAudioContinuous(db, surah, reciter);
    return marked ||
           ChapterInfo::markContAudioAsInstalled(db, surah, ChapterInfo::getRemoteReciterHQCode(reciter), isHQ);
}

// The outcome of an unpacking step that failed for `error`.
InstallOutcome unpackFailure(const char* reason, const ChapterAudioDownload& download, ArchiveError error,
                             bool boundByFreeSpace) {
    InstallOutcome outcome = InstallOutcome::failed;
    switch (error) {
    case ArchiveError::damaged: outcome = InstallOutcome::damagedArchive; break;
    case ArchiveError::tooLarge:
        outcome = boundByFreeSpace ? InstallOutcome::cacheFull : InstallOutcome::damagedArchive;
        break;
    case ArchiveError::diskFull: outcome = InstallOutcome::cacheFull; break;
    case ArchiveError::stopped: outcome = InstallOutcome::stopped; break;
    case ArchiveError::none:
    case ArchiveError::writeFailed: break;
    }
    return fail(reason, download.surah, download.reciter, outcome);
}

// Unpacks the archive into the extraction folder; the archive files are deleted either way.
InstallOutcome unpack(const ChapterAudioDownload& download) {
    const int surah = download.surah, reciter = download.reciter;
    NSFileManager& files = NSFileManager::defaultManager();
    removeItem(download.extractionPath());
    if (!files.createDirectoryAtPath(download.extractionPath(), true))
        return fail("Cannot create the extraction folder", surah, reciter);

    bool byFreeSpace = false;
    const long long bound = ChapterAudioInstaller::unpackBound(download, &byFreeSpace);
    ArchiveError error = ArchiveError::none;
    const bool decompressed = gunzip_file(download.archivePath(), bound, &error);
    FILE* tar = decompressed ? std::fopen(download.tarPath().c_str(), "rb") : nullptr;
    if (decompressed && !tar) NSLog("FILE NOT OPENED");
    int extracted = -1;
    if (tar) {
        std::setvbuf(tar, nullptr, _IOFBF, 256 * 1024);
        extracted = tar_extract(tar, download.archivePath(), download.extractionPath(), &error);
        std::fclose(tar);
    }
    removeItem(download.archivePath());
    removeItem(download.tarPath());
    if (!decompressed) return unpackFailure("The archive could not be decompressed", download, error, byFreeSpace);
    if (!tar) return fail("The decompressed archive could not be opened", surah, reciter);
    if (extracted != 0) return unpackFailure("The archive could not be extracted", download, error, byFreeSpace);
    return InstallOutcome::installed;
}

InstallOutcome store(sqlite3* db, const ChapterAudioDownload& download) {
    const int surah = download.surah, reciter = download.reciter;
    InstallTransaction transaction(db);
    const auto writeFailed = [&](const char* reason) {
        return fail(reason, surah, reciter, databaseFull(db) ? InstallOutcome::documentsFull : InstallOutcome::failed);
    };
    if (!transaction.isOpen()) return writeFailed("Cannot begin the transaction");
    const std::vector<std::string> names = ChapterAudioInstaller::memberNames(download);
    const int first = download.continuous() ? 1 : 0;
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(str::appendPathComponent(download.extractionPath(), name));
    // Checking and compression, the slow parts, overlap the inserts.
    ClipPreparer preparer(std::move(paths));
    bool stored = false;
    for (size_t i = 0; i < names.size(); ++i) {
        if (workersShouldStop()) return fail("Stopped as the program quits", surah, reciter, InstallOutcome::stopped);
        ClipPreparer::Clip clip = preparer.take(i);
        if (!clip.found) continue;
        if (!clip.fault.empty()) {
            NSLog("[setupDownloadedSurahAudio] %@ %@.", names[i], clip.fault);
            return fail("A clip is not audio", surah, reciter);
        }
        if (!clip.gzipped) return fail("A clip could not be compressed", surah, reciter);
        if (!storeClip(db, download, first + static_cast<int>(i), *clip.gzipped))
            return writeFailed("A clip could not be stored");
        stored = true;
    }
    if (!stored) return fail("The archive holds no clip of the chapter", surah, reciter);
    if (!markInstalled(db, download)) return writeFailed("The chapter could not be marked installed");
    if (!transaction.commit()) return writeFailed("The transaction could not be committed");
    return InstallOutcome::installed;
}

long long freeSpace(const std::string& path) {
    struct statvfs info {};
    if (statvfs(path.c_str(), &info) != 0) return -1;
    return static_cast<long long>(info.f_bavail) * static_cast<long long>(info.f_frsize);
}

}  // namespace

long long ChapterAudioInstaller::unpackBound(const ChapterAudioDownload& download, bool* byFreeSpace) {
    std::error_code error;
    const auto archiveSize = std::filesystem::file_size(download.archivePath(), error);
    const long long own = error ? 0 : static_cast<long long>(archiveSize);
    const long long bySize = 2 * std::max(download.expectedBytes, own) + kArchiveOverhead;
    const long long free = freeSpace(download.folderPath());
    const long long bySpace = free < 0 ? bySize : std::max(0LL, (free - kFreeSpaceReserve) / 2);
    if (byFreeSpace) *byFreeSpace = bySpace < bySize;
    return std::min(bySize, bySpace);
}

std::vector<std::string> ChapterAudioInstaller::memberNames(const ChapterAudioDownload& download) {
    std::vector<std::string> names;
    const std::string chapter = ChapterInfo::getThreeDigitNumberFromInt(download.surah);
    if (download.continuous()) {
        for (int part = 1; part <= ChapterInfo::getTotalPartsForChapter(download.surah); ++part)
            names.push_back(chapter + "-" + ChapterInfo::getTwoDigitNumberFromInt(part) + ".mp3");
    } else {
        for (int verse = 0; verse <= ChapterInfo::getVersesFromNumber(download.surah); ++verse)
            names.push_back(chapter + ChapterInfo::getThreeDigitNumberFromInt(verse) + ".mp3");
    }
    return names;
}

InstallOutcome ChapterAudioInstaller::install(sqlite3* db, const ChapterAudioDownload& download) {
    if (!db) return fail("No database connection", download.surah, download.reciter);
    if (download.surah < 1 || download.surah > 114) return fail("No such chapter", download.surah, download.reciter);
    InstallOutcome outcome = unpack(download);
    if (outcome == InstallOutcome::installed) outcome = store(db, download);
    removeItem(download.extractionPath());
    return outcome;
}

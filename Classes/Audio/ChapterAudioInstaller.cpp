#include "Classes/Audio/ChapterAudioInstaller.h"

#include "Classes/Audio/ClipPreparer.h"
#include "Classes/Audio/Archive/Gunzip.h"
#include "Classes/Audio/Archive/TarExtract.h"
#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"

#include <cstdio>
#include <vector>

namespace {

bool fail(const char* reason, int surah, int reciter) {
    NSLog("[setupDownloadedSurahAudio] %s (chapter %i, reciter %i).", reason, surah, reciter);
    return false;
}

void removeItem(const std::string& path) {
    NSFileManager& files = NSFileManager::defaultManager();
    if (files.fileExistsAtPath(path)) (void)files.removeItemAtPath(path);
}

// Rolls the transaction back unless it was committed.
class InstallTransaction {
public:
    explicit InstallTransaction(sqlite3* db) : db_(db), open_(ChapterInfo::beginTrans(db)) {}
    ~InstallTransaction() {
        if (open_ && !ChapterInfo::rollbackTrans(db_)) NSLog("[setupDownloadedSurahAudio] Error: rollback failed.");
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

// Unpacks the archive into the extraction folder; the archive files are deleted either way.
bool unpack(const ChapterAudioDownload& download) {
    const int surah = download.surah, reciter = download.reciter;
    NSFileManager& files = NSFileManager::defaultManager();
    removeItem(download.extractionPath());
    if (!files.createDirectoryAtPath(download.extractionPath(), true))
        return fail("Cannot create the extraction folder", surah, reciter);

    const bool decompressed = gunzip_file(download.archivePath());
    FILE* tar = decompressed ? std::fopen(download.tarPath().c_str(), "rb") : nullptr;
    if (decompressed && !tar) NSLog("FILE NOT OPENED");
    int extracted = -1;
    if (tar) {
        std::setvbuf(tar, nullptr, _IOFBF, 256 * 1024);
        extracted = tar_extract(tar, download.archivePath(), download.extractionPath());
        std::fclose(tar);
    }
    removeItem(download.archivePath());
    removeItem(download.tarPath());
    if (!tar) removeItem(download.extractionPath());
    if (!decompressed) return fail("The archive could not be decompressed", surah, reciter);
    if (!tar) return fail("The decompressed archive could not be opened", surah, reciter);
    if (extracted != 0) return fail("The archive could not be extracted", surah, reciter);
    return true;
}

bool store(sqlite3* db, const ChapterAudioDownload& download) {
    const int surah = download.surah, reciter = download.reciter;
    InstallTransaction transaction(db);
    if (!transaction.isOpen()) return fail("Cannot begin the transaction", surah, reciter);
    const std::vector<std::string> names = ChapterAudioInstaller::memberNames(download);
    const int first = download.continuous() ? 1 : 0;
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(str::appendPathComponent(download.extractionPath(), name));
    // Compression, the slow part, overlaps the inserts.
    ClipPreparer preparer(std::move(paths));
    bool stored = false;
    for (size_t i = 0; i < names.size(); ++i) {
        ClipPreparer::Clip clip = preparer.take(i);
        if (!clip.found) continue;
        if (!clip.gzipped || !storeClip(db, download, first + static_cast<int>(i), *clip.gzipped))
            return fail("A clip could not be stored", surah, reciter);
        stored = true;
    }
    if (!stored) return fail("The archive holds no clip of the chapter", surah, reciter);
    if (!markInstalled(db, download)) return fail("The chapter could not be marked installed", surah, reciter);
    if (!transaction.commit()) return fail("The transaction could not be committed", surah, reciter);
    return true;
}

}  // namespace

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

bool ChapterAudioInstaller::install(sqlite3* db, const ChapterAudioDownload& download) {
    if (!db) return fail("No database connection", download.surah, download.reciter);
    if (download.surah < 1 || download.surah > 114) return fail("No such chapter", download.surah, download.reciter);
    if (!unpack(download)) return false;
    const bool ok = store(db, download);
    removeItem(download.extractionPath());
    return ok;
}

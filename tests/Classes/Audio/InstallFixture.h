#pragma once
// The program's databases opened through a delegate that records how an installation ends,
// and chapter archives written where a download leaves them.

#include "Classes/Audio/ChapterAudioDownload.h"
#include "Classes/Audio/ChapterAudioInstaller.h"
#include "tests/Classes/Audio/ArchiveFixture.h"
#include "tests/Classes/Core/DataStoreFixture.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

class RecordingDelegate : public LumenoSDKAppDelegate, public LumenoSDKAppDownloadDelegate {
public:
    RecordingDelegate() { setDownloadDelegate(this); }
    ~RecordingDelegate() override { setDownloadDelegate(nullptr); }
    void willPerformAudioSetup() override { note("willPerformAudioSetup"); }
    void setupSucceeded() override { note("setupSucceeded"); }
    void setupFailed() override { note("setupFailed"); }
    void finalizeDownload() override {
        note("finalizeDownload");
        finalized = true;
    }
    std::vector<std::string> events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::atomic<bool> finalized{false};

private:
    void note(const char* event) {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    std::mutex mutex_;
    std::vector<std::string> events_;
};

class InstallTest : public StoreTest {
protected:
    explicit InstallTest(bool realContent = false) : StoreTest(realContent) {}
    void SetUp() override {
        StoreTest::SetUp();
        if (HasFatalFailure()) return;
        app.reset();
        recorder = new RecordingDelegate();
        app.reset(recorder);
        ASSERT_TRUE(app->initializeDatabase());
    }

    // Members for every clip name of the chapter, each an MP3 clip with its own tag of about
    // `length` bytes.
    static std::vector<archive::Member> allClips(const ChapterAudioDownload& d, size_t length = 600) {
        std::vector<archive::Member> members;
        int seed = 0;
        for (const std::string& name : ChapterAudioInstaller::memberNames(d)) {
            members.push_back({name, archive::mp3Clip(length + static_cast<size_t>(seed), seed)});
            ++seed;
        }
        return members;
    }

    // Leaves the archive where the download puts it.
    static void placeArchive(const ChapterAudioDownload& d, const archive::Bytes& gz) {
        std::filesystem::create_directories(d.folderPath());
        archive::write(d.archivePath(), gz);
    }
    static void placeArchive(const ChapterAudioDownload& d, const std::vector<archive::Member>& members) {
        placeArchive(d, archive::gzip(archive::tar(members)));
    }

    // Every audio row and bookmark, as text, to compare states of the user database.
    std::string dump(sqlite3* db) const {
        std::string out;
        for (const char* sql :
             {"SELECT reciter || ':' || surah FROM recitations ORDER BY 1",
              "SELECT reciter || ':' || surah || ':' || verse || ':' || hex(mp3) FROM recitationmp3s ORDER BY 1",
              "SELECT reciter || ':' || surah || ':' || ishq FROM contrecitations ORDER BY 1",
              "SELECT reciter || ':' || surah || ':' || part || ':' || hex(mp3) FROM contrecitationmp3s ORDER BY 1",
              "SELECT surah || ':' || verse FROM bookmarks ORDER BY 1"}) {
            SQLiteStatement stmt = DataStoreConnection::prepare(db, sql);
            while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW) out += columnString(stmt.get(), 0) + "\n";
            out += "--\n";
        }
        return out;
    }

    RecordingDelegate* recorder = nullptr;
};

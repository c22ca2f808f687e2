// Makes chapter archives of the synthetic recitations on request and keeps them in a cache
// folder laid out like the mirrors' paths (<cache>/<format>/<kind>/<folder>/<CCC>.tar.gz).
// The verse texts come from the content database, the same text its timing tables were
// computed from. Files appear in the cache whole (written aside, then renamed).
#pragma once

#include "tools/recitations/ChapterArchive.h"
#include "tools/recitations/RecitationTiming.h"

#include <sqlite3.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class VerseSynthesizer;

class RecitationArchiver {
public:
    enum class Kind { Continuous, PerVerse };
    // "audioCont" and "audiov2.2", the kinds' names in download paths.
    static std::optional<Kind> kindNamed(const std::string& name);
    static const char* kindName(Kind kind);

    static std::unique_ptr<RecitationArchiver> open(const std::string& contentDb, const std::string& cacheDir,
                                                    std::string& error);
    ~RecitationArchiver();

    // The chapter's verse texts; false for a chapter outside 1-114 or missing rows.
    [[nodiscard]] bool chapterText(int surah, RecitationTiming::ChapterText& out, std::string& error);
    // The length of a chapter archive, known before it is made.
    [[nodiscard]] bool archiveSize(Kind kind, int folder, int surah, long long& size, std::string& error);
    // Where the archive lives in the cache, made first when it is not there yet; then its
    // bytes also go to `alsoTo` as they are made (its refusal only stops that copy). Empty on
    // failure.
    std::string archivePath(Kind kind, int folder, int surah, std::string& error,
                            const ChapterArchive::Sink& alsoTo = {});
    // The cached archive, or empty when it has not been made.
    std::string cachedArchive(Kind kind, int folder, int surah) const;
    // Writes one verse recited alone in a folder's voice as an MP3 file at path (whole, or not
    // at all); false, with `error`, on failure.
    [[nodiscard]] bool recordVerse(int folder, int surah, int verse, const std::string& path, std::string& error);

private:
    RecitationArchiver() = default;
    std::string cachedPath(Kind kind, int folder, int surah) const;
    // Speaks the chapter and writes its archive to the sink, member by member.
    bool write(Kind kind, int folder, int surah, const ChapterArchive::Sink& sink, std::string& error);

    struct DbCloser {
        void operator()(sqlite3* db) const { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, DbCloser> db_;
    std::string cacheDir_;
    std::shared_ptr<VerseSynthesizer> synthesizer_;
    std::mutex lock_;  // one chapter made at a time
};

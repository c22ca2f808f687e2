// Installing a 10 MB chapter archive (decompress, extract, store every clip compressed in one
// transaction) against the system's tar extracting the same archive, in the same run.
// Figure: tar time / install time (higher is better).

#include "Classes/Audio/ChapterAudioInstaller.h"
#include "Classes/Core/DataStoreConnection.h"
#include "tests/Classes/Audio/ArchiveFixture.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

constexpr size_t kArchiveBytes = 10 * 1024 * 1024;
constexpr int kRounds = 5;

// The chapter's clips: playable MP3s whose tags hold random bytes, which compress about as
// little as MP3 does.
Bytes chapterTar(const std::vector<std::string>& names) {
    std::mt19937 random(7);
    std::vector<archive::Member> members;
    const size_t tone = archive::toneMP3().size();
    for (const std::string& name : names) {
        Bytes tag(std::max(kArchiveBytes / names.size(), tone) - tone);
        for (uint8_t& b : tag) b = static_cast<uint8_t>(random());
        members.push_back({name, archive::mp3ClipTagged(std::move(tag))});
    }
    return archive::tar(members);
}

void writeFile(const fs::path& path, const Bytes& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) std::exit(2);
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

double seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    std::string folderPattern = (fs::temp_directory_path() / "bench-install-XXXXXX").string();
    if (!mkdtemp(folderPattern.data())) return 2;
    const fs::path root = folderPattern;
    setenv("LUMENO_CACHES_DIR", (root / "Caches").c_str(), 1);

    sqlite3* db = nullptr;
    const std::string database = (root / "lumenodyn.db").string();
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK)
        return 2;
    DataStoreConnection::configure(db);
    sqlite3_exec(db,
                 "PRAGMA journal_mode=WAL;"
                 "CREATE TABLE recitations (reciter INTEGER, surah INTEGER);"
                 "CREATE UNIQUE INDEX recitations_recsur ON recitations (reciter, surah);"
                 "CREATE TABLE recitationmp3s (reciter INTEGER, surah INTEGER, verse INTEGER, mp3 BLOB);"
                 "CREATE TABLE contrecitations (reciter integer, surah integer, ishq integer NOT NULL DEFAULT 0);"
                 "CREATE TABLE contrecitationmp3s (reciter integer, surah integer, part integer, mp3 BLOB);",
                 nullptr, nullptr, nullptr);

    const ChapterAudioDownload download{2, 9};  // 287 verse clips
    if (archive::toneMP3().empty()) {
        std::fprintf(stderr, "the test tone is missing: run from the source folder or set LUMENO_SOURCE_DIR\n");
        return 2;
    }
    const Bytes compressed = archive::gzip(chapterTar(ChapterAudioInstaller::memberNames(download)));
    const fs::path reference = root / "reference.tar.gz";
    writeFile(reference, compressed);
    fs::create_directories(download.folderPath());

    std::vector<double> installTimes, tarTimes;
    for (int round = 0; round < kRounds; ++round) {
        writeFile(download.archivePath(), compressed);
        Clock::time_point start = Clock::now();
        if (ChapterAudioInstaller::install(db, download) != InstallOutcome::installed) {
            std::fprintf(stderr, "install failed\n");
            return 1;
        }
        installTimes.push_back(seconds(start));
        sqlite3_exec(db, "DELETE FROM recitationmp3s; DELETE FROM recitations;", nullptr, nullptr, nullptr);

        const fs::path out = root / "tar-out";
        fs::create_directories(out);
        const std::string command = "tar xzf '" + reference.string() + "' -C '" + out.string() + "'";
        start = Clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "tar failed\n");
            return 1;
        }
        tarTimes.push_back(seconds(start));
        fs::remove_all(out);
    }
    DataStoreConnection::finalizeConnection(db);
    sqlite3_close(db);
    fs::remove_all(root);

    const double install = median(installTimes), tar = median(tarTimes);
    std::printf("install %.1f ms, tar xzf %.1f ms (medians of %d, %zu-byte archive)\n", install * 1000, tar * 1000,
                kRounds, compressed.size());
    std::printf("figure install_vs_tar %.2f x\n", tar / install);
    return 0;
}

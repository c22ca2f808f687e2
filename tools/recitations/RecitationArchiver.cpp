#include "tools/recitations/RecitationArchiver.h"

#include "Classes/Core/ChapterInfo.h"
#include "tools/recitations/VerseSynthesizer.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace RecitationTiming;

namespace {

// Part of the cache path: bump when the formula, the voices or the archive layout change.
constexpr const char* kCacheFormat = "synthetic-1";

bool writeWhole(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    static std::atomic<int> counter{0};
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    const std::string temp = path + ".part-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            error = "cannot write " + temp;
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        error = "cannot move the archive into " + path;
        return false;
    }
    return true;
}

}  // namespace

std::optional<RecitationArchiver::Kind> RecitationArchiver::kindNamed(const std::string& name)
{
    if (name == "audioCont")
        return Kind::Continuous;
    if (name == "audiov2.2")
        return Kind::PerVerse;
    return std::nullopt;
}

const char* RecitationArchiver::kindName(Kind kind) { return kind == Kind::Continuous ? "audioCont" : "audiov2.2"; }

std::unique_ptr<RecitationArchiver> RecitationArchiver::open(const std::string& contentDb, const std::string& cacheDir,
                                                             std::string& error)
{
    std::unique_ptr<RecitationArchiver> archiver(new RecitationArchiver);
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(contentDb.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    archiver->db_.reset(raw);
    if (rc != SQLITE_OK) {
        error = "cannot open the content database " + contentDb;
        return nullptr;
    }
    archiver->cacheDir_ = cacheDir;
    return archiver;
}

RecitationArchiver::~RecitationArchiver() = default;

bool RecitationArchiver::chapterText(int surah, ChapterText& out, std::string& error)
{
    const int count = ChapterInfo::getVersesFromNumber(surah);
    if (count <= 0) {
        error = "no chapter " + std::to_string(surah);
        return false;
    }
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), "SELECT verse, translation FROM simplearabic WHERE surah = ? ORDER BY verse", -1,
                           &raw, nullptr) != SQLITE_OK) {
        error = std::string("the content database has no verse texts: ") + sqlite3_errmsg(db_.get());
        return false;
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
    auto read = [&](int chapter, std::vector<std::string>& texts) {
        sqlite3_reset(raw);
        sqlite3_bind_int(raw, 1, chapter);
        texts.clear();
        while (sqlite3_step(raw) == SQLITE_ROW) {
            const unsigned char* t = sqlite3_column_text(raw, 1);
            if (sqlite3_column_int(raw, 0) != static_cast<int>(texts.size()) + 1 || !t)
                return false;
            texts.emplace_back(reinterpret_cast<const char*>(t));
        }
        return true;
    };
    std::vector<std::string> opening;
    out.surah = surah;
    if (!read(surah, out.verses) || static_cast<int>(out.verses.size()) != count || !read(1, opening) ||
        opening.empty()) {
        error = "the content database lacks verse texts of chapter " + std::to_string(surah);
        return false;
    }
    out.invocation = opening[0];
    return true;
}

bool RecitationArchiver::members(Kind kind, int folder, int surah, std::vector<ChapterArchive::Member>& out,
                                 std::string& error)
{
    ChapterText chapter;
    if (!chapterText(surah, chapter, error))
        return false;
    if (!synthesizer_ && !(synthesizer_ = VerseSynthesizer::shared(error)))
        return false;
    const Voice& voice = voiceForFolder(folder);
    out.clear();
    if (kind == Kind::Continuous) {
        for (const RecitedVerse& v : layoutChapter(chapter, voice, ChapterInfo::getTotalPartsForChapter(surah))) {
            if (out.empty() || v.startFrame == 0)
                out.push_back({partMemberName(surah, v.part), {}});
            auto clip = synthesizer_->verseMP3(v.text, voice, v.frames, error);
            if (clip.empty())
                return false;
            out.back().data.insert(out.back().data.end(), clip.begin(), clip.end());
        }
        return true;
    }
    for (const Clip& clip : verseClips(surah, static_cast<int>(chapter.verses.size()))) {
        const std::string& text = clip.verse == 0 ? chapter.invocation : chapter.verses[clip.verse - 1];
        auto mp3 = synthesizer_->verseMP3(text, voice, verseFrames(text, voice), error);
        if (mp3.empty())
            return false;
        out.push_back({clipMemberName(surah, clip.number), std::move(mp3)});
    }
    return true;
}

std::string RecitationArchiver::cachedPath(Kind kind, int folder, int surah) const
{
    char name[16];
    std::snprintf(name, sizeof name, "%03d.tar.gz", surah);
    return (fs::path(cacheDir_) / kCacheFormat / kindName(kind) / std::to_string(folder) / name).string();
}

std::string RecitationArchiver::archivePath(Kind kind, int folder, int surah, std::string& error)
{
    std::lock_guard<std::mutex> guard(lock_);
    const std::string path = cachedPath(kind, folder, surah);
    std::error_code ec;
    if (fs::is_regular_file(path, ec))
        return path;
    std::vector<ChapterArchive::Member> files;
    if (!members(kind, folder, surah, files, error) || !writeWhole(path, ChapterArchive::archive(files), error))
        return {};
    return path;
}

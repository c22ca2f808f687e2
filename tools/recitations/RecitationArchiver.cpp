#include "tools/recitations/RecitationArchiver.h"

#include "Classes/Core/ChapterInfo.h"
#include "tools/recitations/VerseSynthesizer.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace RecitationTiming;

namespace {

// Part of the cache path: bump when the formula, the voices or the archive layout change.
constexpr const char* kCacheFormat = "synthetic-1";

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

bool RecitationArchiver::archiveSize(Kind kind, int folder, int surah, long long& size, std::string& error)
{
    ChapterText chapter;
    if (!chapterText(surah, chapter, error))
        return false;
    const Voice& voice = voiceForFolder(folder);
    if (kind == Kind::PerVerse) {
        size = perVerseArchiveSize(chapter, voice);
        return true;
    }
    std::vector<long long> parts;
    for (const RecitedVerse& v : layoutChapter(chapter, voice, ChapterInfo::getTotalPartsForChapter(surah))) {
        if (v.startFrame == 0)
            parts.push_back(0);
        parts.back() += static_cast<long long>(v.frames) * kFrameBytes;
    }
    size = ChapterArchive::encodedSize(parts);
    return true;
}

bool RecitationArchiver::write(Kind kind, int folder, int surah, const ChapterArchive::Sink& sink, std::string& error)
{
    error.clear();
    ChapterText chapter;
    if (!chapterText(surah, chapter, error))
        return false;
    if (!synthesizer_ && !(synthesizer_ = VerseSynthesizer::shared(error)))
        return false;
    const Voice& voice = voiceForFolder(folder);
    ChapterArchive::Writer writer(sink, true);
    bool ok = true;
    auto add = [&](const std::string& text, int frames) {
        auto mp3 = synthesizer_->verseMP3(text, voice, frames, error);
        return !mp3.empty() && (ok = writer.append(mp3.data(), mp3.size()));
    };
    if (kind == Kind::Continuous) {
        const auto layout = layoutChapter(chapter, voice, ChapterInfo::getTotalPartsForChapter(surah));
        for (size_t i = 0; i < layout.size(); ++i) {
            if (layout[i].startFrame == 0) {
                long long frames = 0;
                for (size_t j = i; j < layout.size() && layout[j].part == layout[i].part; ++j)
                    frames += layout[j].frames;
                if (!(ok = writer.begin(partMemberName(surah, layout[i].part), size_t(frames) * kFrameBytes)))
                    break;
            }
            if (!add(layout[i].text, layout[i].frames))
                break;
        }
    } else {
        for (const Clip& clip : verseClips(surah, static_cast<int>(chapter.verses.size()))) {
            const std::string& text = clip.verse == 0 ? chapter.invocation : chapter.verses[clip.verse - 1];
            const int frames = verseFrames(text, voice);
            if (!(ok = writer.begin(clipMemberName(surah, clip.number), size_t(frames) * kFrameBytes)) ||
                !add(text, frames))
                break;
        }
    }
    if (ok && error.empty() && !writer.finish())
        ok = false;
    if (!ok && error.empty())
        error = "cannot write the archive";
    return ok && error.empty();
}

std::string RecitationArchiver::cachedPath(Kind kind, int folder, int surah) const
{
    char name[16];
    std::snprintf(name, sizeof name, "%03d.tar.gz", surah);
    return (fs::path(cacheDir_) / kCacheFormat / kindName(kind) / std::to_string(folder) / name).string();
}

std::string RecitationArchiver::cachedArchive(Kind kind, int folder, int surah) const
{
    const std::string path = cachedPath(kind, folder, surah);
    std::error_code ec;
    return fs::is_regular_file(path, ec) ? path : std::string();
}

std::string RecitationArchiver::archivePath(Kind kind, int folder, int surah, std::string& error,
                                            const ChapterArchive::Sink& alsoTo)
{
    static std::atomic<int> counter{0};
    std::lock_guard<std::mutex> guard(lock_);
    const std::string path = cachedPath(kind, folder, surah);
    std::error_code ec;
    if (fs::is_regular_file(path, ec))
        return path;
    if (surah < 1 || surah > 114) {
        error = "no chapter " + std::to_string(surah);
        return {};
    }
    fs::create_directories(fs::path(path).parent_path(), ec);
    const std::string temp = path + ".part-" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(temp.c_str(), "wb"), std::fclose);
    if (!file) {
        error = "cannot write " + temp + ": " + std::strerror(errno);
        return {};
    }
    bool copying = static_cast<bool>(alsoTo);
    const bool made = write(kind, folder, surah, [&](const uint8_t* data, size_t size) {
        copying = copying && alsoTo(data, size);
        return std::fwrite(data, 1, size, file.get()) == size;
    }, error);
    const bool closed = std::fclose(file.release()) == 0;
    if (!made || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        if (error.empty())
            error = "cannot write the archive " + path;
        return {};
    }
    return path;
}

bool RecitationArchiver::recordVerse(int folder, int surah, int verse, const std::string& path, std::string& error)
{
    std::lock_guard<std::mutex> guard(lock_);
    ChapterText chapter;
    if (!chapterText(surah, chapter, error))
        return false;
    if (verse < 1 || verse > static_cast<int>(chapter.verses.size())) {
        error = "no verse " + std::to_string(surah) + ":" + std::to_string(verse);
        return false;
    }
    if (!synthesizer_ && !(synthesizer_ = VerseSynthesizer::shared(error)))
        return false;
    const Voice& voice = voiceForFolder(folder);
    const std::string& text = chapter.verses[verse - 1];
    auto mp3 = synthesizer_->verseMP3(text, voice, verseFrames(text, voice), error);
    if (mp3.empty())
        return false;
    const std::string temp = path + ".part-" + std::to_string(getpid());
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(temp.c_str(), "wb"), std::fclose);
    const bool written = file && std::fwrite(mp3.data(), 1, mp3.size(), file.get()) == mp3.size();
    const bool closed = file && std::fclose(file.release()) == 0;
    if (!written || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}

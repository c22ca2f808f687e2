#include "tools/contentdb/QuranSources.h"

#include "tools/contentdb/Json.h"

#include <algorithm>
#include <fstream>
#include <sstream>

int QuranMeta::quarterOf(VerseRef ref) const
{
    auto it = std::upper_bound(quarters.begin(), quarters.end(), ref);
    return static_cast<int>(it - quarters.begin());
}

namespace QuranSources {
namespace {

bool readRefs(const JsonValue& list, size_t count, const char* name, std::vector<VerseRef>& out, std::string& error)
{
    if (list.kind() != JsonValue::Kind::Array || list.size() != count) {
        error = std::string("division data: '") + name + "' must list " + std::to_string(count) + " verses";
        return false;
    }
    for (const auto& item : list.array()) {
        VerseRef ref{item[0].integer(), item[1].integer()};
        if (ref.surah < 1 || ref.surah > 114 || ref.verse < 1) {
            error = std::string("division data: invalid verse in '") + name + "'";
            return false;
        }
        if (!out.empty() && !(out.back() < ref)) {
            error = std::string("division data: '") + name + "' is not strictly increasing";
            return false;
        }
        out.push_back(ref);
    }
    return true;
}

} // namespace

bool readFile(const std::string& path, std::string& out, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return true;
}

bool loadMeta(const std::string& path, QuranMeta& out, std::string& error)
{
    std::string text;
    if (!readFile(path, text, error))
        return false;
    JsonValue root;
    if (!JsonValue::parse(text, root, error)) {
        error = path + ": " + error;
        return false;
    }
    out = QuranMeta();
    const JsonValue& surahs = root["surahs"];
    if (surahs.kind() != JsonValue::Kind::Array || surahs.size() != 114) {
        error = "division data: 'surahs' must list 114 chapters";
        return false;
    }
    int total = 0;
    for (const auto& s : surahs.array()) {
        out.verseCounts.push_back(s["verses"].integer());
        out.revelationOrder.push_back(s["order"].integer());
        total += out.verseCounts.back();
    }
    std::vector<int> order = out.revelationOrder;
    std::sort(order.begin(), order.end());
    for (int i = 0; i < 114; ++i) {
        if (order[i] != i + 1) {
            error = "division data: the revelation order is not a permutation of 1-114";
            return false;
        }
    }
    if (total != 6236) {
        error = "division data: the verse counts add up to " + std::to_string(total) + ", not 6236";
        return false;
    }
    if (!readRefs(root["quarters"], 240, "quarters", out.quarters, error) ||
        !readRefs(root["juz"], 30, "juz", out.juz, error) || !readRefs(root["sajda"], 15, "sajda", out.sajda, error))
        return false;
    for (const auto* list : {&out.quarters, &out.juz, &out.sajda}) {
        for (const auto& ref : *list) {
            if (ref.verse > out.verseCounts[ref.surah - 1]) {
                error = "division data: verse " + std::to_string(ref.surah) + ":" + std::to_string(ref.verse) +
                        " does not exist";
                return false;
            }
        }
    }
    for (int j = 0; j < 30; ++j) {
        if (!(out.juz[j] == out.quarters[8 * j])) {
            error = "division data: juz " + std::to_string(j + 1) + " does not begin on a hizb quarter";
            return false;
        }
    }
    return true;
}

bool loadTexts(const std::string& path, const std::string& field, const QuranMeta& meta, ChapterTexts& out,
               std::string& error)
{
    std::string text;
    if (!readFile(path, text, error))
        return false;
    JsonValue root;
    if (!JsonValue::parse(text, root, error)) {
        error = path + ": " + error;
        return false;
    }
    if (root.kind() != JsonValue::Kind::Array || root.size() != 114) {
        error = path + ": expected 114 chapters";
        return false;
    }
    out.assign(114, {});
    for (size_t c = 0; c < 114; ++c) {
        const JsonValue& chapter = root[c];
        const JsonValue& verses = chapter["verses"];
        int surah = static_cast<int>(c) + 1;
        if (chapter["id"].integer() != surah || verses.size() != static_cast<size_t>(meta.verseCounts[c])) {
            error = path + ": chapter " + std::to_string(surah) + " does not hold " +
                    std::to_string(meta.verseCounts[c]) + " verses";
            return false;
        }
        for (size_t v = 0; v < verses.size(); ++v) {
            const JsonValue& value = verses[v][field];
            if (verses[v]["id"].integer() != static_cast<int>(v) + 1 || value.kind() != JsonValue::Kind::String ||
                value.string().empty()) {
                error = path + ": verse " + std::to_string(surah) + ":" + std::to_string(v + 1) + " has no '" + field +
                        "' text";
                return false;
            }
            out[c].push_back(value.string());
        }
    }
    return true;
}

} // namespace QuranSources

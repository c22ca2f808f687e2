// The JSON parser against a reference library on the same bytes: a 5 MB document made of the
// translations in the content database (one object per verse). Both must read the document;
// the figure is the reference's best time over ours (above 1: ours is faster).

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <chrono>
#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/foundation/Paths.h"
#include "social/json/SBJSON.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kTargetBytes = 5 * 1024 * 1024;

// {"translations":[{"id":N,"verses":[{"surah":S,"verse":V,"text":"..."},...]},...]}
std::string translationsDocument(sqlite3* db) {
  JSONValue::Array translations;
  size_t bytes = 0;
  for (int id = 1; id < 60 && bytes < kTargetBytes; ++id) {
    const std::string sql = "SELECT surah, verse, translation FROM trans" + std::to_string(id) + " ORDER BY surah, verse";
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) continue;
    JSONValue::Array verses;
    while (sqlite3_step(stmt) == SQLITE_ROW && bytes < kTargetBytes) {
      const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2));
      JSONObject verse;
      verse.set("surah", sqlite3_column_int(stmt, 0));
      verse.set("verse", sqlite3_column_int(stmt, 1));
      verse.set("text", std::string(text ? text : ""));
      bytes += 40 + (text ? std::strlen(text) : 0);
      verses.push_back(std::move(verse));
    }
    sqlite3_finalize(stmt);
    if (verses.empty()) continue;
    JSONObject translation;
    translation.set("id", id);
    translation.set("verses", std::move(verses));
    translations.push_back(std::move(translation));
  }
  JSONObject root;
  root.set("translations", std::move(translations));
  SBJsonWriter writer;
  writer.setHumanReadable(true);  // white space as a document on the wire has it
  return writer.stringWithObject(root).value_or("");
}

template <class F>
double bestSeconds(int rounds, F&& run) {
  double best = 1e9;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

}  // namespace

int main() {
  const std::string path = Paths::bundleResource("lumeno.db");
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return 1;
  }
  const std::string document = translationsDocument(db);
  sqlite3_close(db);
  if (document.size() < kTargetBytes) {
    std::fprintf(stderr, "the content database gave only %zu bytes of JSON\n", document.size());
    return 1;
  }
  size_t ourCount = 0, referenceCount = 0;
  const double ours = bestSeconds(7, [&] {
    SBJsonParser parser;
    std::optional<JSONValue> value = parser.objectWithString(document);
    ourCount = value ? value->asObject()->find("translations")->asArray()->size() : 0;
  });
  const double reference = bestSeconds(7, [&] {
    nlohmann::json value = nlohmann::json::parse(document);
    referenceCount = value["translations"].size();
  });
  if (ourCount == 0 || ourCount != referenceCount) {
    std::fprintf(stderr, "the parsers disagree: %zu and %zu translations\n", ourCount, referenceCount);
    return 1;
  }
  std::printf("document %zu bytes, %zu translations; ours %.1f ms, reference %.1f ms\n", document.size(), ourCount,
              ours * 1000, reference * 1000);
  std::printf("figure json_parse_vs_reference %.2f ratio\n", reference / ours);
  return 0;
}

#pragma once
// Data sources that tests drive: a list whose loads the test starts and ends, and rows of
// text items.

#include <string>
#include <vector>

#include "tests/toolkit/controllers/ControllerTestSupport.h"
#include "toolkit/tables/TTListDataSource.h"
#include "toolkit/tables/TTTableTextItem.h"

// A list that loads when asked and ends the load when the test says so.
class ScriptedListSource : public TTListDataSource {
 public:
  bool loaded = false, loading = false;
  std::string loadingTitle = "Loading...";
  std::string emptyTitle, errorTitle = "Failed", errorSubtitle = "Try again";
  std::vector<std::string> searches;
  // Answers for the model's changes: the path to change, or nullopt for the whole table.
  std::optional<std::vector<int>> changedPath;

  bool isLoaded() const override { return loaded; }
  bool isLoading() const override { return loading; }
  void load(int, bool) override {
    loading = true;
    didStartLoad();
  }
  void finish(std::vector<TTTableObject> rows) {
    setItems(std::move(rows));
    loading = false;
    loaded = true;
    didFinishLoad();
  }
  void fail() {
    loading = false;
    didFailLoadWithError(NSError("test", 3));
  }
  void search(const std::string& text) override { searches.push_back(text); }
  std::string titleForLoading(bool) override { return loadingTitle; }
  std::string titleForEmpty() override { return emptyTitle; }
  std::string titleForError(const NSError*) override { return errorTitle; }
  std::string subtitleForError(const NSError*) override { return errorSubtitle; }
  std::optional<std::vector<int>> willInsertObject(UITableView*, const TTTableObject&, const NSIndexPath&) override {
    return changedPath;
  }
};

inline std::vector<TTTableObject> textRows(const std::vector<std::string>& texts) {
  std::vector<TTTableObject> rows;
  for (const auto& text : texts) rows.emplace_back(TTTableTextItem::itemWithText<TTTableTextItem>(text));
  return rows;
}

inline std::vector<TTTableObject> numberedRows(int count) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.push_back("Row " + std::to_string(i));
  return textRows(texts);
}

// Filters its rows by the search text and remembers every search.
class RecordingSearchSource : public TTSearchListDataSource {
 public:
  using TTSearchListDataSource::TTSearchListDataSource;
  std::vector<std::string> searches;
  void search(const std::string& text) override {
    searches.push_back(text);
    TTSearchListDataSource::search(text);
  }
};

inline std::vector<TTTableObject> chapterRows() {
  std::vector<TTTableObject> rows;
  for (const char* name : {"Al-Fatiha", "Al-Baqara", "Al-Imran", "An-Nisa", "Al-Maida", "Yusuf", "Maryam"})
    rows.emplace_back(TTTableTextItem::itemWithText<TTTableTextItem>(name, std::string("tt://chapter/") + name));
  return rows;
}

// Writes the screen where the test run keeps its files, for looking at.
inline void shootScreen(HeadlessBackend& backend, const std::string& name) {
  const char* dir = std::getenv("LUMENO_TEMP_DIR");
  backend.frame();
  EXPECT_TRUE(backend.screenshot(std::string(dir ? dir : ".") + "/" + name));
}

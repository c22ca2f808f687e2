// The content database's audio tables for the synthetic recitations: which continuous part
// holds each verse, where in its part it begins, and each chapter's per-verse archive size,
// all from the recitations' timing formula, for reciter codes 0-8.
#pragma once

#include "tools/contentdb/QuranSources.h"

#include <sqlite3.h>

#include <string>

namespace AudioTables {

// Fills audioparts, audiotimings and recitationmp3sizes; `simple` holds the verse texts that
// simplearabic stores (the recitations speak those).
[[nodiscard]] bool write(sqlite3* db, const ChapterTexts& simple, std::string& error);

}  // namespace AudioTables

#pragma once
// The installed-audio marks of the user database read in two queries, answering the same
// questions as ChapterInfo's per-chapter audio queries without a query each (the index asks
// them for every chapter and reciter).

#include <set>
#include <utility>

struct sqlite3;

class InstalledAudioSnapshot {
public:
    // Unreadable tables give a snapshot with nothing installed.
    static InstalledAudioSnapshot read(sqlite3* db);

    bool isSurahAudioInstalled(int surah, int reciter) const;
    bool isSurahAudioHQInstalled(int surah, int reciter) const;
    bool isSurahAudioContinuous(int surah, int reciter) const;

private:
    using Marks = std::set<std::pair<int, int>>;  // (reciter, surah)
    Marks clips_;
    Marks continuous_;
    Marks continuousHQ_;
};

#pragma once
// While one of these lives, the folder behaves as on a read-only disk for this process: opening
// a file under it for writing, and making, removing or renaming anything in it, fail with
// EROFS. Reading is untouched.

#include <string>

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    // Changes refused so far.
    int refusedChanges() const;
};

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

// While one of these lives, making a new file or folder under `folder` fails with ENOSPC, as on a
// disk with no free file entries (inodes) left, for this process. Existing files open, change and
// go as before. Shares ReadOnlyFolder's replacements of the C library's calls.
class NoFreeFileEntries {
public:
    explicit NoFreeFileEntries(std::string folder);
    ~NoFreeFileEntries();
    NoFreeFileEntries(const NoFreeFileEntries&) = delete;
    NoFreeFileEntries& operator=(const NoFreeFileEntries&) = delete;
    // New files and folders refused so far.
    int refusedCreations() const;
};

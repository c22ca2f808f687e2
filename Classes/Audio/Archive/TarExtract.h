#pragma once
// A minimal reader of POSIX ustar archives that writes regular files and folders into a
// target folder, one 512-byte block at a time. Members that would land outside the folder,
// malformed headers and sizes past the archive fail the whole archive.

#include "Classes/Audio/Archive/ArchiveError.h"

#include <cstdio>
#include <string>

constexpr size_t kTarBlockSize = 512;
// Largest member accepted; chapter clips are a few megabytes.
constexpr long long kTarMaxMemberSize = 256LL * 1024 * 1024;

// Extracts the archive that `in` is positioned at the start of into `folder` (created when
// missing). Deletes `deleteOnSuccess` (when not empty) once the archive was read whole.
// 0 on success, -1 on failure (`why`, when given, says what went wrong); members already
// written stay in the folder. Extraction stops when the program quits.
[[nodiscard]] int tar_extract(FILE* in, const std::string& deleteOnSuccess, const std::string& folder,
                              ArchiveError* why = nullptr);

// Handles one member whose header block was just read; its data follows in `in`.
[[nodiscard]] int tar_extract_entry(FILE* in, unsigned char (&header)[kTarBlockSize], const std::string& folder,
                                    ArchiveError* why = nullptr);

#pragma once
// Decompression of a gzip file in place, in fixed-size steps. Failures are results, with a
// message on the log; nothing ends the process.

#include "Classes/Audio/Archive/ArchiveError.h"

#include <string>

#include <zlib.h>

// No bound on the decompressed size.
constexpr long long kGunzipUnbounded = -1;

// Reads "<x>.gz" and writes "<x>" (a path not ending in ".gz" names the output and gets ".gz"
// appended for the input). The compressed file is deleted on success; on failure it is kept
// and the partial output is removed. Decompression stops as soon as the output would pass
// `maxOutput` bytes (unless unbounded), and when the program quits. `why` (when given) says
// what went wrong.
[[nodiscard]] bool gunzip_file(const std::string& path, long long maxOutput = kGunzipUnbounded,
                               ArchiveError* why = nullptr);

// Copies the decompressed bytes of `in` to the descriptor `out`, at most `maxOutput` of them,
// and closes both. Input that is not gzip data fails.
[[nodiscard]] bool gunzip_stream(gzFile in, int out, long long maxOutput = kGunzipUnbounded,
                                 ArchiveError* why = nullptr);

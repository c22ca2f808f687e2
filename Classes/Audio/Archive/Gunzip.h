#pragma once
// Decompression of a gzip file in place, in fixed-size steps. Failures are results, with a
// message on the log; nothing ends the process.

#include <cstdio>
#include <string>

#include <zlib.h>

// Reads "<x>.gz" and writes "<x>" (a path not ending in ".gz" names the output and gets ".gz"
// appended for the input). The compressed file is deleted on success; on failure it is kept
// and a partial output may remain.
[[nodiscard]] bool gunzip_file(const std::string& path);

// Copies the decompressed bytes of `in` to `out` and closes both. Input that is not gzip data
// fails.
[[nodiscard]] bool gunzip_stream(gzFile in, FILE* out);

#pragma once
// Why unpacking a chapter archive stopped.

#include "platform/foundation/NSFileManager.h"

#include <cerrno>

enum class ArchiveError {
    none,
    damaged,   // not gzip data, a malformed header, a short read
    tooLarge,  // the output passed the bound it was given
    diskFull,  // a write failed for want of space
    writeFailed,
    stopped,   // the program is quitting
};

// The error of a write that just failed, from errno.
inline ArchiveError writeError() { return isNoSpaceError(errno) ? ArchiveError::diskFull : ArchiveError::writeFailed; }

#pragma once

// How an installation ended.
enum class InstallOutcome {
    installed,
    failed,          // anything not named below, clips that are not audio among them
    damagedArchive,  // not a chapter archive, or one that unpacks past its bound
    cacheFull,       // no space left in the caches folder to unpack
    documentsFull,   // no space left in Documents for the user database
    stopped,         // the program quits
};

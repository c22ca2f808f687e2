#include "Classes/Audio/DownloadProgressText.h"

#include "Classes/Core/ChapterInfo.h"
#include "Classes/Core/Language.h"
#include "platform/foundation/Format.h"

std::string downloadSizeText(int bytes) {
    if (bytes <= 0) return "-- kB";
    const int k = bytes / 1024;
    if (k >= 1024) return stringWithFormat("%i MB", k / 1024);
    return k > 0 ? stringWithFormat("%i kB", k) : "-- kB";
}

std::string downloadProgressText(int surah, int bytes) {
    return stringWithFormat("%@ %@ (%@)", Language::get("Downloading", "Downloading"), ChapterInfo::getNameFromNumber(surah),
                            downloadSizeText(bytes));
}

#include "Classes/Audio/ChapterAudioDownload.h"

#include <filesystem>

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"

bool ChapterAudioDownload::continuous() const { return ChapterInfo::doesReciterSupportContRecitation(reciter); }

int ChapterAudioDownload::folderNumber() const { return ChapterInfo::getRemoteFolderNumberForReciter(reciter); }

std::string ChapterAudioDownload::remotePath() const {
    return stringWithFormat("/downloads/iphone/%@/%d/%@.tar.gz", continuous() ? "audioCont" : "audiov2.2",
                            folderNumber(), ChapterInfo::getThreeDigitNumberFromInt(surah));
}

std::string ChapterAudioDownload::folderPath() const {
    return str::appendPathComponent(audioCachePath(), stringWithFormat("%i", folderNumber()));
}

std::string ChapterAudioDownload::audioCachePath() { return str::appendPathComponent(Paths::caches(), "audio"); }

void ChapterAudioDownload::removeLeftovers() {
    std::error_code error;
    const std::uintmax_t removed = std::filesystem::remove_all(audioCachePath(), error);
    if (error)
        NSLog("Could not remove the audio download leftovers in %@: %@", audioCachePath(), error.message());
    else if (removed > 0)
        NSLog("Removed %@ audio download leftovers", std::to_string(removed));
}

std::string ChapterAudioDownload::archivePath() const { return extractionPath() + ".tar.gz"; }

std::string ChapterAudioDownload::tarPath() const { return extractionPath() + ".tar"; }

std::string ChapterAudioDownload::extractionPath() const {
    return str::appendPathComponent(folderPath(), stringWithFormat("%i", surah));
}

#include "Classes/Audio/ChapterAudioDownload.h"

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"

bool ChapterAudioDownload::continuous() const { return ChapterInfo::doesReciterSupportContRecitation(reciter); }

int ChapterAudioDownload::folderNumber() const { return ChapterInfo::getRemoteFolderNumberForReciter(reciter); }

std::string ChapterAudioDownload::remotePath() const {
    return stringWithFormat("/downloads/iphone/%@/%d/%@.tar.gz", continuous() ? "audioCont" : "audiov2.2",
                            folderNumber(), ChapterInfo::getThreeDigitNumberFromInt(surah));
}

std::string ChapterAudioDownload::folderPath() const {
    return str::appendPathComponent(str::appendPathComponent(Paths::caches(), "audio"),
                                    stringWithFormat("%i", folderNumber()));
}

std::string ChapterAudioDownload::archivePath() const { return extractionPath() + ".tar.gz"; }

std::string ChapterAudioDownload::tarPath() const { return extractionPath() + ".tar"; }

std::string ChapterAudioDownload::extractionPath() const {
    return str::appendPathComponent(folderPath(), stringWithFormat("%i", surah));
}

// Installing a downloaded chapter on a worker thread, on the user database's second connection.

#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "Classes/Audio/ChapterAudioInstaller.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"

#include <exception>

void LumenoSDKAppDelegate::startSetupDownloadedSurahAudio(int surah) {
    detachNewThread([this, surah] { setupDownloadedSurahAudioInBG(surah); }, "audio-setup");
}

void LumenoSDKAppDelegate::setupDownloadedSurahAudioInBG(int surah) {
    const bool ok = setupDownloadedSurahAudio(surah);
    // A quit stopped it: the screens that would hear of it are going away.
    if (setupOutcome_ == InstallOutcome::stopped || workersShouldStop()) return;
    RunLoop::main().postAndWait([this, ok] {
        if (ok)
            setupSucceeded();
        else
            setupFailed();
    });
    RunLoop::main().postAndWait([this] { finalizeDownload(); });
}

bool LumenoSDKAppDelegate::setupDownloadedSurahAudio(int surah) {
    RunLoop::main().postAndWait([this] { willPerformAudioSetup(); });
    settingUpSurah_ = true;
    setupOutcome_ = InstallOutcome::failed;
    try {
        setupOutcome_ = ChapterAudioInstaller::install(dbConnectionAudioDownload(),
                                                       {surah, downloadingReciter_, downloadingExpectedBytes_});
    } catch (const std::exception& error) {
        NSLog("[setupDownloadedSurahAudio] %s", error.what());  // the transaction was rolled back
    }
    settingUpSurah_ = false;
    return setupOutcome_ == InstallOutcome::installed;
}

void LumenoSDKAppDelegate::willPerformAudioSetup() {
    if (downloadDelegate_) downloadDelegate_->willPerformAudioSetup();
}

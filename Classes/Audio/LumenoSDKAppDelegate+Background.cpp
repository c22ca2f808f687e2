// Background tasks for audio work: one platform task per kind while the work runs.

#include "Classes/Core/LumenoSDKAppDelegate.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/NSDate.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"

namespace {

constexpr int kDownloadingAudio = 1;
constexpr int kDeletingAudio = 2;

bool isAudioKind(int kind) { return kind == kDownloadingAudio || kind == kDeletingAudio; }

const char* kindName(int kind) { return kind == kDownloadingAudio ? "DOWNLOAD AUDIO" : "DELETING AUDIO"; }

void logTask(const std::string& text) { NSLog("DEBUG - [%@] [BG SUPP] %@", describe(NSDate::date()), text); }

}  // namespace

bool LumenoSDKAppDelegate::BackgroundTasksSupported() { return UIDevice::currentDevice().isMultitaskingSupported(); }

void LumenoSDKAppDelegate::beginBackgroundTask(int kind) {
    if (!BackgroundTasksSupported() || !isAudioKind(kind)) return;
    logTask(stringWithFormat("Requesting %s Entry Task", kindName(kind)));
    UIApplication& application = UIApplication::sharedApplication();
    auto held = backgroundTasks_.find(kind);
    if (held != backgroundTasks_.end()) {
        logTask("Cleanly closing background entry task");
        application.endBackgroundTask(held->second);
        backgroundTasks_.erase(held);
    }
    backgroundTasks_[kind] = application.beginBackgroundTaskWithExpirationHandler([kind] {
        LumenoSDKAppDelegate* app = GetInstance();
        if (!app) return;
        if (kind == kDownloadingAudio)
            app->downloadAudioTaskExpired();
        else
            app->deletingAudioTaskExpired();
    });
}

void LumenoSDKAppDelegate::endBackgroundTask(int kind) {
    if (!BackgroundTasksSupported() || !isAudioKind(kind)) return;
    auto held = backgroundTasks_.find(kind);
    if (held == backgroundTasks_.end()) return;
    logTask(stringWithFormat("Cleanly closing %s entry task", kindName(kind)));
    UIApplication::sharedApplication().endBackgroundTask(held->second);
    backgroundTasks_.erase(held);
}

bool LumenoSDKAppDelegate::isTaskAlreadyInBackground(int kind) const {
    if (!BackgroundTasksSupported()) return true;
    return isAudioKind(kind) && backgroundTasks_.count(kind) != 0;
}

namespace {

// The work itself goes on; only the task is given back.
void expire(std::map<int, std::uint64_t>& tasks, int kind) {
    logTask(stringWithFormat("FORCE CLOSING %s ENTRY TASK - EXPIRATION HANDLED", kindName(kind)));
    auto held = tasks.find(kind);
    if (held == tasks.end()) return;
    UIApplication::sharedApplication().endBackgroundTask(held->second);
    tasks.erase(held);
}

}  // namespace

void LumenoSDKAppDelegate::downloadAudioTaskExpired() { expire(backgroundTasks_, kDownloadingAudio); }

void LumenoSDKAppDelegate::deletingAudioTaskExpired() { expire(backgroundTasks_, kDeletingAudio); }

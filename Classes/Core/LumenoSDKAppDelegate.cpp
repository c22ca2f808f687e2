#include "Classes/Core/LumenoSDKAppDelegate.h"

#include <atomic>

namespace {
std::atomic<LumenoSDKAppDelegate*> sharedDelegate{nullptr};
std::atomic<bool> upgradedApp{false};
}  // namespace

LumenoSDKAppDelegate::LumenoSDKAppDelegate() { sharedDelegate = this; }

LumenoSDKAppDelegate::~LumenoSDKAppDelegate() {
    closeDatabases();
    LumenoSDKAppDelegate* self = this;
    sharedDelegate.compare_exchange_strong(self, nullptr);
}

LumenoSDKAppDelegate* LumenoSDKAppDelegate::GetInstance() { return sharedDelegate; }

void LumenoSDKAppDelegate::MarkUpgraded(bool upgraded) { upgradedApp = upgraded; }

bool LumenoSDKAppDelegate::HasUpgradedApp() { return upgradedApp; }

// Background tasks never expire on this platform: the identifiers are only kept.
void LumenoSDKAppDelegate::beginBackgroundTask(int kind) {
    if (kind != 1 && kind != 2) return;
    backgroundTasks_[kind] = nextBackgroundTaskId_++;
}

void LumenoSDKAppDelegate::endBackgroundTask(int kind) { backgroundTasks_.erase(kind); }

bool LumenoSDKAppDelegate::isBackgroundTaskRunning(int kind) const { return backgroundTasks_.count(kind) != 0; }

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

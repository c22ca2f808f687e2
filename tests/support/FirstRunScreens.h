#pragma once
// Marks the tips and the update notice as seen, so a chapter opens without them over it (for
// tests of what lies under them).

#include "platform/foundation/NSUserDefaults.h"

inline void markFirstRunScreensSeen() {
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setBool(true, "TipsShown3.1");
    defaults.setBool(true, "Update3.1Shown");
}

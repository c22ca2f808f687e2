#include "platform/foundation/NSTimer.h"

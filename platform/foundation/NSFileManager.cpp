#include "platform/foundation/NSFileManager.h"

#include "platform/foundation/NSDate.h"

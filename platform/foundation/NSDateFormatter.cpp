#include "platform/foundation/NSDateFormatter.h"

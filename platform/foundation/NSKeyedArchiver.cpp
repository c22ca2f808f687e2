#include "platform/foundation/NSKeyedArchiver.h"

#include "platform/foundation/Value.h"

#include "platform/foundation/Paths.h"

#include "platform/foundation/RunLoop.h"

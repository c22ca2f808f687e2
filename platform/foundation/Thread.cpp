#include "platform/foundation/Thread.h"

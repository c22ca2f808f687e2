#include "platform/foundation/NSOperationQueue.h"

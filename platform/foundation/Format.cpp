#include "platform/foundation/Format.h"

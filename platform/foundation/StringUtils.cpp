#include "platform/foundation/StringUtils.h"

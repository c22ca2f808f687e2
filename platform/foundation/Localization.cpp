#include "platform/foundation/Localization.h"

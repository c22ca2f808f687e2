#include "toolkit/foundation/UIFont+TTCategory.h"

namespace tt {

double lineHeight(const UIFont& font) { return font.ascender() - font.descender() + 1; }

}  // namespace tt

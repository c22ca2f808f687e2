#pragma once
// Which cell class shows an object by default.

#include "toolkit/tables/TTTableViewCell.h"

namespace tt {
// Items by their class (most specific first, as the classes nest); bare styled text, controls
// and text views, other views; anything else gets the plain base cell.
const TTTableCellClass& defaultCellClassForObject(const TTTableObject& object);
}  // namespace tt

#include "toolkit/tables/TTTableViewCell.h"

void TTTableViewCell::prepareForReuse()
{
    setObject(TTTableObject());
    UITableViewCell::prepareForReuse();
}

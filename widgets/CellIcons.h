#pragma once
// The small pictures beside table cells. Drawn rather than taken from the
// style, so every platform shows the same four and each differs in shape as
// well as colour.
#include <QIcon>

#include "pages/PageTable.h"

namespace orlan {

// A null icon for ECellIcon::None.
QIcon CellIcon(ECellIcon icon);

} // namespace orlan

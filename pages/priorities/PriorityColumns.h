#pragma once
// Column headers of the grids whose event columns are numbered rather than
// named in the catalogue.
#include <string>
#include <vector>

#include "pages/PageTable.h"

namespace orlan {

// `keys` head the first columns (the label column first); the next `count`
// columns are headed `prefix` + 0, 1, …
STableDesc NumberedColumns(std::vector<std::string> keys, size_t count, const std::string& prefix = {});

} // namespace orlan

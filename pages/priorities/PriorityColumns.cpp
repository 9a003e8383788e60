#include "pages/priorities/PriorityColumns.h"

namespace orlan {

STableDesc NumberedColumns(std::vector<std::string> keys, size_t count, const std::string& prefix)
{
    STableDesc columns;
    columns.fixedHeaders.assign(keys.size(), std::string());
    for (size_t number = 0; number < count; ++number)
        columns.fixedHeaders.push_back(prefix + std::to_string(number));
    // The label column is not a cell column.
    columns.dataColumns = keys.size() - 1 + count;
    columns.headerKeys = std::move(keys);
    return columns;
}

} // namespace orlan

#include "pages/AllPages.h"

namespace orlan {

std::vector<std::unique_ptr<CPage>> CreateAllPages()
{
    std::vector<std::unique_ptr<CPage>> pages;
    return pages;
}

} // namespace orlan

#include "pages/AllPages.h"

#include "pages/contacts/ServerPage.h"
#include "pages/contacts/SosPage.h"
#include "pages/system/MainParamsPage.h"

namespace orlan {

std::vector<std::unique_ptr<CPage>> CreateAllPages()
{
    std::vector<std::unique_ptr<CPage>> pages;
    pages.push_back(std::make_unique<CPageServer>());
    pages.push_back(std::make_unique<CPageMainParams>());
    pages.push_back(std::make_unique<CPageSos>());
    return pages;
}

} // namespace orlan

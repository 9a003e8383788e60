#include "pages/PageFamilies.h"
#include "pages/contacts/ServerPage.h"
#include "pages/contacts/SosPage.h"

namespace orlan {

void AddContactPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageServer>());
    pages.push_back(std::make_unique<CPageSos>());
}

} // namespace orlan

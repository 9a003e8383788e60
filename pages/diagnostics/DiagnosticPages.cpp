#include "pages/PageFamilies.h"
#include "pages/diagnostics/CommPage.h"

namespace orlan {

void AddDiagnosticPages(CPageList& pages)
{
    pages.push_back(std::make_unique<CPageComm>());
}

} // namespace orlan

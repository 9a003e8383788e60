#include "pages/diagnostics/CommPage.h"

namespace orlan {

CPageComm::CPageComm()
    : CPage({.className = "CPageComm",
             .section = "PageComm",
             .navKey = "PAGE_COMM_TOOL",
             .hasWriteBack = false,
             .becomesCurrent = false})
{
}

} // namespace orlan

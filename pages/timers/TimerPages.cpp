#include "pages/PageFamilies.h"

namespace orlan {

void AddTimerPages(CPageList& /*pages*/)
{
}

} // namespace orlan

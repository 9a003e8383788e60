#include "pages/PageFamilies.h"

namespace orlan {

void AddPriorityPages(CPageList& /*pages*/)
{
}

} // namespace orlan

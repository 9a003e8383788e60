#include "pages/PageFamilies.h"

namespace orlan {

void AddMessagePages(CPageList& /*pages*/)
{
}

} // namespace orlan

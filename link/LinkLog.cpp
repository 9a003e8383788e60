#include "link/LinkLog.h"

namespace orlan {

Q_LOGGING_CATEGORY(lcLink, "orlan.link", QtWarningMsg)

} // namespace orlan

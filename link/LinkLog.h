#pragma once
// Diagnostics of the serial link. Debug and info messages are off unless the
// user enables them (QT_LOGGING_RULES="orlan.link.debug=true").
#include <QLoggingCategory>

namespace orlan {

Q_DECLARE_LOGGING_CATEGORY(lcLink)

} // namespace orlan

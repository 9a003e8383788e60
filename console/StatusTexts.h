#pragma once
#include "console/ReceivePath.h"
#include "labels/LabelCatalogue.h"

namespace orlan {

// The terminal state texts of section SYSMSG, read once at start-up.
SStatusTexts LoadStatusTexts(const CLabelCatalogue& catalogue);

} // namespace orlan

#pragma once
// The one printf-style formatter for wire texts. The compiler checks every
// format against its arguments, so "%2.2d", "%4.4x", "%.2f" and "%8.8x" mean
// exactly what they say and a literal percent sign is written "%%".
#include <string>

namespace orlan {

std::string FormatWire(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace orlan

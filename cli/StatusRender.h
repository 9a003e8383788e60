#pragma once
// The unit at a glance as orlan-cli prints it: a text for a person, one line
// per change for --watch, or a JSON object, each value with its age in
// seconds (null while never reported).
#include <cstdint>
#include <string>

#include "session/StatusOverview.h"

namespace orlan {

std::string StatusText(const SStatus& status, int64_t nowMs);
std::string StatusLine(const SStatus& status, int64_t nowMs);
// `compact`: on one line.
std::string StatusJson(const SStatus& status, int64_t nowMs, bool compact);
// What --watch compares: the values, not their ages nor the last line.
std::string StatusValues(const SStatus& status);

} // namespace orlan

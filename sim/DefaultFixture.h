#pragma once
// The configuration fixture (sim/fixtures/default-config.txt), built into the
// program so that it runs from anywhere.
#include <string_view>

namespace orlan {

std::string_view DefaultFixtureText();

} // namespace orlan

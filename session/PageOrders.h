#pragma once
// The fixed orders in which the session visits its pages.
#include <string_view>
#include <vector>

namespace orlan {

// Every page class of the tool, built or still to come: the routing table
// and the orders above may name only these.
const std::vector<std::string_view>& AllPageClasses();

// Page class names in the order the whole-configuration read clears them.
const std::vector<std::string_view>& WholeReadClearOrder();
// Page class names in the order their profile sections are written.
const std::vector<std::string_view>& ProfileSectionOrder();

} // namespace orlan

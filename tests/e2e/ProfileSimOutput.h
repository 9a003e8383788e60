#pragma once
// What the simulated terminal on its built-in configuration answers, without
// a process or a serial line (its engine and the console's types share names,
// so they live in a unit of their own).
#include <string>
#include <string_view>

namespace orlan::test {

// The bytes a logged-in simulated terminal writes for `input`.
std::string SimAnswer(std::string_view input);

} // namespace orlan::test

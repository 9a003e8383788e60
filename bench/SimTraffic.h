#pragma once
// What the simulated terminal prints for a whole read ("%DUMPS", "%DUMPR")
// with its default configuration: the input of the receive-side benchmarks.
#include <string>

namespace orlan::bench {

// Empty when the simulator's fixture does not parse.
std::string WholeReadTraffic();

} // namespace orlan::bench

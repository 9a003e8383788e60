#pragma once
// For test executables that use Qt: one QCoreApplication for the whole run
// (created by a GoogleTest environment) and bounded waits.
#include <chrono>
#include <functional>

namespace orlan::test {

inline constexpr std::chrono::milliseconds kPatience{10000};

// Pumps the calling thread's events until `done` holds or `limit` passes.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kPatience);
// Waits without pumping.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kPatience);

} // namespace orlan::test

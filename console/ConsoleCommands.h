#pragma once
// The fixed console messages the tool writes: setup key run, login password,
// batch brackets, the whole-configuration read, factory defaults and restart.
#include <cstddef>
#include <string>
#include <string_view>

#include "console/ByteSink.h"

namespace orlan {

// The terminal's input line limit: it refuses a line longer than this
// (without its CR) whole, so a longer command is never sent.
inline constexpr size_t kTerminalLineLimit = 1024;

// The password the tool starts with, and a new terminal's.
inline constexpr std::string_view kInitialPassword = "rain is a cold one";

inline constexpr std::string_view kSetupKeyRun = "%%%%%%%%%%%%";  // twelve '%', no CR
inline constexpr std::string_view kStartCmd = "%STARTCMD\r";
inline constexpr std::string_view kCommitCmd = "%COMMITCMD\r";
inline constexpr std::string_view kDumpS = "%DUMPS\r";
inline constexpr std::string_view kDumpR = "%DUMPR\r";
inline constexpr std::string_view kFactoryDefaults = "%ATF\r";
inline constexpr std::string_view kRestart = "%RST\r";

void SendSetupKeyRun(IByteSink& sink);
// The password as typed, then CR as a block of its own; an empty password
// sends just the CR.
void SendPassword(IByteSink& sink, std::string_view password);
// Why the terminal could never take this password (empty when it could): a
// line break would end it early and send the rest as a line of its own, and
// with its CR it must fit one input line (a longer line is dropped whole).
std::string PasswordError(std::string_view password);
// "%DUMPS" and "%DUMPR" as two separate writes, in that order, no wait between.
void SendWholeConfigurationRead(IByteSink& sink);
void SendFactoryDefaults(IByteSink& sink);
void SendRestart(IByteSink& sink);

} // namespace orlan

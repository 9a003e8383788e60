#pragma once
// The control stream of a running simulator (one command per line on stdin):
//   event [N]              N event-log lines (default 1)
//   temp N                 N realtime temperature records
//   raw TEXT               TEXT as a line of its own
//   burst N                N letters in one write, without a line end
//   input N S, output N S  input or output N goes to state S (a digit),
//                          reported as a "*IO" line
//   boot                   restart: boot messages, logged out afterwards
//   hangup                 the line goes dead (the host closes it and ends)
//   set-fault NAME [VALUE] switch a fault (see SimFaults.h); hangup-after
//                          counts from now
#include <string>
#include <string_view>

namespace orlan {

class CSimTerminal;

// Carries out one control line; returns "ok" or "error: " and the reason
// (nothing for a blank line).
std::string ApplyControlLine(CSimTerminal& terminal, std::string_view line);

} // namespace orlan

#pragma once
// Misbehaviours the simulated terminal can be switched into, from the command
// line ("--fault-late 500") and from the control stream ("set-fault late 500").
#include <cstdint>
#include <string>
#include <string_view>

namespace orlan {

// How the terminal answers the commands it accepts while busy.
enum class EPleaseWait {
    Off,    // "CMD OK"
    Only,   // "Please wait" and nothing more
    ThenOk, // "Please wait", then "CMD OK" kPleaseWaitWorkMs later
};

struct SimFaults {
    bool silent = false;        // logged in, "%" commands get no output and have no effect
    int lateMs = 0;             // everything said in reply to a line comes this much later
    bool cmdErr = false;        // every setting command is refused with "CMD ERR"
    bool garbage = false;       // junk lines of non-text bytes and over-long lines between lines
    bool split = false;         // each output line goes out in several writes
    int64_t hangupAfterMs = -1; // the line goes dead this long after start (-1: never)
    bool doubleAnswer = false;  // every "CMD OK" / "CMD ERR" goes out twice
    bool reprompt = false;      // a refused password gets "Login Failed" and a new prompt
    bool endlessDump = false;   // a whole read prints its settings round after round, never the end line
    bool pictureNoEnd = false;  // the picture goes out without its end marker
    bool echo = false;          // every line received is echoed back before it is answered
    EPleaseWait pleaseWait = EPleaseWait::Off; // for every pleaseWaitEvery-th accepted command
    int pleaseWaitEvery = 1;    // 1: all of them
};

// How long a "busy" command works before its "CMD OK" (EPleaseWait::ThenOk).
inline constexpr int kPleaseWaitWorkMs = 400;

// Applies one switch by name ("silent", "late", "cmd-err", "garbage", "split",
// "hangup-after", "double-answer", "reprompt", "endless-dump",
// "picture-no-end", "echo", "please-wait", "please-wait-every", or "none" for all
// off). Switches take "on"/"off"/"1"/"0" (nothing means on); "late" and
// "hangup-after" take milliseconds ("off" for none); "please-wait" takes
// "only", "then-ok" or "off"; "please-wait-every" a count from 1. On a bad
// name or value nothing changes and *error says why.
bool SetFault(SimFaults& faults, std::string_view name, std::string_view value, std::string* error);

} // namespace orlan

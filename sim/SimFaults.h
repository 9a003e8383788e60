#pragma once
// Misbehaviours the simulated terminal can be switched into, from the command
// line ("--fault-late 500") and from the control stream ("set-fault late 500").
#include <cstdint>
#include <string>
#include <string_view>

namespace orlan {

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
};

// Applies one switch by name ("silent", "late", "cmd-err", "garbage", "split",
// "hangup-after", "double-answer", "reprompt", "endless-dump",
// "picture-no-end", or "none" for all off). Switches take "on"/"off"/"1"/"0"
// (nothing means on); "late" and "hangup-after" take milliseconds ("off" for
// none). On a bad name or value nothing changes and *error says why.
bool SetFault(SimFaults& faults, std::string_view name, std::string_view value, std::string* error);

} // namespace orlan

#pragma once
// The command line of orlan-cli: options, the command and its argument, the
// usage text and the exit codes scripts test. No Qt, so it is tested alone.
#include <optional>
#include <string>
#include <vector>

#include "console/ConsoleCommands.h"

namespace orlan {

enum class ECliExit : int {
    Ok = 0,
    Usage = 1,
    PortFailed = 2,
    LinkLost = 3,
    LoginRefused = 4,
    TimedOut = 5,       // no login, whole read or setup mode within --timeout
    Rejected = 6,       // a command was answered "CMD ERR"
    Unanswered = 7,     // a command got no answer within its wait, or was not sent
    ProfileFailed = 8,  // the profile could not be read or written
    Interrupted = 9,    // SIGINT or SIGTERM (monitor ends with Ok)
    Differs = 10,       // diff: the terminal does not hold the profile
    NotVerified = 11,   // exec --verify: some settings did not take effect
    OutputFailed = 12,  // standard output could not be written (wins over the others)
    PortTrouble = 13,   // doctor: a port this user may not open, one another process holds, or none
    NotWritten = 14,    // write/edit: what was asked travels with a value the terminal never reported
    Restarted = 15,     // exec: the terminal restarted during the profile
};

enum class ECliCommand { Read, Exec, Send, Monitor, Setup, Restart, Defaults, Pages, Show, Write, Edit, Diff, Records,
                         Doctor, Status, History, Report };


struct SCliOptions {
    std::string port;  // a device path or COMn
    std::string password{kInitialPassword};
    int timeoutSeconds = 60;
    bool timeoutGiven = false;  // monitor watches for this long only when given
    int commandTimeoutMs = 0;   // 0: the tool's own waits
    bool verbose = false;
    bool raw = false;  // the terminal's bytes as they came, control bytes and all; diff: the line diff
    ECliCommand command = ECliCommand::Read;
    std::string profilePath;  // read --profile FILE, exec FILE, diff FILE; show/write/edit --profile FILE
    std::string otherProfilePath;  // diff A B: B
    std::string outputPath;        // write/edit --profile FILE --output NEW; report --output FILE
    std::string text;         // send TEXT
    std::string page;         // show/write/edit PAGE (class name or alias)
    bool json = false;        // show, status, history --json
    bool watch = false;       // status --watch
    std::string unit;         // history UNIT
    std::vector<std::string> assignments;  // write/edit --set ID=VALUE, exec --set PAGE.ID=VALUE, in order
    std::string row;          // edit ROW: the row's label as its list shows it, or its number from 0
    size_t table = 0;         // edit --table N
    std::string backupPath;   // exec --backup FILE
    bool verify = false;      // exec --verify
    std::string exportPath;   // records --export FILE; empty: standard output
    int quietMs = 3000;       // records: the replay is over once the line is quiet this long
};

struct SCliParse {
    std::optional<SCliOptions> options;  // set when the command line is good
    bool help = false;
    bool version = false;  // --version: print CliVersionText() and stop
    std::string error;  // why it is not, for the user
};

// The arguments without the program name.
SCliParse ParseCliArgs(const std::vector<std::string>& args);

const char* CliUsage();
// "orlan-cli 3.44" and a line end.
std::string CliVersionText();

// The longest text `send` takes: with its CR it must fit the terminal's
// 1024-byte input line.
inline constexpr size_t kMaxSendText = 1023;

} // namespace orlan

#pragma once
// One console command of the simulated terminal: how its name is matched, how
// it is answered, and the handler that carries it out.
#include <functional>
#include <string_view>
#include <vector>

namespace orlan {

class CConfigStore;

// What a command handler may do to the terminal.
class ISimConsole {
public:
    virtual ~ISimConsole() = default;
    virtual CConfigStore& Store() = 0;
    virtual void PrintLine(std::string_view text) = 0; // text + CR LF
    virtual void PrintGroups(const std::vector<std::string_view>& groups) = 0;
    virtual void PrintModbusRow(int row) = 0;
    virtual void PrintSettings() = 0;         // every "$" line of the store
    virtual void PrintStateAndEndMark() = 0;  // every "*" line, then the end-of-dump line
    virtual void PrintTemperatureLog() = 0;   // the stored temperature records
    virtual void RestoreFixture() = 0;
    virtual void RebootAfterAnswer() = 0;
    virtual void TakePicture() = 0;
    virtual void SendPicture(std::string_view index) = 0;
};

// A command as received: "%" + name + args. `name` is the part the command's
// pattern matched, `number` the digits that stood for its '#' characters and
// `args` the rest up to the line end.
struct CommandCall {
    std::string_view name;
    std::string_view number;
    std::string_view args;
};

enum class ESimAnswer { Ok, Err, None };

// Setting commands are answered "CMD OK" or "CMD ERR"; queries print what they
// ask for and no answer line.
enum class ECommandKind { Setting, Query };

using CommandHandler = std::function<ESimAnswer(ISimConsole&, const CommandCall&)>;

struct CommandSpec {
    // Command name in upper case; '#' stands for one decimal digit. Matching
    // ignores letter case and takes the longest pattern that fits.
    std::string_view pattern;
    ECommandKind kind = ECommandKind::Setting;
    CommandHandler handler; // empty: accepted, changes nothing
    bool takesArgs = true;  // false: text behind the name makes it "CMD ERR"
};

} // namespace orlan

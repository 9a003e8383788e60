#include "console/LeftOut.h"

namespace orlan {

namespace {

// Long texts (UCS-2 hex) are named by their start.
constexpr size_t kShownCommand = 48;

} // namespace

std::string LeftOutText(const SLeftOut& leftOut)
{
    std::string command = leftOut.command;
    if (command.size() > kShownCommand)
        command = command.substr(0, kShownCommand) + "...";
    std::string needs;
    for (const SUnknownValue& value : leftOut.unknown) {
        if (!needs.empty())
            needs += ", ";
        needs += value.id;
    }
    if (command.empty())
        return "not written: the command of " + needs + ", which the terminal did not report";
    return "not written: " + command + " (needs " + needs + ", which the terminal did not report" +
           (leftOut.carriesEdit ? "; the value typed with it is not written either)" : ")");
}

} // namespace orlan

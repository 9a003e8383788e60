#include "sim/DeclaredCommands.h"

#include <algorithm>
#include <deque>
#include <string>

#include "pages/AllPages.h"
#include "pages/Setting.h"
#include "sim/CommandTable.h"
#include "sim/ConfigStore.h"
#include "sim/DefaultFixture.h"

namespace orlan {

namespace {

struct SDeclared {
    SFieldDesc desc;
    std::string prefix;  // the line's key and separator: "$POWDLY "
    std::string group;
};

// The command's name when it is "%" + name + its value alone.
std::string CommandName(const SSetting& setting)
{
    const std::optional<SCommandFrame> frame = CommandFrame(setting);
    if (!frame || !frame->after.empty() || frame->before.size() < 2 || frame->before.front() != '%')
        return {};
    std::string name = frame->before.substr(1);
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
    return plain ? name : std::string();
}

// "$BATEN 1" and "$BATEN 0" are one line, "$BATEN {0|1}".
std::string LinePrefix(const SSetting& setting, std::string_view key)
{
    if (IsSwitchKey(key))
        key.remove_suffix(1);
    const bool separated = setting.joinedValue || key.ends_with(' ');
    return std::string(key) + (separated ? "" : " ");
}

// A hand-written row at least as long as the name, or one whose row number
// the name goes on with ("IOVPC" for "IOVPC0,": the row's own command).
bool CarriesName(std::string_view pattern, std::string_view name)
{
    return pattern.size() >= name.size() || (name.size() > pattern.size() && name[pattern.size()] >= '0' &&
                                              name[pattern.size()] <= '9');
}

bool ValueTaken(const SFieldDesc& desc, std::string_view value)
{
    const bool digits = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    switch (desc.kind) {
    case EFieldKind::Check:
        return value == "0" || value == "1";
    case EFieldKind::Choice:
        return digits;
    default:
        return ValueError(desc, value).empty();
    }
}

} // namespace

std::vector<CommandSpec> DeclaredCommands(const std::vector<CommandSpec>& handWritten)
{
    return DeclaredCommands(handWritten, CreateAllPages());
}

std::vector<CommandSpec> DeclaredCommands(const std::vector<CommandSpec>& handWritten,
                                          const std::vector<std::unique_ptr<CPage>>& pages)
{
    // Patterns are views: their texts live as long as the program.
    static std::deque<std::string> names;
    std::string error;
    const std::optional<CConfigStore> fixture = CConfigStore::Parse(DefaultFixtureText(), &error);
    std::vector<CommandSpec> declared;
    for (const auto& page : pages) {
        for (const SSetting& setting : page->Settings()) {
            const std::string name = CommandName(setting);
            if (name.empty() || setting.keys.empty())
                continue;
            // A hand-written row at least as long as the name carries it (a
            // command that rewrites more than one line); a shorter one that
            // happens to match loses to this row, the longest pattern.
            const CommandMatch hand = MatchCommand(handWritten, name + "0");
            if (hand.spec != nullptr && CarriesName(hand.spec->pattern, name))
                continue;
            SDeclared rule{setting.field, LinePrefix(setting, setting.keys.front()), "SYS"};
            if (fixture) {
                if (const ConfigLine* line = fixture->Find(rule.prefix))
                    rule.group = line->group;
            }
            // Two pages may declare the same command (the unit id): one row.
            const CommandMatch twice = MatchCommand(declared, name + "0");
            if (twice.spec != nullptr && twice.spec->pattern == name)
                continue;
            const std::string& pattern = names.emplace_back(name);
            declared.push_back({pattern, ECommandKind::Setting, [rule](ISimConsole& console, const CommandCall& call) {
                                    if (!ValueTaken(rule.desc, call.args))
                                        return ESimAnswer::Err;
                                    console.Store().Set(rule.group, rule.prefix, rule.prefix + std::string(call.args));
                                    return ESimAnswer::Ok;
                                }});
        }
    }
    return declared;
}

} // namespace orlan

#include "sim/CommandTable.h"

namespace orlan {

namespace {

char Upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool PatternMatches(std::string_view pattern, std::string_view text)
{
    if (text.size() < pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '#' ? !IsDigit(text[i]) : Upper(text[i]) != pattern[i])
            return false;
    }
    return true;
}

CommandMatch MatchCommand(const std::vector<CommandSpec>& table, std::string_view text)
{
    CommandMatch best;
    for (const CommandSpec& spec : table) {
        if (!PatternMatches(spec.pattern, text))
            continue;
        if (best.spec == nullptr || spec.pattern.size() > best.spec->pattern.size())
            best.spec = &spec;
    }
    if (best.spec == nullptr)
        return best;
    const std::string_view pattern = best.spec->pattern;
    best.call.name = text.substr(0, pattern.size());
    best.call.args = text.substr(pattern.size());
    const std::size_t first = pattern.find('#');
    if (first != std::string_view::npos)
        best.call.number = best.call.name.substr(first, pattern.rfind('#') - first + 1);
    return best;
}

} // namespace orlan

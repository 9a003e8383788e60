#pragma once
// Command handlers that write a setting back into the dump lines, so that a
// dump after the command shows the new value. One template per dump line the
// command changes; placeholders take their text from the command:
//
//   {n}  the number inside the command name (its '#' digits: "%CS3" gives 3)
//   {nn} the same with at least two digits ("%mdmas5" gives 05)
//   {r}  argument field 0 as a row number ("%WINURG3,1" gives 3)
//   {x}  the whole argument as a hexadecimal number ("%WSONa" gives 10)
//   {v}  the whole argument text
//   {b}  the whole argument, which must be 0 or 1
//   {0}, {1}, …  the comma-separated argument fields
//
// {n}, {nn}, {r} and {x} identify the line and must not exceed maxIndex (when given).
// The line to replace is found by the template's text up to its first value
// placeholder, or up to a '|' that ends a line's identity before a fixed value
// ("*TMP100_EN |1"). Malformed arguments change nothing and answer "CMD ERR".
#include "sim/SimCommand.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

CommandHandler RewriteLines(std::string_view group, std::initializer_list<std::string_view> templates,
                            int maxIndex = -1);

inline CommandHandler RewriteLine(std::string_view group, std::string_view lineTemplate, int maxIndex = -1)
{
    return RewriteLines(group, {lineTemplate}, maxIndex);
}

// One field of a comma-separated value list: the line that starts with the
// expanded identity ("$ETEMP{n} ") gets field `field` (from 0, counted behind
// the identity) replaced by the expanded value template. The line must exist.
CommandHandler RewriteListField(std::string_view group, std::string_view identity, std::size_t field,
                                std::string_view valueTemplate, int maxIndex = -1);

// Commands that carry one digit per channel ("%DINURG0101"): the argument must
// have exactly one digit (0 … maxDigit) per prefix; digit i follows prefix i.
CommandHandler RewriteDigits(std::string_view group, std::vector<std::string> prefixes, char maxDigit);

// prefix + i + suffix for i = 0 … count - 1 ("$AINDRP0 ", "$AINDRP1 ", …).
std::vector<std::string> Numbered(std::string_view prefix, int count, std::string_view suffix = " ");

// text cut at every comma (at least one field, perhaps empty).
std::vector<std::string_view> SplitFields(std::string_view text);

// Runs the handlers in order; the first that refuses the command ends it.
CommandHandler AllOf(std::vector<CommandHandler> handlers);

} // namespace orlan

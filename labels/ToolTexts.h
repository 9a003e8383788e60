#pragma once
// The tool's own texts (those its windows write in code, in English) are
// translated through the catalogue's [ToolTexts] section, keyed by the
// English text itself. A line break is written "\n" and a backslash "\\"
// there, since a catalogue line cannot hold either as it is.
#include <optional>
#include <string>
#include <string_view>

namespace orlan {

inline constexpr std::string_view kSectionToolTexts = "ToolTexts";

// The catalogue key of an English text; nothing when no catalogue line can
// hold it (an "=" in it, a leading ";" or "[", blanks at either end).
std::optional<std::string> ToolTextKey(std::string_view english);

// A [ToolTexts] value as the window shows it ("\n" becomes a line break).
std::string ToolTextFromCatalogue(std::string_view stored);

} // namespace orlan

#include "sim/SimControl.h"

#include "sim/SimTerminal.h"

#include <charconv>
#include <optional>

namespace orlan {

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& text)
{
    text = Trim(text);
    const std::size_t end = text.find_first_of(" \t");
    const std::string_view word = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : Trim(text.substr(end));
    return word;
}

// An empty text gives the fallback.
std::optional<int> ParseCount(std::string_view text, int fallback, int max = 100000)
{
    if (text.empty())
        return fallback;
    int count = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (ec != std::errc() || end != text.data() + text.size() || count < 1 || count > max)
        return std::nullopt;
    return count;
}

// A burst of bytes without a line end, at most this long.
constexpr int kMaxBurst = 10 * 1024 * 1024;

} // namespace

std::string ApplyControlLine(CSimTerminal& terminal, std::string_view line)
{
    std::string_view rest = line;
    const std::string_view command = NextWord(rest);
    if (command.empty())
        return {};

    if (command == "event" || command == "temp") {
        // A bare event is one; temp always wants its count.
        const std::optional<int> count = ParseCount(rest, command == "event" ? 1 : 0);
        if (!count || *count == 0)
            return "error: " + std::string(command) + " needs a count from 1 to 100000";
        if (command == "event") {
            for (int i = 0; i < *count; ++i)
                terminal.EmitEvent();
        } else {
            terminal.EmitTemperatureRecords(*count);
        }
        return "ok";
    }
    if (command == "input" || command == "output") {
        // "input 2 1": input 2 opens; the terminal reports it at once.
        const std::string_view channel = NextWord(rest);
        int index = -1;
        const auto [end, ec] = std::from_chars(channel.data(), channel.data() + channel.size(), index);
        if (ec != std::errc() || end != channel.data() + channel.size() || channel.empty() || rest.size() != 1
            || !terminal.ChangeIo(command == "input" ? 'I' : 'O', index, rest.front()))
            return "error: " + std::string(command) + " needs a channel the terminal has and a state digit";
        return "ok";
    }
    if (command == "raw") {
        // The text is everything after "raw " as given, inner blanks included.
        const std::size_t start = line.find("raw") + 3;
        std::string_view text = line.substr(start);
        if (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
            text.remove_suffix(1);
        terminal.EmitRaw(text);
        return "ok";
    }
    if (command == "burst") {
        const std::optional<int> count = ParseCount(rest, 0, kMaxBurst);
        if (!count || *count == 0)
            return "error: burst needs a byte count from 1 to " + std::to_string(kMaxBurst);
        terminal.EmitBurst(static_cast<std::size_t>(*count));
        return "ok";
    }
    if (command == "boot" && rest.empty()) {
        terminal.Reboot();
        return "ok";
    }
    if (command == "hangup" && rest.empty()) {
        terminal.Hangup();
        return "ok";
    }
    if (command == "set-fault") {
        const std::string_view name = NextWord(rest);
        std::string error;
        if (!SetFault(terminal.Faults(), name, rest, &error))
            return "error: " + error;
        if (name == "hangup-after" && terminal.Faults().hangupAfterMs >= 0)
            terminal.Faults().hangupAfterMs += terminal.Now(); // from now, not from start
        return "ok";
    }
    return "error: unknown control command: " + std::string(Trim(line));
}

} // namespace orlan

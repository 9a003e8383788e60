// Feeds arbitrary bytes, cut into chunks of input-chosen sizes, through the
// profile reader and checks it against the rules of EXEC applied to the
// whole file at once: the same lines, the same error, whatever the chunks.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleCommands.h"
#include "console/ProfileReader.h"

namespace {

struct SExpected {
    std::vector<orlan::SProfileLine> lines;
    bool refused = false;
};

bool IsControlByte(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == 0xFF;
}

// The rules as EXEC states them, on the whole file, with what the tool
// refuses: a NUL anywhere, a control byte or a run of '%' as a command, a
// command over the line limit (nothing behind the first is kept), and a
// file without any command.
SExpected Reference(std::string_view contents)
{
    SExpected expected;
    std::string previous;
    size_t number = 0;
    size_t pos = 0;
    while (pos < contents.size()) {
        size_t end = contents.find('\n', pos);
        if (end == std::string_view::npos)
            end = contents.size();
        ++number;
        std::string line;
        bool crInCommand = false;
        bool crBefore = false;
        for (char c : contents.substr(pos, end - pos)) {
            if (c == '\r') {
                crBefore = true;
                continue;
            }
            crInCommand = crInCommand || (crBefore && line.starts_with('%'));
            crBefore = false;
            line += c;
        }
        pos = end + 1;
        const bool command = line.starts_with('%');
        const bool shown = line.starts_with("\\\\");
        const bool control = command && std::any_of(line.begin(), line.end(), [](char c) {
                                 return IsControlByte(static_cast<unsigned char>(c));
                             });
        if (line.find('\0') != std::string::npos || control || crInCommand) {
            expected.refused = true;
            return expected;
        }
        if (line.empty() || line == previous)
            continue;
        previous = line;
        if (!shown && !command)
            continue;
        if (command && (line.size() > orlan::kTerminalLineLimit
                        || (line.size() >= 2 && line.find_first_not_of('%') == std::string::npos))) {
            expected.refused = true;
            return expected;
        }
        expected.lines.push_back({line, command, number});
    }
    expected.refused = std::none_of(expected.lines.begin(), expected.lines.end(),
                                    [](const orlan::SProfileLine& line) { return line.command; });
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the chunk size; the rest is the file.
    const size_t chunk = 1 + data[0] % 97;
    const std::string_view contents(reinterpret_cast<const char*>(data + 1), size - 1);

    orlan::CProfileReader reader;
    for (size_t i = 0; i < contents.size(); i += chunk)
        reader.Feed(contents.substr(i, chunk));
    reader.Finish();

    const SExpected expected = Reference(contents);
    if (reader.Error().empty() == expected.refused)
        std::abort();
    const std::vector<orlan::SProfileLine>& lines = reader.Lines();
    if (lines.size() != expected.lines.size())
        std::abort();
    for (size_t i = 0; i < lines.size(); ++i) {
        const orlan::SProfileLine& got = lines[i];
        const orlan::SProfileLine& want = expected.lines[i];
        if (got.text != want.text || got.command != want.command || got.number != want.number)
            std::abort();
        if (got.text.find_first_of("\r\n") != std::string::npos)
            std::abort();
        if (got.command && got.text.size() > orlan::kTerminalLineLimit)
            std::abort();
    }
    return 0;
}

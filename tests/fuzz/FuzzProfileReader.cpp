// Feeds arbitrary bytes, cut into chunks of input-chosen sizes, through the
// profile reader and checks it against the rules of EXEC applied to the
// whole file at once: the same lines, the same error, whatever the chunks.
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
    bool tooLong = false;
};

// The rules as EXEC states them, on the whole file.
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
        for (char c : contents.substr(pos, end - pos)) {
            if (c != '\r')
                line += c;
        }
        pos = end + 1;
        if (line.empty() || line == previous)
            continue;
        previous = line;
        const bool shown = line.starts_with("\\\\");
        const bool command = !shown && line.starts_with('%');
        if (!shown && !command)
            continue;
        if (command && line.size() > orlan::kTerminalLineLimit) {
            expected.tooLong = true;
            return expected;  // nothing behind the first error is kept
        }
        expected.lines.push_back({line, command, number});
    }
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
    if (reader.Error().empty() == expected.tooLong)
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

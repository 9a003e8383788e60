#pragma once
// A simulated terminal on the built-in configuration, driven by hand, with
// everything it writes collected.
#include "sim/ConfigStore.h"
#include "sim/DefaultFixture.h"
#include "sim/SimTerminal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlan::test {

inline CConfigStore DefaultFixture()
{
    std::string error;
    std::optional<CConfigStore> store = CConfigStore::Parse(DefaultFixtureText(), &error);
    EXPECT_TRUE(store.has_value()) << error;
    return store ? *store : CConfigStore();
}

// Cuts text at CR LF; a trailing piece without line end is dropped.
inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class CSimHarness {
public:
    explicit CSimHarness(SimOptions options = {})
        : terminal(DefaultFixture(), std::move(options), [this](std::string_view bytes) {
              output += bytes;
              writes.emplace_back(bytes);
          })
    {
    }

    // What was written since the last call, as lines.
    std::vector<std::string> TakeLines()
    {
        std::vector<std::string> lines = SplitLines(output);
        output.clear();
        writes.clear();
        return lines;
    }

    // Starts logged in with nothing written yet.
    static SimOptions LoggedIn()
    {
        SimOptions options;
        options.startLoggedIn = true;
        return options;
    }

    std::string output;              // everything since the last TakeLines
    std::vector<std::string> writes; // the same, one entry per write
    CSimTerminal terminal;
};

} // namespace orlan::test

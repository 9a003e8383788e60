#include "ProfileSimOutput.h"

#include <gtest/gtest.h>

#include "sim/ConfigStore.h"
#include "sim/DefaultFixture.h"
#include "sim/SimTerminal.h"

namespace orlan::test {

std::string SimAnswer(std::string_view input)
{
    std::string error;
    const std::optional<CConfigStore> fixture = CConfigStore::Parse(DefaultFixtureText(), &error);
    EXPECT_TRUE(fixture) << error;
    if (!fixture)
        return {};
    SimOptions options;
    options.startLoggedIn = true;
    std::string output;
    CSimTerminal terminal(*fixture, options, [&output](std::string_view bytes) { output += bytes; });
    terminal.Start();
    terminal.Feed(input);
    return output;
}

} // namespace orlan::test

// orlan-sim: a simulated terminal on a pseudo-terminal (see SimCommandLine.cpp
// for the options).
#include "sim/ConfigStore.h"
#include "sim/DefaultFixture.h"
#include "sim/SimCommandLine.h"
#include "sim/SimHost.h"

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv)
{
    using namespace orlan;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string error;
    const std::optional<SimCommandLine> options = ParseSimCommandLine(args, &error);
    if (options && options->version && !options->help) {
        std::fputs(SimVersionText().c_str(), stdout);
        return 0;
    }
    if (!options || options->help) {
        std::fprintf(options ? stdout : stderr, "%s%s%s", error.c_str(), error.empty() ? "" : "\n",
                     std::string(SimUsage()).c_str());
        return options ? 0 : 2;
    }

    std::string fixtureText(DefaultFixtureText());
    if (!options->fixturePath.empty()) {
        std::ifstream file(options->fixturePath, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        if (!file) {
            std::fprintf(stderr, "orlan-sim: cannot read %s\n", options->fixturePath.c_str());
            return 1;
        }
        fixtureText = text.str();
    }
    std::optional<CConfigStore> fixture = CConfigStore::Parse(fixtureText, &error);
    if (!fixture) {
        std::fprintf(stderr, "orlan-sim: configuration: %s\n", error.c_str());
        return 1;
    }
    fixture->OmitShare(options->omitPercent, options->terminal.seed);
    return RunSimulator(*options, std::move(*fixture));
}

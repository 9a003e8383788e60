#pragma once
// Command-line options of orlan-sim.
#include "sim/SimTerminal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

struct SimCommandLine {
    SimOptions terminal;
    std::uint32_t rate = 11520; // bytes per second; 115 200 bit/s with 8N1
    std::string linkPath;       // --link
    std::string fixturePath;    // --fixture; empty: the built-in configuration
    int omitPercent = 0;        // --omit-share: this share of the settings is left out of the dumps
    std::string logPath;        // --log: every line received, one per line
    bool control = false;       // read control commands from stdin
    bool help = false;
    bool version = false;       // print SimVersionText() and stop
};

// args without the program name. On a bad option returns nothing and says
// why, unless --help or --version is given anywhere: those win.
std::optional<SimCommandLine> ParseSimCommandLine(const std::vector<std::string_view>& args, std::string* error);

std::string_view SimUsage();
// "orlan-sim 3.44" and a line end.
std::string SimVersionText();

} // namespace orlan

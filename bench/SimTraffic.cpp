#include "bench/SimTraffic.h"

#include <optional>

#include "sim/ConfigStore.h"
#include "sim/DefaultFixture.h"
#include "sim/SimTerminal.h"

namespace orlan::bench {

std::string WholeReadTraffic()
{
    std::string error;
    std::optional<CConfigStore> fixture = CConfigStore::Parse(DefaultFixtureText(), &error);
    if (!fixture)
        return {};
    std::string traffic;
    SimOptions options;
    options.startLoggedIn = true;
    CSimTerminal terminal(std::move(*fixture), options, [&traffic](std::string_view bytes) { traffic += bytes; });
    terminal.Start();
    traffic.clear();
    terminal.Feed("%DUMPS\r%DUMPR\r");
    for (int i = 0; i < 1000 && terminal.NextWakeMs(); ++i)
        terminal.AdvanceTo(*terminal.NextWakeMs());
    return traffic;
}

} // namespace orlan::bench

#pragma once
// Pages named on the command line: found by class name or alias, or the
// run ends saying which names there are.
#include <string>

#include "cli/CliHost.h"

namespace orlan {

class CPage;

// Every page's alias (its class name when it has none), comma separated;
// with `withSaveOnly` only the pages with a Save.
std::string PageNames(CTerminalSession& session, bool withSaveOnly);
// The page --page names, or null with the run finished (Usage).
CPage* FindNamedPage(ICliHost& host);
// "Siren (CPageBuzzer)": how refusals name a page.
std::string PageNameForRefusal(const CPage& page, const CLabelCatalogue& catalogue);
// Whether the page's row dialog edits the table's rows, as the window offers them.
bool EditsTable(const CPage& page, size_t table);

} // namespace orlan

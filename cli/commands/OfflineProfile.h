#pragma once
// A profile file worked on in place of a terminal: loaded into the session's
// pages, changed by the same value rules as a terminal's pages, and saved
// back in the same scope (the classic sections alone stay alone), so that
// only what was changed changes in the file.
#include <string>
#include <vector>

#include "cli/CliHost.h"
#include "session/ProfileLoad.h"

namespace orlan {

class CPage;

struct SOpenedProfile {
    std::string bytes;  // as read
    EProfileScope scope = EProfileScope::Complete;
};

// Whether the command works on --profile FILE instead of a terminal.
bool WorksOffline(const SCliOptions& options);

// Reads `path` and loads it into the session's pages; lines no page takes
// are named on standard error (they are kept). False (the run finished)
// when the file cannot be read.
bool OpenProfile(ICliHost& host, const std::string& path, SOpenedProfile& opened);

// "ID=VALUE" pairs set on the page's fields; empty, or why not.
std::string SetPageFields(ICliHost& host, CPage& page, const std::vector<std::string>& assignments);
// The same on a row, as its dialog's OK would: the row's commands are read
// back into the page through its profile inverse. Empty, or why not.
std::string SetPageRow(ICliHost& host, CPage& page, size_t table, size_t row,
                       const std::vector<std::string>& assignments);

// "PAGE.ID=VALUE" and "PAGE.ROW.ID=VALUE" (ROW: the label its list shows or
// its number from 0) applied to the loaded pages in order. Empty, or why not.
std::string SetTemplateValues(ICliHost& host, const std::vector<std::string>& assignments);

// The pages as a profile in the opened scope. False (the run finished,
// NotWritten) when a value set travels in a command with one never loaded:
// more commands are left out than the `leftOutBefore` of the file as read.
bool ProfileAfterChanges(ICliHost& host, const SOpenedProfile& opened, size_t leftOutBefore, std::string& bytes);
// How many commands the pages leave out now (values never loaded).
size_t LeftOutNow(ICliHost& host, const SOpenedProfile& opened);

// Saves the pages to --output, or over the opened file, atomically, and
// ends the run.
void SaveProfileAndFinish(ICliHost& host, const SOpenedProfile& opened, size_t leftOutBefore);

} // namespace orlan

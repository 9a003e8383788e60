#pragma once
// What a start of the desktop tool is given on its command line, and what
// tests inject: a port for this run, the password, a first page and the
// screenshot mode used to draw the documentation picture.
#include <QString>
#include <QStringList>

#include <optional>

#include "link/PortDiscovery.h"
#include "link/PortNames.h"

namespace orlan {

struct SStartOptions {
    // Overrides the remembered port for this run (not stored).
    std::optional<PortInput> port;
    // Fills the password field instead of its initial text.
    std::optional<QString> password;
    // TABS key of the navigation item to show first, instead of the last one.
    QString firstPage;
    // Grab the window into this file after the first whole read, then quit.
    QString screenshotPath;
    // Show this profile file in the pages instead of reading the terminal.
    QString profilePath;
    // Print "shown" once the window is drawn, then quit (start-up benchmark).
    bool exitWhenShown = false;
    // Where the start-up looks for USB serial adapters.
    DeviceLister deviceLister = SystemSerialDevices;
};

enum class EParseOutcome { Run, Help, Version, Error };

struct SParsedCommandLine {
    EParseOutcome outcome = EParseOutcome::Run;
    SStartOptions options;
    QString error;  // one sentence, for Error
};

// `arguments` without the program name.
SParsedCommandLine ParseCommandLine(const QStringList& arguments);

// What --page takes: the navigation items' keys and the class names of the
// pages no item selects; for the refusal of an unknown key.
QStringList StartPageKeys();

inline constexpr char kUsage[] =
    "usage: orlan [--port DEVICE|COMn] [--password TEXT] [--page KEY] [--profile FILE]\n"
    "             [--screenshot FILE] [--exit-when-shown] [--help] [--version]\n"
    "\n"
    "  --port DEVICE|COMn  talk to this port for this run (the port list keeps its choice)\n"
    "  --password TEXT     the terminal's login password (never stored)\n"
    "  --page KEY          show this navigation item first, e.g. PAGE_BASIC\n"
    "  --profile FILE      show this profile file in the pages; the terminal is not read\n"
    "  --screenshot FILE   read the whole configuration, save a picture of the window\n"
    "                      as FILE (PNG) and quit\n"
    "  --exit-when-shown   quit as soon as the window is drawn (start-up benchmark)\n"
    "  --help, --version   print this text or the version and quit (no display needed)\n";

} // namespace orlan

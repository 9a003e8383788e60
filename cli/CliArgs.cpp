#include "cli/CliArgs.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <span>
#include <string_view>

#include "OrlanVersion.h"

namespace orlan {

namespace {

constexpr int kMaxTimeoutSeconds = 24 * 3600;
constexpr int kMaxCommandTimeoutMs = 600000;

struct SCommandName {
    std::string_view name;
    ECliCommand command;
    const char* arguments;  // what the command takes, or nullptr
    size_t least;           // positional arguments it needs
    size_t most;            // and takes at most
};

constexpr SCommandName kCommands[] = {
    {"read", ECliCommand::Read, nullptr, 0, 0},          {"exec", ECliCommand::Exec, "FILE", 1, 1},
    {"send", ECliCommand::Send, "TEXT", 1, 1},           {"monitor", ECliCommand::Monitor, nullptr, 0, 0},
    {"setup", ECliCommand::Setup, nullptr, 0, 0},        {"restart", ECliCommand::Restart, nullptr, 0, 0},
    {"defaults", ECliCommand::Defaults, nullptr, 0, 0},  {"pages", ECliCommand::Pages, "PAGE", 0, 1},
    {"show", ECliCommand::Show, "PAGE", 0, 1},           {"write", ECliCommand::Write, "PAGE", 1, 1},
    {"edit", ECliCommand::Edit, "PAGE ROW", 2, 2},       {"diff", ECliCommand::Diff, "PROFILE", 1, 2},
    {"records", ECliCommand::Records, nullptr, 0, 0},    {"doctor", ECliCommand::Doctor, nullptr, 0, 0},
    {"status", ECliCommand::Status, nullptr, 0, 0},      {"history", ECliCommand::History, "UNIT", 0, 1},
    {"report", ECliCommand::Report, nullptr, 0, 0},
};

// Options that take a value, and the commands they go with (none: any).
struct SValueOption {
    std::string_view name;
    std::initializer_list<ECliCommand> commands;
};

const SValueOption kValueOptions[] = {
    {"--port", {}},
    {"--password", {}},
    {"--timeout", {}},
    {"--command-timeout", {}},
    {"--profile", {ECliCommand::Read, ECliCommand::Show, ECliCommand::Write, ECliCommand::Edit, ECliCommand::Report}},
    {"--set", {ECliCommand::Write, ECliCommand::Edit, ECliCommand::Exec}},
    {"--output", {ECliCommand::Write, ECliCommand::Edit, ECliCommand::Report}},
    {"--table", {ECliCommand::Edit}},
    {"--backup", {ECliCommand::Exec}},
    {"--export", {ECliCommand::Records}},
    {"--quiet-ms", {ECliCommand::Records}},
};

const SValueOption kSwitches[] = {
    {"--verbose", {}},
    {"--raw", {}},
    {"--json", {ECliCommand::Show, ECliCommand::Status, ECliCommand::History, ECliCommand::Diff}},
    {"--watch", {ECliCommand::Status}},
    {"--verify", {ECliCommand::Exec}},
};

const SValueOption* FindOption(std::span<const SValueOption> options, std::string_view name)
{
    for (const SValueOption& option : options) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

bool GoesWith(const SValueOption& option, ECliCommand command)
{
    return option.commands.size() == 0
           || std::find(option.commands.begin(), option.commands.end(), command) != option.commands.end();
}

std::string CommandNames(const SValueOption& option)
{
    std::string names;
    for (ECliCommand command : option.commands) {
        for (const SCommandName& entry : kCommands) {
            if (entry.command == command)
                names += (names.empty() ? "" : " and ") + std::string(entry.name);
        }
    }
    return names;
}

bool ParseIndex(std::string_view text, size_t* value)
{
    size_t parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || parsed > 100000)
        return false;
    *value = parsed;
    return true;
}

bool ParseBounded(std::string_view text, int max, int* value)
{
    int parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < 1 || parsed > max)
        return false;
    *value = parsed;
    return true;
}

SCliParse Failed(std::string error)
{
    SCliParse result;
    result.error = std::move(error);
    return result;
}

} // namespace

const char* CliUsage()
{
    return "usage: orlan-cli --port DEVICE|COMn [--password TEXT] [--timeout SECONDS]\n"
           "                 [--command-timeout MS] [--verbose] [--raw] COMMAND\n"
           "       orlan-cli pages\n"
           "       orlan-cli --profile FILE show|write|edit ...   (a profile, no terminal)\n"
           "       orlan-cli diff PROFILE PROFILE2\n"
           "       orlan-cli [--port DEVICE|COMn] doctor\n"
           "\n"
           "commands:\n"
           "  read [--profile FILE]  read the whole configuration and print every line the\n"
           "                         terminal sends; with --profile write the profile sections\n"
           "                         of what was read to FILE instead\n"
           "  exec FILE [--set PAGE.ID=VALUE|PAGE.ROW.ID=VALUE]... [--backup BACKUP] [--verify]\n"
           "                         execute a profile: its '%' lines between \"%STARTCMD\" and\n"
           "                         \"%COMMITCMD\", then a whole read; the commands that failed\n"
           "                         are printed, one a line, and so are those not sent when\n"
           "                         the run is cut short (a signal closes the batch first).\n"
           "                         --backup first reads the terminal and saves its\n"
           "                         configuration as a profile to BACKUP (nothing is sent\n"
           "                         when that fails); --verify compares the read after the\n"
           "                         execution with FILE and prints each command whose\n"
           "                         setting did not take effect. With --set FILE is a template:\n"
           "                         its values with these put in first (a row of table 0 by\n"
           "                         the label its list shows or its number from 0), checked by\n"
           "                         the same rules as write and edit before anything is sent\n"
           "  send TEXT              send TEXT and a carriage return exactly as given (no batch\n"
           "                         bracket) and print the lines received up to the answer line\n"
           "  monitor                print every line the terminal sends until SIGINT or SIGTERM\n"
           "                         (or for --timeout seconds when given); realtime temperature\n"
           "                         samples are also appended to \"ex temp.csv\" in the working\n"
           "                         directory, as the realtime records page does\n"
           "  records [--export FILE] [--quiet-ms MS]\n"
           "                         ask the terminal to replay its stored temperature log\n"
           "                         (\"%ETEMPPORT1000\"), wait until the line has been quiet for MS\n"
           "                         (default 3000), then write the records as CSV to FILE\n"
           "                         (atomically) or to standard output\n"
           "  setup                  send the setup key run and wait for \"come in setup mode\";\n"
           "                         power-cycle or reset the terminal meanwhile\n"
           "  restart                send \"%RST\" and wait for its answer\n"
           "  defaults               send \"%ATF\" (factory defaults), then read and print the\n"
           "                         whole configuration\n"
           "  pages [PAGE]           list the pages (no port needed): class name, alias, title,\n"
           "                         whether it has a Save, its tables, whether it writes a\n"
           "                         profile section and whether the navigation shows it;\n"
           "  pages PAGE             the page's field ids (what --set takes) with their kind,\n"
           "                         range or items, and its tables' column ids (no port)\n"
           "  doctor                 examine the serial ports (no port needed; --port names the\n"
           "                         one to examine): /dev/serial/by-id names, USB vendor,\n"
           "                         product and serial, driver; whether this user may open it\n"
           "                         and, when not, the fix; the processes that hold it; whether\n"
           "                         ModemManager runs and would probe it. Sends nothing\n"
           "  show [PAGE] [--json]   read the whole configuration and print the page's fields\n"
           "                         (id = value # caption) and tables; without PAGE every page.\n"
           "                         --json prints one JSON object (an array for every page)\n"
           "  write PAGE [--set ID=VALUE]...\n"
           "                         read the whole configuration, set the fields given, then\n"
           "                         do what the page's Save does: its commands in order, then\n"
           "                         its read. A list takes its index or an item's text, a\n"
           "                         switch 0/1, on/off, true/false\n"
           "  edit PAGE ROW [--table N] [--set ID=VALUE]...\n"
           "                         read the whole configuration, then do what the row dialog's\n"
           "                         OK does for row ROW of table N (default 0), with the row's\n"
           "                         values changed as given (ids of the dialog's fields). ROW is\n"
           "                         the label the list shows (No.2, 03; any letter case) or the\n"
           "                         row's number from 0 (2, 3)\n"
           "  diff PROFILE [PROFILE2] [--json] [--raw]\n"
           "                         read the whole configuration (or PROFILE2, no terminal)\n"
           "                         and print each setting PROFILE holds that differs, one a\n"
           "                         line: \"page: row field: profile's value → other value\";\n"
           "                         --json one object per setting; --raw the sections'\n"
           "                         command lines instead, as a unified diff ('-' only in\n"
           "                         PROFILE, '+' only in the other)\n"
           "  status [--json] [--watch]\n"
           "                         read the pages the status overview shows, then print the\n"
           "                         unit at a glance: unit id and memo, inputs and outputs,\n"
           "                         analog readings against their thresholds, temperatures,\n"
           "                         humidity and the newest events, each with its age; with\n"
           "                         --watch one more line (or JSON object) per change until\n"
           "                         SIGINT or SIGTERM\n"
           "  report --output FILE.html|FILE.pdf [--profile FILE]\n"
           "                         write a readable report of the configuration (every page by\n"
           "                         caption, every setting by caption and value, tables as\n"
           "                         grids, the unit, the date and the tool's version) after a\n"
           "                         whole read, or of the profile FILE with no terminal; HTML,\n"
           "                         or an A4 PDF for a name ending in .pdf\n"
           "  history [UNIT] [--json]\n"
           "                         list the configuration history kept in the user's data\n"
           "                         folder (a snapshot per whole read or profile run, per unit)\n"
           "                         and what changed between each snapshot and the one before;\n"
           "                         no port needed\n"
           "\n"
           "show, write and edit with --profile FILE work on the profile instead of a terminal:\n"
           "it is loaded into the pages (lines no page takes are named and kept), changed by\n"
           "the same rules, and saved atomically over FILE or to --output NEW in the same\n"
           "sections, so only the lines of what was changed change.\n"
           "\n"
           "PAGE is a class name (CPageGPRS, any letter case) or an alias (gprs); `orlan-cli\n"
           "pages` lists them. Unknown pages, fields, values a field cannot hold and pages\n"
           "without a Save are refused before anything is sent (exit status 1). write and\n"
           "edit send only commands whose every value the terminal reported or --set gave;\n"
           "the others are listed on standard output and the terminal keeps those settings.\n"
           "\n"
           "options:\n"
           "  --port DEVICE|COMn     serial port: a device path or COM1..COM199\n"
           "  --profile FILE         show, write, edit: work on this profile, no terminal\n"
           "  --output NEW           write, edit on a profile: save to NEW, FILE unchanged\n"
           "  --password TEXT        the terminal's login password (default: the tool's initial\n"
           "                         password, \"rain is a cold one\"); one line of at most 1023\n"
           "                         bytes, as the terminal takes it with its CR\n"
           "  --timeout SECONDS      longest wait for a login, a whole read or setup mode\n"
           "                         (default 60)\n"
           "  --command-timeout MS   longest wait for each command's answer (default: 9000 for\n"
           "                         profile commands, 3000 for the brackets, send and restart)\n"
           "  --verbose              also report status texts, answers and each profile line as\n"
           "                         it goes out\n"
           "  --raw                  print the terminal's bytes as they come; without it control\n"
           "                         and escape bytes other than TAB, CR and LF are shown as \\xHH\n"
           "                         so that a unit cannot drive the user's terminal\n"
           "  --help                 this text\n"
           "  --version              print the version and quit\n"
           "\n"
           "exec, send, restart, defaults and records first make sure the terminal is logged\n"
           "in: they send \"%DUMPR\" and answer a login prompt with the password (a terminal\n"
           "that stays silent for the command wait is taken as it is; exec waits for the read\n"
           "that follows a login, and sends nothing when it fails). An echo of \"%DUMPR\" or a\n"
           "prompt is no sign of a login.\n"
           "Progress goes to standard error, results to standard output. A profile is read\n"
           "only from a regular file of at most 16 MiB; read --profile and exec --backup\n"
           "check the file before anything is read or sent, write it atomically, and refuse\n"
           "devices, FIFOs, folders and symbolic links planted in folders others may write.\n"
           "\n"
           "exit status:\n"
           "  0 done                        6 a command was answered \"CMD ERR\"\n"
           "  1 usage, unknown page/field,  7 a command got no answer in time or was not\n"
           "    value refused                 sent (6 wins)\n"
           "  2 port could not be opened    8 the profile could not be read or written\n"
           "  3 link lost                   9 interrupted: SIGINT, SIGTERM or SIGHUP (monitor\n"
           "                                  ends with 0)\n"
           "  4 password refused           10 diff: the terminal differs from the profile\n"
           "  5 no login, whole read or    11 exec --verify: a setting did not take effect\n"
           "    setup mode in time            (wins over 6 and 7)\n"
           "  12 standard output could not be written (wins over every other outcome)\n"
           "  13 doctor: a port this user may not open, one another process holds, or no\n"
           "     port found\n"
           "  14 write/edit: a value given travels in a command with a value the terminal\n"
           "     never reported, or nothing at all could be written (the commands left out\n"
           "     are listed on standard output, \"not written: ...\")\n"
           "  15 exec: the terminal restarted during the profile; nothing more was sent and\n"
           "     the batch stays uncommitted (the commands not sent are listed)\n";
}

std::string CliVersionText()
{
    return std::string("orlan-cli ") + kOrlanVersion + "\n";
}

SCliParse ParseCliArgs(const std::vector<std::string>& args)
{
    SCliOptions options;
    std::vector<std::string> positional;
    std::vector<const SValueOption*> given;  // checked against the command once it is known
    std::string error;  // the first thing wrong; --help or --version anywhere still wins
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    std::string tableText;
    auto fail = [&error](std::string why) {
        if (error.empty())
            error = std::move(why);
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (const SValueOption* flag = FindOption(kSwitches, arg)) {
            given.push_back(flag);
            options.verbose |= arg == "--verbose";
            options.raw |= arg == "--raw";
            options.json |= arg == "--json";
            options.watch |= arg == "--watch";
            options.verify |= arg == "--verify";
        } else if (const SValueOption* option = FindOption(kValueOptions, arg); option == nullptr) {
            fail("unknown option " + arg);
        } else if (i + 1 >= args.size()) {
            fail(arg + " needs a value");
        } else {
            given.push_back(option);
            const std::string& value = args[++i];
            if (arg == "--port") {
                options.port = value;
            } else if (arg == "--password") {
                options.password = value;
                if (const std::string why = PasswordError(value); !why.empty())
                    fail("--password refused: " + why);
            } else if (arg == "--profile") {
                options.profilePath = value;
                if (value.empty())
                    fail("--profile needs a file name");
            } else if (arg == "--output") {
                options.outputPath = value;
                if (value.empty())
                    fail("--output needs a file name");
            } else if (arg == "--set") {
                options.assignments.push_back(value);
            } else if (arg == "--table") {
                if (!ParseIndex(value, &options.table))
                    fail("--table takes a table number from 0, not " + value);
            } else if (arg == "--backup") {
                options.backupPath = value;
                if (value.empty())
                    fail("--backup needs a file name");
            } else if (arg == "--export") {
                options.exportPath = value;
                if (value.empty())
                    fail("--export needs a file name");
            } else if (arg == "--quiet-ms") {
                if (!ParseBounded(value, kMaxCommandTimeoutMs, &options.quietMs))
                    fail("--quiet-ms takes milliseconds from 1 to " + std::to_string(kMaxCommandTimeoutMs) + ", not "
                         + value);
            } else if (arg == "--timeout") {
                if (ParseBounded(value, kMaxTimeoutSeconds, &options.timeoutSeconds))
                    options.timeoutGiven = true;
                else
                    fail("--timeout takes seconds from 1 to " + std::to_string(kMaxTimeoutSeconds) + ", not " + value);
            } else if (!ParseBounded(value, kMaxCommandTimeoutMs, &options.commandTimeoutMs)) {
                fail("--command-timeout takes milliseconds from 1 to " + std::to_string(kMaxCommandTimeoutMs)
                     + ", not " + value);
            }
        }
    }
    if (help || version) {
        SCliParse result;
        result.help = help;
        result.version = !help;
        return result;
    }
    if (!error.empty())
        return Failed(error);

    if (positional.empty())
        return Failed("no command given");
    const SCommandName* found = nullptr;
    for (const SCommandName& entry : kCommands) {
        if (positional.front() == entry.name)
            found = &entry;
    }
    if (found == nullptr)
        return Failed("unknown command " + positional.front());
    options.command = found->command;
    const size_t count = positional.size() - 1;
    if (count < found->least)
        return Failed(std::string(found->name) + " needs " + found->arguments);
    if (count > found->most)
        return Failed("unexpected argument " + positional[found->most + 1]);
    for (const SValueOption* option : given) {
        if (!GoesWith(*option, options.command))
            return Failed(std::string(option->name) + " goes with " + CommandNames(*option) + " only");
    }

    switch (options.command) {
    case ECliCommand::Exec:
    case ECliCommand::Diff:
        options.profilePath = positional[1];
        if (count > 1)
            options.otherProfilePath = positional[2];
        if (options.profilePath.empty() || (count > 1 && options.otherProfilePath.empty()))
            return Failed(std::string(found->name) + " needs a file name");
        if (!options.backupPath.empty() && options.backupPath == options.profilePath)
            return Failed("--backup must not overwrite the profile to execute");
        break;
    case ECliCommand::Send:
        options.text = positional[1];
        if (options.text.find_first_of("\r\n") != std::string::npos)
            return Failed("send takes one line: TEXT holds a line end");
        if (options.text.size() > kMaxSendText)
            return Failed("send TEXT is longer than the terminal's line of " + std::to_string(kMaxSendText)
                          + " bytes");
        break;
    case ECliCommand::Show:
    case ECliCommand::Write:
    case ECliCommand::Pages:
        if (count > 0)
            options.page = positional[1];
        break;
    case ECliCommand::Edit:
        // The label or number is matched against the page's table once the
        // page is known.
        options.page = positional[1];
        options.row = positional[2];
        if (options.row.find_first_not_of(" \t") == std::string::npos)
            return Failed("edit takes a row's label or its number from 0, not an empty ROW");
        break;
    case ECliCommand::History:
        if (count > 0)
            options.unit = positional[1];
        break;
    default:
        break;
    }
    const bool onProfile = !options.profilePath.empty()
                           && (options.command == ECliCommand::Show || options.command == ECliCommand::Write
                               || options.command == ECliCommand::Edit || options.command == ECliCommand::Report);
    if (options.command == ECliCommand::Report && options.outputPath.empty())
        return Failed("report needs --output FILE (.html or .pdf)");
    if (!options.outputPath.empty() && !onProfile && options.command != ECliCommand::Report)
        return Failed("--output goes with --profile FILE only");
    if (onProfile && !options.port.empty())
        return Failed("--profile FILE works on the file instead of a terminal: give --port or --profile, not both");
    if (options.command == ECliCommand::Exec && !options.assignments.empty()) {
        for (const std::string& assignment : options.assignments) {
            const size_t equals = assignment.find('=');
            const size_t dot = assignment.find('.');
            if (equals == std::string::npos || dot == std::string::npos || dot > equals)
                return Failed("exec --set takes PAGE.ID=VALUE or PAGE.ROW.ID=VALUE, not " + assignment);
        }
    }
    const bool offline = onProfile || (options.command == ECliCommand::Diff && !options.otherProfilePath.empty());
    if (options.port.empty() && !offline && options.command != ECliCommand::Pages
        && options.command != ECliCommand::Doctor && options.command != ECliCommand::History)
        return Failed("--port is required");

    SCliParse result;
    result.options = std::move(options);
    return result;
}

} // namespace orlan

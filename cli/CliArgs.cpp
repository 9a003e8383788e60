#include "cli/CliArgs.h"

#include <charconv>
#include <string_view>

namespace orlan {

namespace {

constexpr int kMaxTimeoutSeconds = 24 * 3600;
constexpr int kMaxCommandTimeoutMs = 600000;

struct SCommandName {
    std::string_view name;
    ECliCommand command;
    const char* argument;  // what the command takes, or nullptr
};

constexpr SCommandName kCommands[] = {
    {"read", ECliCommand::Read, nullptr},       {"exec", ECliCommand::Exec, "FILE"},
    {"send", ECliCommand::Send, "TEXT"},        {"monitor", ECliCommand::Monitor, nullptr},
    {"setup", ECliCommand::Setup, nullptr},     {"restart", ECliCommand::Restart, nullptr},
    {"defaults", ECliCommand::Defaults, nullptr},
};

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
           "\n"
           "commands:\n"
           "  read [--profile FILE]  read the whole configuration and print every line the\n"
           "                         terminal sends; with --profile write the profile sections\n"
           "                         of what was read to FILE instead\n"
           "  exec FILE              execute a profile: its '%' lines between \"%STARTCMD\" and\n"
           "                         \"%COMMITCMD\", then a whole read; the commands that failed\n"
           "                         are printed, one a line\n"
           "  send TEXT              send TEXT and a carriage return exactly as given (no batch\n"
           "                         bracket) and print the lines received up to the answer line\n"
           "  monitor                print every line the terminal sends until SIGINT or SIGTERM\n"
           "                         (or for --timeout seconds when given)\n"
           "  setup                  send the setup key run and wait for \"come in setup mode\";\n"
           "                         power-cycle or reset the terminal meanwhile\n"
           "  restart                send \"%RST\" and wait for its answer\n"
           "  defaults               send \"%ATF\" (factory defaults), then read and print the\n"
           "                         whole configuration\n"
           "\n"
           "options:\n"
           "  --port DEVICE|COMn     serial port: a device path or COM1..COM199\n"
           "  --password TEXT        the terminal's login password (default: empty)\n"
           "  --timeout SECONDS      longest wait for a login, a whole read or setup mode\n"
           "                         (default 60)\n"
           "  --command-timeout MS   longest wait for each command's answer (default: 9000 for\n"
           "                         profile commands, 3000 for the brackets, send and restart)\n"
           "  --verbose              also report status texts and answers\n"
           "  --raw                  print the terminal's bytes as they come; without it control\n"
           "                         and escape bytes other than TAB, CR and LF are shown as \\xHH\n"
           "                         so that a unit cannot drive the user's terminal\n"
           "  --help                 this text\n"
           "\n"
           "exec, send, restart and defaults first make sure the terminal is logged in: they\n"
           "send \"%DUMPR\" and answer a login prompt with the password (a terminal that stays\n"
           "silent for the command wait is taken as it is).\n"
           "Progress goes to standard error, results to standard output. A profile is read\n"
           "only from a regular file of at most 16 MiB; read --profile checks FILE before\n"
           "it reads, and refuses devices, FIFOs, folders and symbolic links planted in\n"
           "folders others may write.\n"
           "\n"
           "exit status:\n"
           "  0 done                        5 no login, whole read or setup mode in time\n"
           "  1 usage                       6 a command was answered \"CMD ERR\"\n"
           "  2 port could not be opened    7 a command got no answer in time (6 wins)\n"
           "  3 link lost                   8 the profile could not be read or written\n"
           "  4 password refused            9 interrupted (monitor ends with 0)\n"
           "  10, 11 kept for comparing a terminal with a profile\n"
           "  12 standard output could not be written (wins over every other outcome)\n";
}

SCliParse ParseCliArgs(const std::vector<std::string>& args)
{
    SCliOptions options;
    std::vector<std::string> positional;
    std::string error;  // the first thing wrong; --help anywhere still wins
    bool help = false;
    bool profileGiven = false;
    bool optionsEnded = false;
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
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg != "--port" && arg != "--password" && arg != "--timeout" && arg != "--command-timeout"
                   && arg != "--profile") {
            fail("unknown option " + arg);
        } else if (i + 1 >= args.size()) {
            fail(arg + " needs a value");
        } else {
            const std::string& value = args[++i];
            if (arg == "--port") {
                options.port = value;
            } else if (arg == "--password") {
                options.password = value;
            } else if (arg == "--profile") {
                options.profilePath = value;
                profileGiven = true;
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
    if (help) {
        SCliParse result;
        result.help = true;
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
    const size_t wanted = found->argument != nullptr ? 1 : 0;
    if (positional.size() - 1 < wanted)
        return Failed(std::string(found->name) + " needs " + found->argument);
    if (positional.size() - 1 > wanted)
        return Failed("unexpected argument " + positional[wanted + 1]);

    if (profileGiven && options.command != ECliCommand::Read)
        return Failed("--profile goes with read only");
    if (profileGiven && options.profilePath.empty())
        return Failed("--profile needs a file name");
    if (options.command == ECliCommand::Exec) {
        options.profilePath = positional[1];
        if (options.profilePath.empty())
            return Failed("exec needs a file name");
    }
    if (options.command == ECliCommand::Send) {
        options.text = positional[1];
        if (options.text.find_first_of("\r\n") != std::string::npos)
            return Failed("send takes one line: TEXT holds a line end");
        if (options.text.size() > kMaxSendText)
            return Failed("send TEXT is longer than the terminal's line of " + std::to_string(kMaxSendText)
                          + " bytes");
    }
    if (options.port.empty())
        return Failed("--port is required");

    SCliParse result;
    result.options = std::move(options);
    return result;
}

} // namespace orlan

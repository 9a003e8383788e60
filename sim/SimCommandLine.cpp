#include "sim/SimCommandLine.h"

#include <charconv>

#include "OrlanVersion.h"

namespace orlan {

namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number max, Number* value)
{
    Number parsed{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size() || parsed < 0 || parsed > max)
        return false;
    *value = parsed;
    return true;
}

} // namespace

std::string_view SimUsage()
{
    return "usage: orlan-sim [options]\n"
           "Simulated terminal on a pseudo-terminal; prints the device path as its first line.\n"
           "  --password TEXT          login password (default: \"rain is a cold one\", the tool's initial\n"
           "                           password; empty: a bare CR logs in)\n"
           "  --no-login               start logged in\n"
           "  --boot-wait MS           how long the boot prompt waits for the setup key run (1500)\n"
           "  --rate BYTES_PER_S       output pace (11520 = 115200 bit/s; 0 = unpaced)\n"
           "  --link PATH              also make PATH a symbolic link to the device\n"
           "  --fixture FILE           configuration to start from (default: built in)\n"
           "  --omit-share PERCENT     leave this share of the configuration's settings out of every dump\n"
           "                           (the lines chosen by --seed)\n"
           "  --log FILE               write every line received (and key run) to FILE as it arrives\n"
           "  --control                read control commands from stdin; its end ends the program\n"
           "  --events-every MS        print an event line and a realtime temperature record this often\n"
           "  --seed N                 seed for the random faults and readings\n"
           "  --fault-silent           commands get no answer\n"
           "  --fault-late MS          answers come MS late\n"
           "  --fault-cmd-err          every setting command is answered CMD ERR\n"
           "  --fault-garbage          junk bytes and over-long lines between lines\n"
           "  --fault-split            every line goes out in several writes\n"
           "  --fault-hangup-after MS  the line goes dead MS after start\n"
           "  --fault-double-answer    every CMD OK / CMD ERR goes out twice\n"
           "  --fault-reprompt         a refused password is followed by a new password prompt\n"
           "  --fault-endless-dump     a whole read prints its settings again and again, never its end line\n"
           "  --fault-picture-no-end   the picture goes out without its end marker\n"
           "  --fault-echo             every line received is echoed back before it is answered\n"
           "  --fault-please-wait MODE accepted commands are answered \"Please wait\" only (MODE only) or\n"
           "                           \"Please wait\" and 400 ms later \"CMD OK\" (MODE then-ok)\n"
           "  --fault-please-wait-every N  only every Nth accepted command is answered so (1)\n"
           "  --help, --version        print this text or the version and quit\n"
           "Control commands: event [N], temp N, raw TEXT, burst N, boot, hangup, set-fault NAME [VALUE]\n";
}

std::string SimVersionText()
{
    return std::string("orlan-sim ") + kOrlanVersion + "\n";
}

std::optional<SimCommandLine> ParseSimCommandLine(const std::vector<std::string_view>& args, std::string* error)
{
    SimCommandLine options;
    // The desktop tool's initial password text, so a first start logs in.
    options.terminal.password = "rain is a cold one";
    std::string firstError;  // reported once every option has been seen
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view option = args[i];
        auto value = [&](std::string_view* out) {
            if (i + 1 >= args.size()) {
                *error = std::string(option) + " needs a value";
                return false;
            }
            *out = args[++i];
            return true;
        };
        auto milliseconds = [&](int* out) {
            std::string_view text;
            if (!value(&text))
                return false;
            if (!ParseNumber(text, 24 * 3600 * 1000, out)) {
                *error = std::string(option) + " takes milliseconds, not " + std::string(text);
                return false;
            }
            return true;
        };
        auto fault = [&](std::string_view name, std::string_view faultValue) {
            return SetFault(options.terminal.faults, name, faultValue, error);
        };

        std::string_view text;
        int ms = 0;
        bool ok = true;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--version") {
            options.version = true;
        } else if (option == "--password") {
            ok = value(&text);
            options.terminal.password = text;
        } else if (option == "--no-login") {
            options.terminal.startLoggedIn = true;
        } else if (option == "--boot-wait") {
            ok = milliseconds(&options.terminal.bootWaitMs);
        } else if (option == "--events-every") {
            ok = milliseconds(&options.terminal.eventsEveryMs);
        } else if (option == "--rate" || option == "--seed") {
            std::uint32_t* number = option == "--rate" ? &options.rate : &options.terminal.seed;
            ok = value(&text) && ParseNumber<std::uint32_t>(text, 100000000, number);
            if (!ok && error->empty())
                *error = std::string(option) + " takes a number, not " + std::string(text);
        } else if (option == "--link") {
            ok = value(&text);
            options.linkPath = text;
        } else if (option == "--fixture") {
            ok = value(&text);
            options.fixturePath = text;
        } else if (option == "--omit-share") {
            ok = value(&text) && ParseNumber(text, 100, &options.omitPercent);
            if (!ok && error->empty())
                *error = "--omit-share takes a percentage from 0 to 100, not " + std::string(text);
        } else if (option == "--log") {
            ok = value(&text);
            options.logPath = text;
        } else if (option == "--control") {
            options.control = true;
        } else if (option == "--fault-silent") {
            ok = fault("silent", "on");
        } else if (option == "--fault-cmd-err") {
            ok = fault("cmd-err", "on");
        } else if (option == "--fault-garbage") {
            ok = fault("garbage", "on");
        } else if (option == "--fault-split") {
            ok = fault("split", "on");
        } else if (option == "--fault-double-answer" || option == "--fault-reprompt"
                   || option == "--fault-endless-dump" || option == "--fault-picture-no-end"
                   || option == "--fault-echo") {
            ok = fault(option.substr(8), "on");
        } else if (option == "--fault-please-wait" || option == "--fault-please-wait-every") {
            ok = value(&text) && fault(option.substr(8), text);
        } else if (option == "--fault-late" || option == "--fault-hangup-after") {
            ok = milliseconds(&ms) && fault(option.substr(8), std::to_string(ms));
        } else {
            *error = "unknown option " + std::string(option);
            ok = false;
        }
        if (!ok && firstError.empty())
            firstError = *error;
        error->clear();
    }
    if (options.help || options.version)
        return options;
    if (!firstError.empty()) {
        *error = firstError;
        return std::nullopt;
    }
    return options;
}

} // namespace orlan

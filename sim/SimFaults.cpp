#include "sim/SimFaults.h"

#include <charconv>
#include <optional>

namespace orlan {

namespace {

std::optional<bool> ParseSwitch(std::string_view value)
{
    if (value.empty() || value == "on" || value == "1")
        return true;
    if (value == "off" || value == "0")
        return false;
    return std::nullopt;
}

std::optional<int64_t> ParseWhole(std::string_view value, int64_t max)
{
    int64_t number = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (ec != std::errc() || end != value.data() + value.size() || number < 0 || number > max)
        return std::nullopt;
    return number;
}

constexpr int64_t kDayMs = 24LL * 3600 * 1000;

} // namespace

bool SetFault(SimFaults& faults, std::string_view name, std::string_view value, std::string* error)
{
    auto fail = [&](std::string_view why) {
        *error = std::string(why) + ": " + std::string(name) + (value.empty() ? "" : " " + std::string(value));
        return false;
    };
    auto setSwitch = [&](bool& target) {
        const std::optional<bool> on = ParseSwitch(value);
        if (!on)
            return fail("expected on or off");
        target = *on;
        return true;
    };

    if (name == "none") {
        faults = SimFaults();
        return true;
    }
    if (name == "silent")
        return setSwitch(faults.silent);
    if (name == "cmd-err")
        return setSwitch(faults.cmdErr);
    if (name == "garbage")
        return setSwitch(faults.garbage);
    if (name == "split")
        return setSwitch(faults.split);
    if (name == "double-answer")
        return setSwitch(faults.doubleAnswer);
    if (name == "reprompt")
        return setSwitch(faults.reprompt);
    if (name == "endless-dump")
        return setSwitch(faults.endlessDump);
    if (name == "picture-no-end")
        return setSwitch(faults.pictureNoEnd);
    if (name == "echo")
        return setSwitch(faults.echo);
    if (name == "please-wait") {
        if (value == "only")
            faults.pleaseWait = EPleaseWait::Only;
        else if (value == "then-ok")
            faults.pleaseWait = EPleaseWait::ThenOk;
        else if (value == "off")
            faults.pleaseWait = EPleaseWait::Off;
        else
            return fail("expected only, then-ok or off");
        return true;
    }
    if (name == "please-wait-every") {
        const std::optional<int64_t> count = ParseWhole(value, 1000000);
        if (!count || *count < 1)
            return fail("expected a count from 1");
        faults.pleaseWaitEvery = static_cast<int>(*count);
        return true;
    }
    if (name == "late" || name == "hangup-after") {
        std::optional<int64_t> ms = value == "off" ? std::optional<int64_t>(-1) : ParseWhole(value, kDayMs);
        if (!ms)
            return fail("expected milliseconds");
        if (name == "late")
            faults.lateMs = static_cast<int>(*ms < 0 ? 0 : *ms);
        else
            faults.hangupAfterMs = *ms;
        return true;
    }
    return fail("unknown fault");
}

} // namespace orlan

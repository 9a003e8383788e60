#pragma once
// The unit at a glance: who it is, whether it answers, the state of its
// inputs and outputs, its analog readings against their thresholds, its
// temperatures and humidity with their latest samples, and its newest
// events. Settings (names, types, thresholds, unit id) come from the pages;
// the readings and when each was last reported come from the live lines the
// terminal sends (the "*" state lines and the realtime records), which the
// view hands in as they arrive. Times come from the clock the owner gives,
// so tests set them.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

class CLabelCatalogue;
class CTerminalSession;

// One reported value: its text as the terminal sent it and when it came.
struct SReported {
    std::string text;
    std::optional<int64_t> atMs;  // never reported: none
    bool Reported() const { return atMs.has_value(); }
    // Milliseconds since it was reported; none while never reported.
    std::optional<int64_t> AgeMs(int64_t nowMs) const
    {
        return atMs ? std::optional<int64_t>(nowMs - *atMs) : std::nullopt;
    }
    bool operator==(const SReported&) const = default;
};

// An input or output: its name, its type and its state ("0"/"1" as sent).
struct SStatusLamp {
    std::string name;
    std::string type;
    SReported state;
    // Inputs report "0" when closed, outputs "0" when open: lit means closed.
    bool lit = false;
    bool operator==(const SStatusLamp&) const = default;
};

enum class EAnalogKind { Unknown, Voltage, Current };

struct SStatusAnalog {
    std::string name;
    SReported reading;
    std::optional<double> low, high;  // the alarm thresholds, when known
    std::optional<bool> enabled;
    EAnalogKind kind = EAnalogKind::Unknown;
    bool operator==(const SStatusAnalog&) const = default;
};

struct SStatusSensor {
    std::string name;
    SReported reading;
    std::vector<double> trend;  // the latest samples, oldest first
    bool operator==(const SStatusSensor&) const = default;
};

struct SStatusEvent {
    std::string what;  // source, kind and channel, then the event's own text
    std::string time;  // as the event list shows it
    bool operator==(const SStatusEvent&) const = default;
};

struct SStatus {
    std::string unitId, memo;  // empty while not read
    bool loggedIn = false;
    SReported lastLine;
    std::array<SStatusLamp, 4> inputs;
    std::array<SStatusLamp, 8> outputs;
    std::array<SStatusAnalog, 4> analog;
    SStatusSensor internalTemp, humidity;
    std::array<SStatusSensor, 6> external;
    std::vector<SStatusEvent> events;  // newest first
    SReported lastEvent;
    bool operator==(const SStatus&) const = default;
};

class CStatusOverview {
public:
    static constexpr size_t kTrendSamples = 24;
    static constexpr size_t kEvents = 6;
    // A line kept for the overview is cut to this many characters.
    static constexpr size_t kLineChars = 120;

    CStatusOverview(const CTerminalSession& session, std::function<int64_t()> nowMs);

    // Every line the terminal sends, as the receive path logs it.
    void OnLine(std::string_view line);
    // The values as they stand; captions and names through the catalogue
    // when given, else the pages' built-in texts.
    SStatus Snapshot(const CLabelCatalogue* catalogue) const;
    int64_t NowMs() const { return m_nowMs(); }

    // The pages whose reads the overview shows (what Refresh asks for), by
    // class name.
    static std::span<const std::string_view> RefreshPages();

private:
    struct STracked {
        SReported value;
        std::deque<double> trend;
    };
    void Take(STracked& tracked, std::string_view text, int64_t now, bool keepsTrend);
    void TakeStateLine(std::string_view report, int64_t now);
    void TakeRecords(std::string_view line, int64_t now);

    const CTerminalSession& m_session;
    std::function<int64_t()> m_nowMs;
    SReported m_lastLine;
    SReported m_lastEvent;
    std::array<STracked, 4> m_inputs, m_analog;
    std::array<STracked, 8> m_outputs;
    STracked m_internalTemp, m_humidity;
    std::array<STracked, 6> m_external;
};

// "12 s", "3 min", "2 h", "4 d": how long ago, for a person.
std::string AgeText(int64_t ageMs);

} // namespace orlan

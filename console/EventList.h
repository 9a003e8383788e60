#pragma once
// The terminal's event-log records ("$:" lines) as rows of the events list.
#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace orlan {

struct STimeOfDay {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// What an event is about, read from its event text (field 1).
enum class EEventSource {
    None,  // no known source: the event text names it
    DigitalInputs,
    AnalogInputs,
    InteriorTemperature,
    Humidity,
    Power,
    Rf433,
    PanicButton,
    Arm,
    Disarm,
};
inline constexpr size_t kEventSources = 10;

enum class EEventKind { None, Alarm, Restore };

struct SEventWhat {
    EEventSource source = EEventSource::None;
    EEventKind kind = EEventKind::None;
    bool bySms = false;
    std::string eventText;  // field 1 as sent
};

// The texts column 0 is built from, each a whole text of the catalogue
// (section PageLogs): a name per source, and a pattern per kind and channel
// with the name at "%s". The built-in ones are the system's English words.
struct SEventTextKey {
    std::string_view key;
    std::string_view builtIn;
};
// By EEventSource, from DigitalInputs (None has no name of its own).
extern const std::array<SEventTextKey, kEventSources - 1> kEventSourceTexts;
// By kind (None, Alarm, Restore) times two (without, with SMS); the
// pattern of an event of no kind without SMS is the name alone.
extern const std::array<SEventTextKey, 6> kEventPatternTexts;

struct SEventTexts {
    std::array<std::string, kEventSources - 1> sources;
    std::array<std::string, 6> patterns;
};
SEventTexts BuiltInEventTexts();

// Column 0 of an event: the pattern of its kind and channel with the
// source's name (or, for no known source, the event text) in place of "%s".
std::string EventTitle(const SEventWhat& what, const SEventTexts& texts);

struct SEventRow {
    int recordNumber = 0;   // field 0
    int channelNumber = 0;  // the number at the start of field 2
    SEventWhat what;
    // 0: EventTitle in built-in English, 1: field 2, 2-4: fields 3-5,
    // 5: field 6 followed by the local time it arrived.
    std::array<std::string, 6> columns;
};

// Quoted field n of an event line: the text between the (2n+1)-th and the
// (2n+2)-th double quote, cut to 127 characters; empty when missing.
std::string EventField(std::string_view line, int n);

SEventRow ParseEventRecord(std::string_view line, const STimeOfDay& now);

// Keeps the newest rows; the oldest go once the cap is reached so that a
// terminal left talking for days cannot exhaust memory.
class CEventList {
public:
    explicit CEventList(size_t maxRows = 10000) : m_maxRows(maxRows) {}
    const SEventRow& Append(SEventRow row);
    void Clear() { m_rows.clear(); }
    size_t Size() const { return m_rows.size(); }
    const SEventRow& Row(size_t i) const { return m_rows.at(i); }

private:
    size_t m_maxRows;
    std::deque<SEventRow> m_rows;
};

} // namespace orlan

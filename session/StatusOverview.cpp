#include "session/StatusOverview.h"

#include <charconv>
#include <cstdlib>

#include "console/TempRecords.h"
#include "console/TextScan.h"
#include "pages/io/GpioPage.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

// The live lines that carry one reading: the key, where the channel digit
// stands after the key's start (none: one reading) and where the value
// starts. "*AINC2 1.25" is analog input 2.
struct SLiveKey {
    std::string_view key;
    std::optional<size_t> channelAt;
    size_t valueAt;
};
constexpr SLiveKey kAnalogKey{"*AINC", 5, 7};
constexpr SLiveKey kTemperatureKey{"*TMPC", std::nullopt, 6};
constexpr SLiveKey kHumidityKeys[] = {{"*HUMIDITY", std::nullopt, 10}, {"$HUMC", std::nullopt, 6}};

constexpr std::string_view kPagesRefreshed[] = {"CPageMainParams", "CPageGPIO",       "CPageDinName",
                                                "CPageDoutName",   "CPageAD",         "CPageADName",
                                                "CPageTemp",       "CPageHumidity",   "CPageExtTemp",
                                                "CPageISensorName"};

std::optional<double> Number(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    return value;
}

// The text of a key's value in the line, and its channel; nothing when the
// line does not hold the key or is too short for it.
std::optional<std::pair<std::string_view, int>> LiveValue(std::string_view line, const SLiveKey& key)
{
    const size_t at = line.find(key.key);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::string_view from = line.substr(at);
    int channel = 0;
    if (key.channelAt) {
        if (*key.channelAt >= from.size() || !IsDigit(from[*key.channelAt]))
            return std::nullopt;
        channel = from[*key.channelAt] - '0';
    }
    if (key.valueAt > from.size())
        return std::nullopt;
    return std::make_pair(Trimmed(from.substr(key.valueAt)), channel);
}

const CPage* Page(const CTerminalSession& session, std::string_view className)
{
    return session.FindPage(className);
}

std::string KnownText(const CPage* page, std::string_view id)
{
    if (page == nullptr || !page->Fields().Has(id) || !page->Fields().IsKnown(id))
        return {};
    return std::string(Trimmed(page->Fields().Text(id)));
}

std::string ChoiceText(const CPage* page, const std::string& id, const CLabelCatalogue* catalogue)
{
    if (page == nullptr || !page->Fields().Has(id) || !page->Fields().IsKnown(id))
        return {};
    const CFieldSet& fields = page->Fields();
    const SFieldDesc& desc = fields.Desc(fields.IndexOf(id));
    const int index = fields.Number(id);
    if (index < 0 || static_cast<size_t>(index) >= desc.items.size())
        return std::to_string(index);
    const SChoiceItem& item = desc.items[static_cast<size_t>(index)];
    if (catalogue != nullptr)
        return ChoiceItemCaption(item, *catalogue);
    return item.text + item.fallback;
}

template <size_t N>
void Fill(std::array<SStatusSensor, N>& out, const auto& tracked)
{
    for (size_t i = 0; i < N; ++i) {
        out[i].reading = tracked[i].value;
        out[i].trend.assign(tracked[i].trend.begin(), tracked[i].trend.end());
    }
}

} // namespace

CStatusOverview::CStatusOverview(const CTerminalSession& session, std::function<int64_t()> nowMs)
    : m_session(session), m_nowMs(std::move(nowMs))
{
}

std::span<const std::string_view> CStatusOverview::RefreshPages()
{
    return kPagesRefreshed;
}

void CStatusOverview::Take(STracked& tracked, std::string_view text, int64_t now, bool keepsTrend)
{
    tracked.value = {std::string(text), now};
    if (!keepsTrend)
        return;
    if (const std::optional<double> value = Number(text)) {
        tracked.trend.push_back(*value);
        if (tracked.trend.size() > kTrendSamples)
            tracked.trend.pop_front();
    }
}

void CStatusOverview::OnLine(std::string_view line)
{
    const int64_t now = m_nowMs();
    m_lastLine = {std::string(line.substr(0, kLineChars)), now};
    if (line.starts_with("$:"))
        m_lastEvent = {std::string(), now};
    if (const size_t at = line.find("*IO"); at != std::string_view::npos)
        TakeStateLine(line.substr(at + 3), now);
    if (const auto value = LiveValue(line, kAnalogKey); value && value->second < static_cast<int>(m_analog.size()))
        Take(m_analog[static_cast<size_t>(value->second)], value->first, now, false);
    if (const auto value = LiveValue(line, kTemperatureKey))
        Take(m_internalTemp, value->first, now, true);
    for (const SLiveKey& key : kHumidityKeys) {
        if (const auto value = LiveValue(line, key)) {
            Take(m_humidity, value->first, now, true);
            break;
        }
    }
    if (line.starts_with("$"))
        TakeRecords(line, now);
}

// "I 2 0": kind, one character, the channel's digits, one character, the
// state character.
void CStatusOverview::TakeStateLine(std::string_view report, int64_t now)
{
    if (report.size() < 3 || (report[0] != 'I' && report[0] != 'O'))
        return;
    size_t end = 2;
    size_t channel = 0;
    while (end < report.size() && IsDigit(report[end]) && end < 2 + 11) {
        channel = channel * 10 + static_cast<size_t>(report[end] - '0');
        ++end;
    }
    if (end == 2 || end + 1 >= report.size())
        return;
    const std::string state(1, report[end + 1]);
    if (report[0] == 'I' && channel < m_inputs.size())
        m_inputs[channel].value = {state, now};
    else if (report[0] == 'O' && channel < m_outputs.size())
        m_outputs[channel].value = {state, now};
}

void CStatusOverview::TakeRecords(std::string_view line, int64_t now)
{
    ScanTempRecords(line, [&](const STempRecord& record) {
        if (record.type != kRealtimeRecordType || !record.marked)
            return;
        for (size_t sensor = 0; sensor < record.entries.size() && sensor < m_external.size(); ++sensor) {
            const STempEntry& entry = record.entries[sensor];
            // A disconnected sensor's entry reports that it is not there.
            if (entry.hasValue && entry.state != '2')
                Take(m_external[sensor], entry.text, now, true);
        }
    });
}

SStatus CStatusOverview::Snapshot(const CLabelCatalogue* catalogue) const
{
    SStatus status;
    const CPage* main = Page(m_session, "CPageMainParams");
    status.unitId = KnownText(main, "unitId");
    status.memo = KnownText(main, "memo");
    status.loggedIn = m_session.Receive().HaveLogin();
    status.lastLine = m_lastLine;

    const CPage* gpio = Page(m_session, "CPageGPIO");
    const CPage* inputNames = Page(m_session, "CPageDinName");
    const CPage* outputNames = Page(m_session, "CPageDoutName");
    for (size_t i = 0; i < status.inputs.size(); ++i) {
        SStatusLamp& lamp = status.inputs[i];
        lamp.name = ListedName(inputNames, i);
        lamp.type = ChoiceText(gpio, CPageGPIO::InputTypeId(i), catalogue);
        lamp.state = m_inputs[i].value;
        lamp.lit = lamp.state.Reported() && lamp.state.text == "0";
    }
    for (size_t i = 0; i < status.outputs.size(); ++i) {
        SStatusLamp& lamp = status.outputs[i];
        lamp.name = ListedName(outputNames, i);
        lamp.type = ChoiceText(gpio, CPageGPIO::OutputTypeId(i), catalogue);
        lamp.state = m_outputs[i].value;
        lamp.lit = lamp.state.Reported() && lamp.state.text != "0";
    }

    const CPage* analog = Page(m_session, "CPageAD");
    const CPage* analogNames = Page(m_session, "CPageADName");
    for (size_t i = 0; i < status.analog.size(); ++i) {
        SStatusAnalog& channel = status.analog[i];
        const std::string n = std::to_string(i);
        channel.name = ListedName(analogNames, i);
        channel.reading = m_analog[i].value;
        channel.low = Number(KnownText(analog, "low" + n));
        channel.high = Number(KnownText(analog, "high" + n));
        if (analog != nullptr && analog->Fields().Has("enabled" + n) && analog->Fields().IsKnown("enabled" + n))
            channel.enabled = analog->Fields().Number("enabled" + n) != 0;
        if (analog != nullptr && analog->Fields().Has("type" + n) && analog->Fields().IsKnown("type" + n)) {
            const int type = analog->Fields().Number("type" + n);
            channel.kind = type == 0 ? EAnalogKind::Voltage : type == 1 ? EAnalogKind::Current : EAnalogKind::Unknown;
        }
    }

    status.internalTemp.reading = m_internalTemp.value;
    status.internalTemp.trend.assign(m_internalTemp.trend.begin(), m_internalTemp.trend.end());
    status.humidity.reading = m_humidity.value;
    status.humidity.trend.assign(m_humidity.trend.begin(), m_humidity.trend.end());
    Fill(status.external, m_external);
    const CPage* sensorNames = Page(m_session, "CPageISensorName");
    for (size_t i = 0; i < status.external.size(); ++i)
        status.external[i].name = ListedName(sensorNames, i);

    status.lastEvent = m_lastEvent;
    if (const CPage* events = Page(m_session, "CPageEvents"); events != nullptr && !events->Tables().empty()) {
        const CPageTable& list = events->Tables().front();
        for (size_t row = list.Rows(); row > 0 && status.events.size() < kEvents; --row) {
            std::string what = list.Cell(row - 1, 0);
            for (size_t column = 1; column < 5; ++column) {
                const std::string& cell = list.Cell(row - 1, column);
                if (!Trimmed(cell).empty())
                    what += (what.empty() ? "" : "  ") + std::string(Trimmed(cell));
            }
            status.events.push_back({std::move(what), list.Cell(row - 1, 5)});
        }
    }
    return status;
}

std::string AgeText(int64_t ageMs)
{
    const int64_t seconds = ageMs < 0 ? 0 : ageMs / 1000;
    if (seconds < 60)
        return std::to_string(seconds) + " s";
    if (seconds < 3600)
        return std::to_string(seconds / 60) + " min";
    if (seconds < 86400)
        return std::to_string(seconds / 3600) + " h";
    return std::to_string(seconds / 86400) + " d";
}

} // namespace orlan

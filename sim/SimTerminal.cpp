#include "sim/SimTerminal.h"

#include "sim/CommandTable.h"
#include "sim/KnownCommands.h"
#include "sim/SamplePicture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <span>

namespace orlan {

namespace {

constexpr int kKeyRunLength = 12;
constexpr std::size_t kMaxLineLength = 1024; // longer input lines are refused whole
constexpr int64_t kBootStepMs = 100;         // between two boot messages
constexpr int64_t kQuietAfterPictureMs = 200; // so the end marker closes a read block
constexpr std::size_t kOverlongGarbageLength = 20000;
// The settings take about 1.3 s at 115 200 bit/s: a round every 2 s stays
// below the line rate, so the output does not pile up.
constexpr int64_t kEndlessDumpRoundMs = 2000;

constexpr std::string_view kLoginPrompt = "Console started, please login";
constexpr std::string_view kPasswordPrompt = "please input password";

// Starting temperatures of the six external sensors and their alarm limits;
// sensors 4 and 5 are not connected.
constexpr std::array<double, 6> kSensorStart = {21.50, 4.25, -18.00, 21.00, 0.0, 0.0};
constexpr std::array<double, 6> kSensorHigh = {40.0, 8.0, -10.0, 35.0, 0.0, 0.0};
constexpr std::size_t kConnectedSensors = 4;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Register lines of a Modbus row: a six-character key, then the row's two digits.
bool IsModbusRowLine(std::string_view line, int row)
{
    return line.size() > 8 && line.starts_with("$MD") && IsDigit(line[6]) && IsDigit(line[7])
        && (line[6] - '0') * 10 + (line[7] - '0') == row;
}

} // namespace

CSimTerminal::CSimTerminal(CConfigStore fixture, SimOptions options, Output output)
    : m_fixture(std::move(fixture)),
      m_store(m_fixture),
      m_options(std::move(options)),
      m_output(std::move(output)),
      m_random(m_options.seed)
{
    for (std::size_t i = 0; i < kSensorStart.size(); ++i)
        m_sensors.push_back({i < kConnectedSensors ? '0' : '2', kSensorStart[i]});
    m_nextEventAt = m_options.eventsEveryMs;
}

void CSimTerminal::Start()
{
    if (m_options.startLoggedIn) {
        m_state = EState::LoggedIn;
    } else {
        m_state = EState::LoggedOut;
        Say(kLoginPrompt);
    }
    Release();
}

void CSimTerminal::Feed(std::string_view bytes)
{
    for (char c : bytes) {
        m_percentRun = c == '%' ? m_percentRun + 1 : 0;
        if (c == '\r' || c == '\n') {
            // CR LF is one line end, not a line end and an empty line.
            const bool secondHalf = c == '\n' && m_lastWasCr;
            m_lastWasCr = c == '\r';
            if (secondHalf)
                continue;
            const std::string line = std::move(m_line);
            const bool overlong = m_lineOverlong;
            m_line.clear();
            m_lineOverlong = false;
            if (m_inputLog)
                m_inputLog(line);
            OnLine(line, overlong);
            continue;
        }
        m_lastWasCr = false;
        if (m_line.size() < kMaxLineLength)
            m_line.push_back(c);
        else
            m_lineOverlong = true;
        if (m_percentRun == kKeyRunLength) {
            // The key run is no part of a command line.
            m_percentRun = 0;
            if (std::string_view(m_line).ends_with(std::string(kKeyRunLength, '%')))
                m_line.resize(m_line.size() - kKeyRunLength);
            if (m_inputLog)
                m_inputLog(std::string(kKeyRunLength, '%'));
            OnKeyRun();
        }
    }
    Release();
}

void CSimTerminal::AdvanceTo(int64_t nowMs)
{
    if (nowMs > m_now)
        m_now = nowMs;
    if (m_state == EState::Booting && m_now >= m_bootEndAt)
        FinishBoot(false);
    if (m_options.eventsEveryMs > 0) {
        for (; m_nextEventAt <= m_now; m_nextEventAt += m_options.eventsEveryMs) {
            if (m_state != EState::Booting) {
                SayEvent();
                SayRealtimeRecord();
                SayIoChange();
                SayDriftedReadings();
            }
        }
    }
    if (m_options.faults.hangupAfterMs >= 0 && m_now >= m_options.faults.hangupAfterMs)
        m_hangup = true;
    m_endlessDump = m_endlessDump && m_options.faults.endlessDump && m_state == EState::LoggedIn;
    for (; m_endlessDump && m_nextDumpRoundAt <= m_now; m_nextDumpRoundAt += kEndlessDumpRoundMs)
        PrintSettings();
    Release();
}

std::optional<int64_t> CSimTerminal::NextWakeMs() const
{
    std::optional<int64_t> next;
    auto consider = [&next](int64_t at) { next = next ? std::min(*next, at) : at; };
    if (!m_pending.empty())
        consider(m_pending.front().due);
    if (m_state == EState::Booting)
        consider(m_bootEndAt);
    if (m_options.eventsEveryMs > 0)
        consider(m_nextEventAt);
    if (m_options.faults.hangupAfterMs >= 0 && !m_hangup)
        consider(m_options.faults.hangupAfterMs);
    if (m_endlessDump)
        consider(m_nextDumpRoundAt);
    return next;
}

void CSimTerminal::EmitEvent()
{
    SayEvent();
    Release();
}

void CSimTerminal::EmitTemperatureRecords(int count)
{
    for (int i = 0; i < count; ++i)
        SayRealtimeRecord();
    Release();
}

void CSimTerminal::EmitRaw(std::string_view text)
{
    Say(text);
    Release();
}

namespace {

// "*IOI 2 " is the identity of input 2's state line, the state follows.
std::string IoStateIdentity(char kind, int channel)
{
    return std::string("*IO") + kind + ' ' + std::to_string(channel) + ' ';
}

// Every this many event periods one input changes, inputs 0-3 in turn.
constexpr int kPeriodsPerIoChange = 5;
constexpr int kChangingInputs = 4;

} // namespace

bool CSimTerminal::ChangeIo(char kind, int channel, char state)
{
    const std::string identity = IoStateIdentity(kind, channel);
    if ((kind != 'I' && kind != 'O') || state < '0' || state > '9' || m_store.Find(identity) == nullptr)
        return false;
    m_store.Set("GPIO", identity, identity + state);
    Say(identity + state);
    Release();
    return true;
}

void CSimTerminal::SayIoChange()
{
    if (++m_eventPeriods % kPeriodsPerIoChange != 0)
        return;
    const int input = (m_eventPeriods / kPeriodsPerIoChange - 1) % kChangingInputs;
    const std::string identity = IoStateIdentity('I', input);
    const ConfigLine* line = m_store.Find(identity);
    if (line == nullptr)
        return;
    const char state = line->text.ends_with('0') ? '1' : '0';
    m_store.Set("GPIO", identity, identity + state);
    Say(identity + state);
}

void CSimTerminal::EmitBurst(std::size_t count)
{
    std::string bytes(count, ' ');
    for (char& c : bytes)
        c = static_cast<char>('A' + m_random() % 26);
    Queue(std::move(bytes), false, 0);
    Release();
}

namespace {

// Every this many event periods the live readings move a little.
constexpr int kPeriodsPerDrift = 4;

// The number behind `identity` moved by `delta`, with as many decimals as
// it had; nothing when the line holds no number there.
std::optional<std::string> Moved(std::string_view line, std::string_view identity, double delta)
{
    const std::string value(line.substr(identity.size()));
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    if (end == value.c_str())
        return std::nullopt;
    const std::size_t point = value.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(value.size() - point - 1);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, number + delta);
    return std::string(identity) + buffer;
}

std::string Bits(unsigned value, int count)
{
    std::string bits;
    for (int bit = count - 1; bit >= 0; --bit)
        bits += ((value >> bit) & 1U) != 0 ? '1' : '0';
    return bits;
}

} // namespace

// The analog inputs, the internal temperature, the humidity and the encoder
// drift now and then, so that the pages' present readings change.
void CSimTerminal::SayDriftedReadings()
{
    if (++m_readingPeriods % kPeriodsPerDrift != 0)
        return;
    auto drift = [this](std::string_view group, const std::string& identity, double step) {
        const ConfigLine* line = m_store.Find(identity);
        if (line == nullptr)
            return;
        const double delta = (static_cast<int>(m_random() % 5) - 2) * step;
        if (const std::optional<std::string> moved = Moved(line->text, identity, delta)) {
            m_store.Set(group, identity, *moved);
            Say(*moved);
        }
    };
    for (int channel = 0; channel < 4; ++channel)
        drift("ADS", "*AINC" + std::to_string(channel) + " ", 0.05);
    drift("TMP", "*TMPC ", 0.25);
    drift("HUM", "*HUMIDITY ", 1);
    // The encoder turns by a step: its value, in binary and as Gray code.
    constexpr unsigned kPositions = 1024;
    const ConfigLine* value = m_store.Find("$GRAYVALUEV ");
    if (value == nullptr)
        return;
    const unsigned position =
        (static_cast<unsigned>(std::strtoul(value->text.c_str() + 12, nullptr, 10)) + 1 + m_random() % 3) % kPositions;
    const std::string lines[] = {"$GRAYVALUEV " + std::to_string(position), "$GRAYVALUEB " + Bits(position, 10),
                                 "$GRAYVALUEG " + Bits(position ^ (position >> 1), 10)};
    for (const std::string& line : lines) {
        m_store.Set("GRAY", line.substr(0, 12), line);
        Say(line);
    }
}

void CSimTerminal::Reboot()
{
    StartBoot();
    Release();
}

void CSimTerminal::PrintGroups(const std::vector<std::string_view>& groups)
{
    for (const ConfigLine& line : m_store.Lines()) {
        if (std::find(groups.begin(), groups.end(), line.group) != groups.end())
            Say(line.text);
    }
}

void CSimTerminal::PrintModbusRow(int row)
{
    const std::string name = "$RNAME" + std::to_string(row) + " ";
    const std::string high = "$REG" + std::to_string(row) + " ";
    const std::string low = "$REG" + std::to_string(row + 32) + " ";
    for (const ConfigLine& line : m_store.Lines()) {
        const std::string_view text = line.text;
        const bool wanted = line.group == "MODBUS"
            ? IsModbusRowLine(text, row)
            : line.group == "M" && (text.starts_with(name) || text.starts_with(high) || text.starts_with(low));
        if (wanted)
            Say(text);
    }
}

void CSimTerminal::PrintSettings()
{
    if (m_options.faults.endlessDump && !m_endlessDump) {
        StartEndlessDump();
        return;
    }
    for (const ConfigLine& line : m_store.Lines()) {
        if (line.text.front() == '$')
            Say(line.text);
    }
}

void CSimTerminal::PrintStateAndEndMark()
{
    if (m_options.faults.endlessDump) {
        if (!m_endlessDump)
            StartEndlessDump();
        return;
    }
    for (const ConfigLine& line : m_store.Lines()) {
        if (line.text.front() == '*')
            Say(line.text);
    }
    Say(kDumpEndLine);
}

void CSimTerminal::PrintTemperatureLog()
{
    // A day of hourly records; the first hours come two to a line, as the
    // terminal packs them when its buffer allows.
    constexpr int kHours = 24;
    constexpr int kPairedHours = 8;
    auto readings = [](int hour) {
        std::vector<SensorReading> values;
        for (std::size_t i = 0; i < kSensorStart.size(); ++i) {
            const bool connected = i < kConnectedSensors;
            values.push_back({connected ? '0' : '2', connected ? kSensorStart[i] + (hour % 6) * 0.5 : 0.0});
        }
        // Every sixth hour the second sensor was above its limit.
        if (hour % 6 == 5)
            values[1] = {'1', kSensorHigh[1] + 1.25};
        return values;
    };
    for (int hour = 0; hour < kHours; ++hour) {
        std::string text = TemperatureRecord(hour + 1, kStoredRecord, hour * 3600000LL, readings(hour));
        if (hour < kPairedHours) {
            ++hour;
            text += TemperatureRecord(hour + 1, kStoredRecord, hour * 3600000LL, readings(hour));
        }
        Say(text);
    }
}

void CSimTerminal::SendPicture(std::string_view index)
{
    if (!m_havePicture || index != "0") {
        Say("$IMAGE_ERR");
        return;
    }
    const std::span<const std::uint8_t> picture = SamplePicture();
    std::string bytes = "$IMAGE_START\r\n";
    bytes.append(picture.begin(), picture.end());
    if (!m_options.faults.pictureNoEnd)
        bytes += "$IMAGE_END\r\n";
    const int64_t due = Queue(std::move(bytes), false, 0);
    m_holdUntil = due + kQuietAfterPictureMs;
}

int64_t CSimTerminal::Queue(std::string bytes, bool line, int64_t delayMs)
{
    int64_t due = std::max(m_now + m_replyDelay + delayMs, m_holdUntil);
    if (!m_pending.empty())
        due = std::max(due, m_pending.back().due);
    m_pending.push_back({due, std::move(bytes), line});
    return due;
}

int64_t CSimTerminal::Say(std::string_view text, int64_t delayMs)
{
    return Queue(std::string(text) + "\r\n", true, delayMs);
}

void CSimTerminal::Answer(std::string_view text, int64_t delayMs)
{
    Say(text, delayMs);
    if (m_options.faults.doubleAnswer)
        Say(text, delayMs);
}

void CSimTerminal::Accept()
{
    const SimFaults& faults = m_options.faults;
    const bool busy = faults.pleaseWait != EPleaseWait::Off && ++m_accepted % faults.pleaseWaitEvery == 0;
    if (!busy) {
        Answer("CMD OK");
        return;
    }
    Say("Please wait");
    if (faults.pleaseWait == EPleaseWait::ThenOk)
        Answer("CMD OK", kPleaseWaitWorkMs);
}

void CSimTerminal::StartEndlessDump()
{
    // The first round at once, then one every kEndlessDumpRoundMs, until the
    // fault is switched off or the terminal logs out.
    m_endlessDump = true;
    m_nextDumpRoundAt = m_now + m_replyDelay;
}

void CSimTerminal::Release()
{
    while (!m_pending.empty() && m_pending.front().due <= m_now) {
        const Pending item = std::move(m_pending.front());
        m_pending.pop_front();
        Deliver(item);
    }
}

void CSimTerminal::Deliver(const Pending& item)
{
    const SimFaults& faults = m_options.faults;
    if (!item.line) {
        m_output(item.bytes);
        return;
    }
    if (faults.garbage) {
        if (m_random() % 8 == 0) {
            std::string junk;
            const std::size_t length = 1 + m_random() % 24;
            while (junk.size() < length) {
                const auto byte = static_cast<unsigned char>(m_random() % 256);
                // Control and high bytes only: no line end, nothing readable.
                if ((byte < 0x20 && byte != '\r' && byte != '\n') || byte >= 0x80)
                    junk.push_back(static_cast<char>(byte));
            }
            m_output(junk + "\r\n");
        }
        if (m_random() % 64 == 0) {
            std::string longLine(kOverlongGarbageLength, 'x');
            for (char& c : longLine)
                c = static_cast<char>('a' + m_random() % 26);
            m_output(longLine + "\r\n");
        }
    }
    if (!faults.split || item.bytes.size() < 2) {
        m_output(item.bytes);
        return;
    }
    std::vector<std::size_t> cuts;
    const std::size_t pieces = 2 + m_random() % 3;
    for (std::size_t i = 1; i < pieces; ++i)
        cuts.push_back(1 + m_random() % (item.bytes.size() - 1));
    cuts.push_back(0);
    cuts.push_back(item.bytes.size());
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
        m_output(std::string_view(item.bytes).substr(cuts[i], cuts[i + 1] - cuts[i]));
}

void CSimTerminal::StartBoot()
{
    m_state = EState::Booting;
    m_setupMode = false;
    m_line.clear();
    m_lineOverlong = false;
    m_percentRun = 0;
    Say("Machine timer supported!");
    Say("Waiting module...", kBootStepMs);
    m_promptAt = Say("Press '%%%%' to enter setup mode", 2 * kBootStepMs);
    m_bootEndAt = m_promptAt + m_options.bootWaitMs;
}

void CSimTerminal::FinishBoot(bool setupMode)
{
    m_setupMode = setupMode;
    if (setupMode) {
        Say("come in setup mode");
    } else {
        Say("Network Registing...");
        Say("System init Done...", 2 * kBootStepMs);
        Say("Working mode now", 3 * kBootStepMs);
    }
    Say(kLoginPrompt, 4 * kBootStepMs);
    m_state = EState::LoggedOut;
}

void CSimTerminal::OnKeyRun()
{
    if (m_state == EState::Booting && m_now >= m_promptAt && m_now < m_bootEndAt)
        FinishBoot(true);
}

void CSimTerminal::OnLine(const std::string& line, bool overlong)
{
    m_replyDelay = m_options.faults.lateMs;
    // A console that echoes what it reads, the tool's "%DUMPR" included.
    if (m_options.faults.echo && m_state != EState::Booting && !overlong)
        Say(line);
    switch (m_state) {
    case EState::Booting:
        break; // the console is not listening yet
    case EState::LoggedOut:
        if (!overlong && line.starts_with('%')) {
            Say(kPasswordPrompt);
        } else if (!overlong && line == m_options.password) {
            m_state = EState::LoggedIn;
            Say("Login Success");
        } else {
            // No new prompt here unless asked for: a tool that answers every
            // prompt with the password, and retries after each refusal too,
            // would never end against a prompt behind each refusal.
            Say("Login Failed");
            if (m_options.faults.reprompt)
                Say(kPasswordPrompt);
        }
        break;
    case EState::LoggedIn:
        // Text that is no command (a password sent twice, noise) is ignored.
        if (m_options.faults.silent || (!overlong && !line.starts_with('%')))
            break;
        if (overlong)
            Answer("CMD ERR");
        else
            Execute(std::string_view(line).substr(1));
        break;
    }
    m_replyDelay = 0;
}

void CSimTerminal::Execute(std::string_view command)
{
    const CommandMatch match = MatchCommand(KnownCommands(), command);
    const CommandSpec* spec = match.spec;
    if (spec == nullptr || (!spec->takesArgs && !match.call.args.empty())
        || (spec->kind == ECommandKind::Setting && m_options.faults.cmdErr)) {
        Answer("CMD ERR");
        return;
    }
    ESimAnswer answer = spec->kind == ECommandKind::Setting ? ESimAnswer::Ok : ESimAnswer::None;
    if (spec->handler)
        answer = spec->handler(*this, match.call);
    if (answer == ESimAnswer::Ok)
        Accept();
    else if (answer == ESimAnswer::Err)
        Answer("CMD ERR");
    if (m_rebootAfterAnswer) {
        m_rebootAfterAnswer = false;
        StartBoot();
    }
}

void CSimTerminal::SayEvent()
{
    const int number = ++m_eventNumber;
    Say(EventLine(number, static_cast<std::size_t>(number - 1), m_now));
}

void CSimTerminal::SayRealtimeRecord()
{
    Say(TemperatureRecord(++m_recordSequence, kRealtimeRecord, m_now, NextReadings()));
}

// The connected sensors drift by up to a quarter degree a reading and report
// an alarm while above their limit.
std::vector<SensorReading> CSimTerminal::NextReadings()
{
    for (std::size_t i = 0; i < kConnectedSensors; ++i) {
        SensorReading& sensor = m_sensors[i];
        sensor.celsius += (static_cast<int>(m_random() % 11) - 5) * 0.05;
        sensor.state = sensor.celsius > kSensorHigh[i] ? '1' : '0';
    }
    return m_sensors;
}

} // namespace orlan

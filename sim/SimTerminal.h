#pragma once
// The simulated terminal: boot messages, login, the console commands, dumps,
// the camera picture, event lines, temperature records and switchable faults.
// It has no clock and no threads of its own: the host feeds it the bytes it
// receives, tells it the time, and passes on what it writes.
#include "sim/ConfigStore.h"
#include "sim/SimCommand.h"
#include "sim/SimFaults.h"
#include "sim/SimRecords.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

struct SimOptions {
    std::string password;       // a line equal to it logs in (empty: a bare CR)
    bool startLoggedIn = false; // skip the first login
    int bootWaitMs = 1500;      // how long the boot prompt waits for the setup key run
    int eventsEveryMs = 0;      // an event line and a realtime temperature record this often (0: on request)
    std::uint32_t seed = 1;     // for the garbage and split faults and the temperatures
    SimFaults faults;
};

class CSimTerminal final : private ISimConsole {
public:
    // One call is one write of the terminal.
    using Output = std::function<void(std::string_view bytes)>;
    // One call per line received (without its line end) and per setup key run.
    using InputLog = std::function<void(std::string_view received)>;

    enum class EState { Booting, LoggedOut, LoggedIn };

    CSimTerminal(CConfigStore fixture, SimOptions options, Output output);

    // Boot messages or the login prompt, at the current time.
    void Start();

    // Bytes from the tool. Lines end with CR or LF; the setup key run is twelve
    // '%' bytes without a line end.
    void Feed(std::string_view bytes);
    // Tells what the tool sent, in order, whatever the state (tests prove
    // the tool's wire order with it).
    void SetInputLog(InputLog log) { m_inputLog = std::move(log); }

    // Moves the terminal's time forward (milliseconds since start) and writes
    // whatever has become due.
    void AdvanceTo(int64_t nowMs);
    void Advance(int64_t deltaMs) { AdvanceTo(m_now + deltaMs); }
    int64_t Now() const { return m_now; }

    // When the terminal next has something to do (nothing: only input wakes it).
    std::optional<int64_t> NextWakeMs() const;

    // Things the control stream asks for.
    void EmitEvent();
    void EmitTemperatureRecords(int count);
    void EmitRaw(std::string_view text);
    // An input ('I') or output ('O') goes to `state`: the store keeps it and
    // the terminal reports it as a "*IO" line. False for a channel it has no
    // state line for, or a state that is not one digit.
    bool ChangeIo(char kind, int channel, char state);
    // `count` printable bytes in one write, without a line end.
    void EmitBurst(std::size_t count);
    void Reboot();
    void Hangup() { m_hangup = true; }
    bool HangupRequested() const { return m_hangup; }

    SimFaults& Faults() { return m_options.faults; }
    EState State() const { return m_state; }
    bool InSetupMode() const { return m_setupMode; }
    const CConfigStore& Config() const { return m_store; }

private:
    struct Pending {
        int64_t due = 0;
        std::string bytes;
        bool line = false; // a text line (faults may garble it), not raw data
    };

    // ISimConsole, for the command handlers.
    CConfigStore& Store() override { return m_store; }
    void PrintLine(std::string_view text) override { Say(text); }
    void PrintGroups(const std::vector<std::string_view>& groups) override;
    void PrintModbusRow(int row) override;
    void PrintSettings() override;
    void PrintStateAndEndMark() override;
    void PrintTemperatureLog() override;
    void RestoreFixture() override { m_store = m_fixture; }
    void RebootAfterAnswer() override { m_rebootAfterAnswer = true; }
    void TakePicture() override { m_havePicture = true; }
    void SendPicture(std::string_view index) override;

    int64_t Queue(std::string bytes, bool line, int64_t delayMs);
    int64_t Say(std::string_view text, int64_t delayMs = 0);
    // "CMD OK" or "CMD ERR" (twice with the double-answer fault).
    void Answer(std::string_view text, int64_t delayMs = 0);
    // "CMD OK", or what the please-wait fault makes of it.
    void Accept();
    void StartEndlessDump();
    void Release();
    void Deliver(const Pending& item);

    void StartBoot();
    void FinishBoot(bool setupMode);
    void OnKeyRun();
    void OnLine(const std::string& line, bool overlong);
    void Execute(std::string_view command);
    void SayEvent();
    void SayIoChange();
    void SayRealtimeRecord();
    void SayDriftedReadings();
    std::vector<SensorReading> NextReadings();

    CConfigStore m_fixture;
    CConfigStore m_store;
    SimOptions m_options;
    Output m_output;
    InputLog m_inputLog;
    std::mt19937 m_random;

    int64_t m_now = 0;
    std::deque<Pending> m_pending;
    int64_t m_holdUntil = 0;  // nothing goes out before this (quiet after a picture)
    int64_t m_replyDelay = 0; // added to everything said in reply to a line

    EState m_state = EState::LoggedOut;
    bool m_setupMode = false;
    int64_t m_promptAt = 0;  // when the boot prompt went out
    int64_t m_bootEndAt = 0; // end of the window for the key run
    bool m_rebootAfterAnswer = false;
    bool m_hangup = false;

    std::string m_line;
    bool m_lineOverlong = false;
    bool m_lastWasCr = false;
    int m_percentRun = 0;

    bool m_havePicture = false;
    bool m_endlessDump = false;      // a whole read that does not end is printing
    int64_t m_nextDumpRoundAt = 0;
    int m_eventNumber = 0;
    int m_accepted = 0;       // commands answered as accepted (for the please-wait fault)
    int m_eventPeriods = 0; // every few periods an input changes
    int64_t m_nextEventAt = 0;
    int m_recordSequence = 0;
    std::vector<SensorReading> m_sensors;
    int m_readingPeriods = 0; // the live readings drift every few periods
};

} // namespace orlan

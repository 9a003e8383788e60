// The fault cases of the wire: a terminal session over the real serial
// channel against orlan-sim in its fault modes. Every case ends within its
// time limit with an outcome the session states: what became of each
// command, whether the whole read completed, whether the login gave up.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <memory>

#include "ProfileSimOutput.h"
#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "pages/AllPages.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

class CSilentView final : public ISessionView {};

// The profile every page writes after a whole read of the simulator's
// built-in configuration (after `before` was sent to it), without a serial
// line in between.
std::string ReferenceProfile(const std::string& before = {})
{
    CSilentView view;
    CRecordingSink sink;
    CManualClock clock;
    CTerminalSession session(view, sink, clock);
    for (std::unique_ptr<CPage>& page : CreateAllPages())
        session.AddPage(std::move(page));
    session.Reload();
    const std::string output = SimAnswer(before + sink.Joined());
    session.Receive().OnSerialData(output.data(), output.size());
    EXPECT_EQ(session.WholeRead(), CTerminalSession::EWholeRead::Complete);
    return session.ProfileBytes();
}

// The lines the simulator logged as received.
Strings LoggedLines(const QString& path)
{
    QFile file(path);
    Strings lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        lines.emplace_back(line.constData(), static_cast<size_t>(line.size()));
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

Strings FromBatchStart(const Strings& lines)
{
    return {std::find(lines.begin(), lines.end(), "%STARTCMD"), lines.end()};
}

// `count` distinct setting commands the simulator accepts.
Strings PhoneCommands(int count)
{
    Strings commands;
    for (int i = 0; i < count; ++i)
        commands.push_back("%CS" + std::to_string(i % 10) + "+86139" + std::to_string(100000 + i));
    return commands;
}

std::string Joined(const Strings& commands)
{
    std::string bytes;
    for (const std::string& command : commands)
        bytes += command + "\r";
    return bytes;
}

std::string ProfileOf(const Strings& commands)
{
    std::string profile = "\r\r\n//Page faults\r\r\n\r\n";
    for (const std::string& command : commands)
        profile += command + "\r\r\n";
    return profile;
}

// What the terminal receives of a profile run of these commands: its
// bracket around them, then the whole read behind it.
Strings ProfileRun(const Strings& commands)
{
    Strings lines = {"%STARTCMD"};
    lines.insert(lines.end(), commands.begin(), commands.end());
    for (const char* tail : {"%COMMITCMD", "%DUMPS", "%DUMPR"})
        lines.push_back(tail);
    return lines;
}

size_t CountOf(const Strings& lines, const std::string& line)
{
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

class FaultEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString LogPath() const { return m_dir.filePath(QStringLiteral("sim.log")); }
    QStringList WithLog(QStringList options) const { return QStringList{QStringLiteral("--log"), LogPath()} + options; }

    QTemporaryDir m_dir;
};

// A terminal that takes commands with "Please wait": alone for every third,
// or followed by "CMD OK" for every second. The profile is taken whole, each
// command reaches the terminal once, and the final answers stay with their
// own commands.
TEST_F(FaultEndToEnd, APleaseWaitTerminalTakesAProfileWhole)
{
    struct SCase {
        const char* mode;
        const char* every;
        int busy;  // of the 9 commands, accepted with "Please wait" alone
    };
    for (const SCase& c : {SCase{"only", "3", 3}, SCase{"then-ok", "2", 0}}) {
        SCOPED_TRACE(c.mode);
        CSimProcess sim(WithLog({QStringLiteral("--no-login"), QStringLiteral("--fault-please-wait"),
                                 QString::fromLatin1(c.mode), QStringLiteral("--fault-please-wait-every"),
                                 QString::fromLatin1(c.every)}));
        ASSERT_FALSE(sim.Device().isEmpty());
        CSessionOverSerial console(sim.Device());
        // Short waits: a command taken with "Please wait" alone holds the
        // line for its whole answer wait.
        console.session.SetProfileAnswerWaits(3000, 1000);
        const Strings commands = PhoneCommands(7);
        ASSERT_TRUE(console.RunProfile(ProfileOf(commands), 60s));

        const SJobReport& report = console.reports.back();
        EXPECT_TRUE(report.AllAccepted()) << report.Summary();
        EXPECT_EQ(report.sent, 9) << report.Summary();
        EXPECT_EQ(report.accepted, 9) << report.Summary();
        EXPECT_EQ(report.busy, c.busy) << report.Summary();
        EXPECT_EQ(console.infos, Strings{"Excute the profile sucessed!"});
        EXPECT_TRUE(console.errors.empty());
        ASSERT_TRUE(PumpUntil([&] { return console.wholeReads == 1; }, 20s));

        EXPECT_EQ(FromBatchStart(LoggedLines(LogPath())), ProfileRun(commands));
        QFile::remove(LogPath());
    }
}

// Item 1 and 2: a terminal that answers every command twice. Each second
// answer arrives with the first, while the next command still sits in the
// channel's ring, so it is no command's; the queue never runs ahead of the
// channel and every command reaches the terminal.
TEST_F(FaultEndToEnd, DoubleAnswersLoseNoCommandOfALongProfile)
{
    CSimProcess sim(WithLog({QStringLiteral("--no-login"), QStringLiteral("--fault-double-answer")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console(sim.Device());
    const Strings commands = PhoneCommands(150);
    ASSERT_TRUE(console.RunProfile(ProfileOf(commands), 60s));

    const SJobReport& report = console.reports.back();
    EXPECT_EQ(report.sent, 152) << report.Summary();
    EXPECT_EQ(report.accepted, 152) << report.Summary();
    EXPECT_TRUE(report.AllAccepted()) << report.Summary();
    EXPECT_GE(report.surplus, 150) << report.Summary();
    ASSERT_TRUE(PumpUntil([&] { return console.wholeReads == 1; }, 20s));

    EXPECT_EQ(FromBatchStart(LoggedLines(LogPath())), ProfileRun(commands));
}

// Item 1: a profile line longer than the terminal's input line limit would
// leave cut, glued to the next command; the profile is refused whole.
TEST_F(FaultEndToEnd, AProfileWithALineOverTheTerminalsLimitSendsNothing)
{
    CSimProcess sim(WithLog({QStringLiteral("--no-login")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console(sim.Device());
    ASSERT_TRUE(PumpUntil([&] { return console.port.IsOpen(); }));
    const std::string profile = "%CS1+111\r\n%DESC" + std::string(40000, 'A') + "\r\n%CS2+222\r\n";
    EXPECT_FALSE(console.RunProfile(profile, 3s));
    ASSERT_EQ(console.errors.size(), 1u);
    EXPECT_NE(console.errors[0].find("line 2: a command of 40005 bytes"), std::string::npos) << console.errors[0];
    PumpUntil([] { return false; }, 500ms);
    EXPECT_TRUE(LoggedLines(LogPath()).empty()) << "nothing reached the terminal";
    EXPECT_TRUE(console.reports.empty());
}

// Item 2: answers come later than the command's wait. The late "CMD ERR"
// is reported against the command it answers, not the one after it.
TEST_F(FaultEndToEnd, ALateRejectionIsReportedAgainstItsOwnCommand)
{
    CSimProcess sim(WithLog({QStringLiteral("--no-login"), QStringLiteral("--fault-late"), QStringLiteral("700")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console(sim.Device());
    console.session.SetProfileAnswerWaits(300, 300);
    ASSERT_TRUE(console.RunProfile("%CS1+111\n%NOSUCH7\n%CS2+222\n", 30s));

    const SJobReport& report = console.reports.back();
    EXPECT_EQ(report.sent, 5);
    EXPECT_EQ(report.rejected, 1) << report.Summary();
    EXPECT_EQ(report.accepted, 0) << "every answer came after its wait";
    EXPECT_EQ(report.uncertain, 4) << report.Summary();
    EXPECT_EQ(std::count(report.failed.begin(), report.failed.end(), "%NOSUCH7 (CMD ERR after its wait)"), 1)
        << ::testing::PrintToString(report.failed);
    for (const std::string& failed : report.failed) {
        if (failed.find("CMD ERR") != std::string::npos) {
            EXPECT_TRUE(failed.starts_with("%NOSUCH7")) << failed;
        }
    }
    ASSERT_TRUE(PumpUntil([&] { return console.wholeReads == 1; }, 20s));
    EXPECT_EQ(FromBatchStart(LoggedLines(LogPath())).size(), 5u + 2u) << "then the whole read";
}

// Item 3: a read interrupted mid-dump leaves the terminal printing; the next
// read lets the line go quiet first and takes only its own end line, so
// what it reads is whole.
TEST_F(FaultEndToEnd, AReadAfterAnInterruptedDumpIsCompleteAndWhole)
{
    CSimProcess sim({QStringLiteral("--no-login")});  // paced like a real line: the dump takes seconds
    ASSERT_FALSE(sim.Device().isEmpty());
    {
        auto first = std::make_unique<CSessionOverSerial>(sim.Device());
        first->session.Reload();
        ASSERT_TRUE(PumpUntil([&] { return first->lines > 20; }, 10s));
    }  // the window closes mid-dump; the terminal goes on printing

    CSessionOverSerial second(sim.Device());
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(second.ReadAll());
    EXPECT_EQ(second.wholeReads, 1);
    EXPECT_EQ(second.session.WholeRead(), CTerminalSession::EWholeRead::Complete);
    EXPECT_EQ(second.session.ProfileBytes(), ReferenceProfile());
    EXPECT_LT(clock.elapsed(), 15000);
}

// Item 6: a terminal that prompts again after each refusal gets the first
// password and three retries, then the session waits for the user.
TEST_F(FaultEndToEnd, ATerminalThatPromptsAfterEachRefusalGetsBoundedRetries)
{
    CSimProcess sim(WithLog({QStringLiteral("--password"), QStringLiteral("1234"), QStringLiteral("--fault-reprompt"),
                             QStringLiteral("--boot-wait"), QStringLiteral("100")}));
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console(sim.Device());
    console.session.SetPassword("wrong");
    ASSERT_TRUE(PumpUntil([&] { return console.port.IsOpen(); }));
    // The prompt the terminal printed at its start may have been purged when
    // the port opened; a boot ends with another one.
    PumpUntil([] { return false; }, 500ms);
    if (!console.session.LoginGivenUp()) {
        ASSERT_TRUE(sim.Control(QStringLiteral("boot")));
    }
    ASSERT_TRUE(PumpUntil([&] { return console.session.LoginGivenUp(); }, 10s));
    PumpUntil([] { return false; }, 2s);  // nothing more goes out meanwhile

    EXPECT_EQ(CountOf(LoggedLines(LogPath()), "wrong"), 4u);
    EXPECT_EQ(console.infos, Strings{"The login password is incorrect!"});
    EXPECT_EQ(console.wholeReads, 0);

    // The user types the right password and logs in.
    console.session.SetPassword("1234");
    console.session.Login("already logged in");
    EXPECT_TRUE(PumpUntil([&] { return console.wholeReads == 1; }, 20s));
}

constexpr int kFaultReadLimitMs = 4000;
constexpr int kShortWaitMs = 400;

// Lines that misbehave: each case ends within its limit with an outcome the
// session states.
struct SLineFault {
    const char* name;
    QStringList sim;                  // simulator options besides --no-login
    const char* control = nullptr;    // a control command, sent when `when` holds (empty: at once)
    std::function<bool(const CSessionOverSerial&)> when;
    enum { Read, Profile } action;
    std::function<void(CSessionOverSerial&, CSimProcess&)> check;
    int limitMs;
    int waitMs = kShortWaitMs;        // each command's wait in the profile
};

void PrintTo(const SLineFault& fault, std::ostream* out)
{
    *out << fault.name;
}

class LineFaultEndToEnd : public FaultEndToEnd, public ::testing::WithParamInterface<SLineFault> {};

const SLineFault kLineFaults[] = {
    {"Silence", {QStringLiteral("--fault-silent")}, nullptr, nullptr, SLineFault::Profile,
     [](CSessionOverSerial& c, CSimProcess&) {
         ASSERT_EQ(c.reports.size(), 1u);
         EXPECT_EQ(c.reports[0].unanswered, 5) << c.reports[0].Summary();
         EXPECT_TRUE(PumpUntil([&] { return !c.readFailures.empty(); }, 10s));
         EXPECT_EQ(c.session.WholeRead(), CTerminalSession::EWholeRead::Failed);
     },
     20000},
    {"Garbage", {QStringLiteral("--fault-garbage"), QStringLiteral("--rate"), QStringLiteral("0")}, nullptr, nullptr,
     SLineFault::Profile,
     [](CSessionOverSerial& c, CSimProcess&) {
         ASSERT_EQ(c.reports.size(), 1u);
         EXPECT_TRUE(c.reports[0].AllAccepted()) << c.reports[0].Summary();
         ASSERT_TRUE(PumpUntil([&] { return c.wholeReads == 1 || !c.readFailures.empty(); }, 20s));
         EXPECT_EQ(c.wholeReads, 1) << ::testing::PrintToString(c.readFailures);
         EXPECT_EQ(c.session.ProfileBytes(), ReferenceProfile(Joined(PhoneCommands(3))))
             << "junk and over-long lines change no page";
     },
     20000},
    {"BurstWithoutLineEnds", {QStringLiteral("--rate"), QStringLiteral("0")}, "burst 200000", nullptr,
     SLineFault::Read,
     [](CSessionOverSerial& c, CSimProcess&) {
         EXPECT_EQ(c.wholeReads, 1);
         EXPECT_EQ(c.session.ProfileBytes(), ReferenceProfile());
     },
     30000},
    {"DumpThatNeverEnds", {QStringLiteral("--fault-endless-dump")}, nullptr, nullptr, SLineFault::Read,
     [](CSessionOverSerial& c, CSimProcess&) {
         EXPECT_EQ(c.wholeReads, 0);
         EXPECT_EQ(c.readFailures, Strings{"no end of the dump within 4 s"});
         EXPECT_EQ(c.session.WholeRead(), CTerminalSession::EWholeRead::Failed);
     },
     15000},
    {"PictureWithoutEndMarker", {QStringLiteral("--fault-picture-no-end")}, nullptr, nullptr, SLineFault::Profile,
     [](CSessionOverSerial& c, CSimProcess&) {
         EXPECT_EQ(c.pictureFailures, 1);
         ASSERT_EQ(c.reports.size(), 1u);
         EXPECT_TRUE(c.reports[0].AllAccepted()) << "text mode is back: " << c.reports[0].Summary();
     },
     20000},
    {"UnpluggedMidRead", {}, "hangup", [](const CSessionOverSerial& c) { return c.lines > 20; }, SLineFault::Read,
     [](CSessionOverSerial& c, CSimProcess&) {
         EXPECT_EQ(c.wholeReads, 0);
         EXPECT_TRUE(PumpUntil([&] { return !c.readFailures.empty(); }, 10s));
         EXPECT_EQ(c.port.LastError().kind, LinkError::Kind::LinkLost);
         EXPECT_FALSE(c.port.IsOpen());
     },
     20000},
    {"UnpluggedMidProfile", {}, "hangup", [](const CSessionOverSerial& c) { return c.answers >= 6; },
     SLineFault::Profile,
     [](CSessionOverSerial& c, CSimProcess&) {
         ASSERT_EQ(c.reports.size(), 1u);
         const SJobReport& report = c.reports[0];
         EXPECT_GE(report.accepted, 6) << report.Summary();
         EXPECT_GT(report.notSent, 0) << report.Summary();
         EXPECT_EQ(report.sent + report.notSent, 42) << "every command is accounted for: " << report.Summary();
         EXPECT_EQ(report.accepted + report.unanswered + report.notSent, 42) << report.Summary();
         EXPECT_EQ(c.port.LastError().kind, LinkError::Kind::LinkLost);
     },
     20000},
};

TEST_P(LineFaultEndToEnd, EndsInTimeWithAClearOutcome)
{
    const SLineFault& fault = GetParam();
    CSimProcess sim(QStringList{QStringLiteral("--no-login")} + fault.sim);
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console(sim.Device());
    console.session.SetWholeReadLimit(kFaultReadLimitMs);
    console.session.SetProfileAnswerWaits(fault.waitMs, fault.waitMs);
    const bool picture = fault.sim.contains(QStringLiteral("--fault-picture-no-end"));
    if (picture) {
        // The picture starts and never ends; the session drops it once the
        // line is quiet, and text mode is back for the profile.
        console.session.SendRaw("%SDSC\r%memr0\r");
        ASSERT_TRUE(PumpUntil([&] { return console.session.Receive().ImageMode(); }, 5s));
        ASSERT_TRUE(PumpUntil([&] { return console.pictureFailures == 1; }, 10s));
    }

    QElapsedTimer clock;
    clock.start();
    bool controlled = fault.control == nullptr;
    auto control = [&] {
        if (!controlled && (!fault.when || fault.when(console))) {
            controlled = true;
            EXPECT_TRUE(sim.Control(QString::fromLatin1(fault.control)));
        }
    };
    std::function<bool()> ended;
    if (fault.action == SLineFault::Read) {
        if (!fault.when && fault.control) {
            control();  // the read comes while the terminal is at it
            ASSERT_TRUE(PumpUntil([&] { return console.rawBytes > 0; }, 5s));
        }
        console.session.Reload();
        ended = [&] {
            control();
            return console.wholeReads > 0 || !console.readFailures.empty();
        };
    } else {
        control();
        ASSERT_TRUE(console.session.ExecuteProfile(ProfileOf(PhoneCommands(fault.control ? 40 : 3))));
        ended = [&] {
            control();
            return !console.reports.empty();
        };
    }
    ASSERT_TRUE(PumpUntil(ended, std::chrono::milliseconds(fault.limitMs))) << "no outcome in time";
    fault.check(console, sim);
    EXPECT_LT(clock.elapsed(), fault.limitMs);
}

INSTANTIATE_TEST_SUITE_P(Faults, LineFaultEndToEnd, ::testing::ValuesIn(kLineFaults),
                         [](const ::testing::TestParamInfo<SLineFault>& tested) { return tested.param.name; });

} // namespace
} // namespace orlan::test

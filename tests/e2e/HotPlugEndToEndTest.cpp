// The adapter pulled and plugged in again while the tool runs: the
// simulator goes away and a new one comes under the same link path. The
// link is reopened, the terminal logged in and read whole again; and a
// write-back cut by a pulled cable ends with a report and loses no page.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "link/PortWatcher.h"
#include "link/Reconnector.h"
#include "link/TerminalLink.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

using namespace std::chrono_literals;

const QString kPassword = QStringLiteral("4321");

class CHotPlugView final : public ISessionView {
public:
    void OnLoginSuccess() override { ++logins; }
    void OnWholeReadComplete() override { ++wholeReads; }
    void OnWholeReadFailed(const std::string& reason) override { readFailures.push_back(reason); }

    int logins = 0;
    int wholeReads = 0;
    std::vector<std::string> readFailures;
};

TEST(HotPlugEndToEnd, TheSimulatorComingBackUnderItsLinkIsReopenedLoggedInAndReadWhole)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("orlan-tty"));
    const QStringList options{QStringLiteral("--link"), link, QStringLiteral("--password"), kPassword,
                              QStringLiteral("--rate"), QStringLiteral("0")};
    auto sim = std::make_unique<CSimProcess>(options);
    ASSERT_FALSE(sim->Device().isEmpty());

    CHotPlugView view;
    CTerminalLink terminal(view);
    terminal.Session().SetPassword(kPassword.toStdString());
    CPortWatcher watcher;
    CReconnector reconnector(terminal, watcher);
    QStringList statuses;
    QStringList reopened;
    QObject::connect(&reconnector, &CReconnector::statusText, [&](const QString& text) { statuses.append(text); });
    QObject::connect(&reconnector, &CReconnector::reconnected, [&](const QString& path) { reopened.append(path); });

    terminal.Open(link);
    terminal.Session().Reload();
    ASSERT_TRUE(PumpUntil([&] { return view.wholeReads == 1; }, 30s)) << ::testing::PrintToString(view.readFailures);
    EXPECT_EQ(view.logins, 1);

    sim->Kill();
    ASSERT_TRUE(PumpUntil([&] { return reconnector.Waiting(); }, 20s));
    EXPECT_FALSE(terminal.Port().IsOpen());
    EXPECT_EQ(terminal.Port().LastError().kind, LinkError::Kind::LinkLost);
    ASSERT_FALSE(statuses.isEmpty());
    EXPECT_TRUE(statuses.back().contains(QStringLiteral("gone"))) << statuses.back().toStdString();

    sim = std::make_unique<CSimProcess>(options);  // plugged in again: logged out, a new pty
    ASSERT_FALSE(sim->Device().isEmpty());
    ASSERT_TRUE(PumpUntil([&] { return view.wholeReads == 2; }, 40s))
        << ::testing::PrintToString(view.readFailures) << statuses.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(reopened, QStringList{link});
    EXPECT_EQ(view.logins, 2) << "the new terminal asked for the password and got it";
    EXPECT_TRUE(terminal.Port().IsOpen());
    EXPECT_TRUE(terminal.Session().HoldsWholeRead());
    EXPECT_TRUE(statuses.back().startsWith(QStringLiteral("Adapter back on ") + link)) << statuses.back().toStdString();
}

TEST(HotPlugEndToEnd, AWriteBackCutByAPulledCableReportsWhatWentOutAndKeepsThePage)
{
    // Late answers keep the job going while the cable is pulled.
    CSimProcess sim({QStringLiteral("--no-login"), QStringLiteral("--fault-late"), QStringLiteral("300")});
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console(sim.Device());
    ASSERT_TRUE(console.ReadAll());
    const std::string before = console.session.ProfileBytes();
    CPage& page = console.Page("CPageMainParams");
    const SPageJob save = page.SaveJob();
    ASSERT_TRUE(save.bracketed);
    ASSERT_EQ(save.end, EJobEnd::ReadPage);
    const int commands = static_cast<int>(save.commands.size()) + 2;
    ASSERT_GE(commands, 6);

    const int answers = console.answers;
    console.session.WriteBack(page);
    ASSERT_TRUE(PumpUntil([&] { return console.answers >= answers + 2; }, 20s));
    ASSERT_TRUE(sim.Control(QStringLiteral("hangup")));
    ASSERT_TRUE(PumpUntil([&] { return !console.reports.empty(); }, 30s)) << "the job ends, it does not hang";

    const SJobReport& report = console.reports.back();
    EXPECT_FALSE(report.AllAccepted()) << report.Summary();
    EXPECT_GE(report.accepted, 2) << report.Summary();
    EXPECT_GT(report.notSent, 0) << report.Summary();
    EXPECT_EQ(report.sent + report.notSent, commands) << "every command is accounted for: " << report.Summary();
    EXPECT_EQ(console.session.ProfileBytes(), before) << "the page still shows what it held";
}

} // namespace
} // namespace orlan::test

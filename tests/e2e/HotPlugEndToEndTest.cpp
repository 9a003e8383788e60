// The adapter pulled and plugged in again while the tool runs: the
// simulator goes away and a new one comes under the same link path. The
// link is reopened, the terminal logged in and read whole again; and a
// write-back cut by a pulled cable ends with a report and loses no page.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "link/PortWatcher.h"
#include "wiring/Reconnector.h"
#include "wiring/TerminalLink.h"
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

// A terminal link with its watcher and reconnector on the simulator's link
// path, read whole once; Unplug() kills the simulator, PlugIn() starts a new
// one under the same path.
class HotPlugEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sim = std::make_unique<CSimProcess>(m_options);
        ASSERT_FALSE(m_sim->Device().isEmpty());
        terminal.Session().SetPassword(kPassword.toStdString());
        QObject::connect(&reconnector, &CReconnector::statusText, [this](const QString& text) { statuses.append(text); });
        QObject::connect(&reconnector, &CReconnector::reconnected, [this](const QString& path) { reopened.append(path); });
        terminal.Open(link);
        terminal.Session().Reload();
        ASSERT_TRUE(PumpUntil([this] { return view.wholeReads == 1; }, 30s)) << ::testing::PrintToString(view.readFailures);
        EXPECT_EQ(view.logins, 1);
    }

    void Unplug()
    {
        m_sim->Kill();
        ASSERT_TRUE(PumpUntil([this] { return reconnector.Waiting(); }, 20s));
        EXPECT_FALSE(terminal.Port().IsOpen());
        EXPECT_EQ(terminal.Port().LastError().kind, LinkError::Kind::LinkLost);
        ASSERT_FALSE(statuses.isEmpty());
        EXPECT_TRUE(statuses.back().contains(QStringLiteral("gone"))) << statuses.back().toStdString();
    }
    // Plugged in again: logged out, a new pty; the link is reopened, logged in and read whole.
    void PlugInAndExpectTheReturn()
    {
        m_sim = std::make_unique<CSimProcess>(m_options);
        ASSERT_FALSE(m_sim->Device().isEmpty());
        ASSERT_TRUE(PumpUntil([this] { return view.wholeReads == 2; }, 40s))
            << ::testing::PrintToString(view.readFailures) << statuses.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(reopened, QStringList{link});
        EXPECT_EQ(view.logins, 2) << "the new terminal asked for the password and got it";
        EXPECT_TRUE(terminal.Port().IsOpen());
        EXPECT_TRUE(terminal.Session().HoldsWholeRead());
        EXPECT_TRUE(statuses.back().startsWith(QStringLiteral("Adapter back on ") + link)) << statuses.back().toStdString();
    }

    QTemporaryDir folder;
    const QString link = folder.filePath(QStringLiteral("orlan-tty"));
    CHotPlugView view;
    CTerminalLink terminal{view};
    CPortWatcher watcher;
    CReconnector reconnector{terminal, watcher};
    QStringList statuses;
    QStringList reopened;

private:
    const QStringList m_options{QStringLiteral("--link"), link, QStringLiteral("--password"), kPassword,
                                QStringLiteral("--rate"), QStringLiteral("0")};
    std::unique_ptr<CSimProcess> m_sim;
};

TEST_F(HotPlugEndToEnd, TheSimulatorComingBackUnderItsLinkIsReopenedLoggedInAndReadWhole)
{
    Unplug();
    PlugInAndExpectTheReturn();
}

TEST_F(HotPlugEndToEnd, APortThatComesBackButDoesNotOpenIsTriedAgainUntilTheRealOneIsThere)
{
    Unplug();
    // Something appears under the path that is no terminal (as a node does
    // before udev has set its permissions): the open fails and is retried.
    QFile impostor(folder.filePath(QStringLiteral("not-a-tty")));
    ASSERT_TRUE(impostor.open(QIODevice::WriteOnly));
    impostor.close();
    QFile::remove(link);  // the killed simulator left its link
    ASSERT_TRUE(QFile::link(impostor.fileName(), link));
    ASSERT_TRUE(PumpUntil(
        [this] {
            const LinkError error = terminal.Port().LastError();
            return !error.text.isEmpty() && error.kind != LinkError::Kind::LinkLost;
        },
        20s));
    EXPECT_FALSE(terminal.Port().IsOpen());
    EXPECT_TRUE(reopened.isEmpty());
    EXPECT_EQ(view.wholeReads, 1);
    PlugInAndExpectTheReturn();
}

TEST(HotPlugWriteBack, AWriteBackCutByAPulledCableReportsWhatWentOutAndKeepsThePage)
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

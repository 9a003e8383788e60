// The unit at a glance and the configuration history through orlan-cli,
// against the simulated terminal: `status --json` after its reads, `status
// --watch` printing a change as it comes and ending on SIGTERM, and the
// snapshots whole reads and profile runs leave for `history --json`.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdlib>

#include "CliRunner.h"
#include "SimProcess.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

QJsonDocument Json(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text));
}

TEST(CliStatus, StatusJsonShowsTheUnitItsReadingsAndTheirAges)
{
    const CSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--events-every"),
                           QStringLiteral("300")});
    ASSERT_FALSE(sim.Device().isEmpty());
    QTemporaryDir data;
    const std::string dataPath = data.path().toStdString();
    const SCliRun run = RunCli({QStringLiteral("--port"), sim.Device(), QStringLiteral("status"), QStringLiteral("--json")},
                               60000, {.inChild = [dataPath] { setenv("XDG_DATA_HOME", dataPath.c_str(), 1); }});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject status = Json(run.out).object();
    EXPECT_EQ(status[QStringLiteral("unit")].toString(), QStringLiteral("100234"));
    EXPECT_TRUE(status[QStringLiteral("logged_in")].toBool());

    const QJsonObject input1 = status[QStringLiteral("inputs")].toArray().at(1).toObject();
    EXPECT_EQ(input1[QStringLiteral("name")].toString(), QStringLiteral("Window"));
    EXPECT_FALSE(input1[QStringLiteral("type")].toString().isEmpty());
    EXPECT_TRUE(input1[QStringLiteral("state")].toObject()[QStringLiteral("value")].isString());

    const QJsonObject analog0 = status[QStringLiteral("analog")].toArray().at(0).toObject();
    const QJsonObject reading = analog0[QStringLiteral("reading")].toObject();
    EXPECT_TRUE(reading[QStringLiteral("value")].isString());
    EXPECT_GE(reading[QStringLiteral("age_s")].toInt(-1), 0);
    EXPECT_EQ(analog0[QStringLiteral("high")].toDouble(), 30.0);

    // Sensors 4 and 5 never report: no value, no age.
    const QJsonObject spare = status[QStringLiteral("external_temperatures")].toArray().at(5).toObject();
    EXPECT_TRUE(spare[QStringLiteral("reading")].toObject()[QStringLiteral("value")].isNull());
    EXPECT_TRUE(spare[QStringLiteral("reading")].toObject()[QStringLiteral("age_s")].isNull());
    EXPECT_FALSE(status[QStringLiteral("external_temperatures")].toArray().at(0).toObject()[QStringLiteral("trend")]
                     .toArray()
                     .isEmpty());
    EXPECT_FALSE(status[QStringLiteral("events")].toArray().isEmpty()) << run.out;
}

// The state of input 1 in the next complete JSON line `watch` printed, or
// empty when no line came within the deadline.
QString NextInput1State(QProcess& watch)
{
    QString state;
    PumpUntil(
        [&] {
            if (!watch.canReadLine())
                return false;
            const QJsonObject status = QJsonDocument::fromJson(watch.readLine()).object();
            state = status[QStringLiteral("inputs")].toArray().at(1).toObject()[QStringLiteral("state")].toObject()
                        [QStringLiteral("value")]
                            .toString();
            return true;
        },
        std::chrono::seconds(60));
    return state;
}

TEST(CliStatus, WatchPrintsAChangeAsItComesAndEndsCleanlyOnSigterm)
{
    CSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_FALSE(sim.Device().isEmpty());
    QTemporaryDir data;
    QProcess watch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    watch.setProcessEnvironment(environment);
    watch.start(QStringLiteral(ORLAN_CLI_EXE), {QStringLiteral("--port"), sim.Device(), QStringLiteral("status"),
                                                QStringLiteral("--watch"), QStringLiteral("--json")});
    ASSERT_TRUE(watch.waitForStarted(5000));

    // Input 1 (the window contact) reads closed, then the terminal reports it open.
    ASSERT_EQ(NextInput1State(watch), QStringLiteral("0")) << watch.readAllStandardError().toStdString();
    ASSERT_TRUE(sim.Control(QStringLiteral("input 1 1")));
    EXPECT_EQ(NextInput1State(watch), QStringLiteral("1")) << watch.readAllStandardError().toStdString();

    watch.terminate();
    ASSERT_TRUE(watch.waitForFinished(10000));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0) << watch.readAllStandardError().toStdString();
}

TEST(CliHistory, ReadsAndProfileRunsLeaveSnapshotsThatHistoryLists)
{
    const CSimProcess sim({QStringLiteral("--rate"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Device().isEmpty());
    QTemporaryDir data;
    const std::string dataPath = data.path().toStdString();
    const SCliStart start{.inChild = [dataPath] { setenv("XDG_DATA_HOME", dataPath.c_str(), 1); }};
    auto cli = [&](QStringList args) {
        args.prepend(sim.Device());
        args.prepend(QStringLiteral("--port"));
        return RunCli(args, 60000, start);
    };
    ASSERT_EQ(cli({QStringLiteral("read")}).exitCode, 0);
    ASSERT_EQ(cli({QStringLiteral("read")}).exitCode, 0) << "the same configuration: kept once";
    const QString profile = data.filePath(QStringLiteral("change.txt"));
    ASSERT_TRUE(WriteBytes(profile, "%DAS1\r\n"));
    const SCliRun exec = cli({QStringLiteral("exec"), profile});
    ASSERT_EQ(exec.exitCode, 0) << exec.err;
    // A stray file is named and skipped.
    ASSERT_TRUE(WriteBytes(data.filePath(QStringLiteral("orlan/history/100234/notes.txt")), "mine\n"));

    const SCliRun history = RunCli({QStringLiteral("history"), QStringLiteral("--json")}, 60000, start);
    ASSERT_EQ(history.exitCode, 0) << history.err;
    EXPECT_NE(history.err.find("notes.txt\": is no configuration snapshot"), std::string::npos) << history.err;
    const QJsonArray units = Json(history.out).array();
    ASSERT_EQ(units.size(), 1) << history.out;
    EXPECT_EQ(units[0].toObject()[QStringLiteral("unit")].toString(), QStringLiteral("100234"));
    const QJsonArray snapshots = units[0].toObject()[QStringLiteral("snapshots")].toArray();
    ASSERT_EQ(snapshots.size(), 2) << history.out;
    const QJsonObject changed = snapshots[1].toObject();
    EXPECT_EQ(changed[QStringLiteral("source")].toString(), QStringLiteral("profile"));
    EXPECT_EQ(changed[QStringLiteral("port")].toString(), sim.Device());
    EXPECT_TRUE(changed[QStringLiteral("time")].toString().endsWith(QLatin1Char('Z')));
    const QJsonArray changes = changed[QStringLiteral("changes")].toArray();
    EXPECT_EQ(changes, (QJsonArray{QStringLiteral("System Main Params: -%DAS0"), QStringLiteral("System Main Params: +%DAS1")}))
        << history.out;
    EXPECT_TRUE(snapshots[0].toObject()[QStringLiteral("changes")].toArray().isEmpty());
    // The same change as a person reads it: page, setting, before and after.
    const QJsonArray settings = changed[QStringLiteral("settings")].toArray();
    ASSERT_EQ(settings.size(), 1) << history.out;
    EXPECT_TRUE(settings[0].toString().contains(QStringLiteral("off → on"))) << history.out;

    const SCliRun other = RunCli({QStringLiteral("history"), QStringLiteral("999")}, 60000, start);
    EXPECT_EQ(other.exitCode, 1);
}

} // namespace
} // namespace orlan::test

// The temperature records through orlan-cli: `records` replays the stored
// log and exports it, `monitor` keeps the realtime running file.
#include <gtest/gtest.h>

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "CliRunner.h"
#include "SimProcess.h"

namespace orlan::test {
namespace {

// A record as the export writes it: 13 cells, each followed by ",", CR LF.
bool IsCsvRecord(const std::string& line)
{
    return line.ends_with(",\r") && std::count(line.begin(), line.end(), ',') == 13;
}

class CliRecords : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_FALSE(m_sim.Device().isEmpty());
    }
    SCliRun Cli(QStringList args, const SCliStart& start = {}) const
    {
        args.prepend(m_sim.Device());
        args.prepend(QStringLiteral("--port"));
        return RunCli(args, 60000, start);
    }

    QTemporaryDir m_dir;
    CSimProcess m_sim{{QStringLiteral("--rate"), QStringLiteral("0")}};
};

TEST_F(CliRecords, RecordsReplaysTheStoredLogAndExportsItWhole)
{
    const SCliRun out = Cli({QStringLiteral("records"), QStringLiteral("--quiet-ms"), QStringLiteral("500")});
    EXPECT_EQ(out.exitCode, 0) << out.err;
    const std::vector<std::string> lines = SplitAtLineFeeds(out.out);
    ASSERT_GT(lines.size(), 10U) << out.err;
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(), IsCsvRecord)) << out.out;
    // Newest on top, the terminal's own time stamps unchanged.
    EXPECT_GT(lines.front(), lines.back());

    const QString file = m_dir.filePath(QStringLiteral("log.csv"));
    const SCliRun exported = Cli({QStringLiteral("records"), QStringLiteral("--quiet-ms"), QStringLiteral("500"),
                                  QStringLiteral("--export"), file});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(exported.out, "");
    EXPECT_EQ(ReadBytes(file), out.out);

    const SCliRun refused = Cli({QStringLiteral("records"), QStringLiteral("--quiet-ms"), QStringLiteral("500"),
                                 QStringLiteral("--export"), m_dir.filePath(QStringLiteral("no-folder/log.csv"))});
    EXPECT_EQ(refused.exitCode, 8);
    EXPECT_NE(refused.err.find("Open/Create the log file failed!"), std::string::npos) << refused.err;
}

TEST_F(CliRecords, MonitorAppendsRealtimeSamplesToTheRunningFile)
{
    const QString csv = m_dir.filePath(QStringLiteral("ex temp.csv"));
    const std::string earlier = "kept from an earlier run\r\n";
    ASSERT_TRUE(WriteBytes(csv, earlier));
    // A terminal that sends a realtime sample (and an event) every 300 ms.
    const CSimProcess sampling({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--events-every"),
                                QStringLiteral("300")});
    ASSERT_FALSE(sampling.Device().isEmpty());
    const std::string folder = m_dir.path().toStdString();
    const SCliRun run = RunCli({QStringLiteral("--port"), sampling.Device(), QStringLiteral("--timeout"),
                                QStringLiteral("2"), QStringLiteral("monitor")},
                               60000, {.inChild = [folder] { (void)!chdir(folder.c_str()); }});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string bytes = ReadBytes(csv);
    ASSERT_TRUE(bytes.starts_with(earlier)) << bytes;  // appended, never truncated
    const std::vector<std::string> samples = SplitAtLineFeeds(bytes.substr(earlier.size()));
    EXPECT_GE(samples.size(), 2U) << bytes;
    EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), IsCsvRecord)) << bytes;
}

TEST_F(CliRecords, AReplayThatBringsNothingKeepsTheEarlierExport)
{
    const CSimProcess silent({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--fault-silent")});
    ASSERT_FALSE(silent.Device().isEmpty());
    const QString file = m_dir.filePath(QStringLiteral("log.csv"));
    const std::string earlier = "an earlier export\r\n";
    ASSERT_TRUE(WriteBytes(file, earlier));
    const SCliRun run = RunCli({QStringLiteral("--port"), silent.Device(), QStringLiteral("--timeout"), QStringLiteral("5"),
                                QStringLiteral("records"), QStringLiteral("--quiet-ms"), QStringLiteral("300"),
                                QStringLiteral("--export"), file});
    EXPECT_NE(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(file), earlier);
    EXPECT_NE(run.err.find("no records came"), std::string::npos) << run.err;
}

// What stands under the running file's name before a monitor starts.
enum class EPlanted { Nothing, Fifo, LinkToAnotherFile, Folder };

TEST_F(CliRecords, TheRunningFileIsOnlyEverARegularFileOpenedForTheFirstSample)
{
    const struct {
        EPlanted planted;
        bool samples;
    } cases[] = {{EPlanted::Nothing, false}, {EPlanted::Fifo, true}, {EPlanted::LinkToAnotherFile, true},
                 {EPlanted::Folder, true}};
    for (const auto& c : cases) {
        QTemporaryDir folder;
        const QString csv = folder.filePath(QStringLiteral("ex temp.csv"));
        const QString other = folder.filePath(QStringLiteral("other.txt"));
        const std::string otherBytes = "not the tool's\n";
        ASSERT_TRUE(WriteBytes(other, otherBytes));
        switch (c.planted) {
        case EPlanted::Nothing: break;
        case EPlanted::Fifo: ASSERT_EQ(::mkfifo(QFile::encodeName(csv).constData(), 0600), 0); break;
        case EPlanted::LinkToAnotherFile: ASSERT_TRUE(QFile::link(other, csv)); break;
        case EPlanted::Folder: ASSERT_TRUE(QDir().mkdir(csv)); break;
        }
        QStringList sim = {QStringLiteral("--rate"), QStringLiteral("0")};
        if (c.samples)
            sim << QStringLiteral("--events-every") << QStringLiteral("300");
        const CSimProcess terminal(sim);
        ASSERT_FALSE(terminal.Device().isEmpty());
        const std::string dir = folder.path().toStdString();
        // Never held up by a FIFO: the run ends with its time limit.
        const SCliRun run = RunCli({QStringLiteral("--port"), terminal.Device(), QStringLiteral("--timeout"),
                                    QStringLiteral("2"), QStringLiteral("monitor")},
                                   20000, {.inChild = [dir] { (void)!chdir(dir.c_str()); }});
        const int planted = static_cast<int>(c.planted);
        EXPECT_EQ(run.exitCode, 0) << planted << run.err << run.out;
        EXPECT_EQ(ReadBytes(other), otherBytes) << planted;
        const QFileInfo entry(csv);
        switch (c.planted) {
        case EPlanted::Nothing: EXPECT_FALSE(entry.exists() || entry.isSymLink()) << "no sample, no file"; break;
        case EPlanted::Fifo:
        case EPlanted::LinkToAnotherFile:
        case EPlanted::Folder:
            EXPECT_FALSE(entry.isFile() && !entry.isSymLink()) << planted;
            EXPECT_NE(run.err.find("the realtime samples are not written"), std::string::npos) << planted << run.err;
            break;
        }
    }
}

} // namespace
} // namespace orlan::test

// The record and event pages against orlan-sim: realtime samples fill the
// list and the running file line for line, Sync with RTU brings the stored
// log whose export holds every replayed record, event lines fill the event
// list, and the periodic feed reaches all three.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "SimProcess.h"
#include "SessionOverSerial.h"
#include "pages/logs/EventsPage.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"
#include "pages/logs/RecordCsv.h"

namespace orlan::test {
namespace {

// The running file as a program without windows keeps it.
class CAppendFile final : public IRecordFile {
public:
    explicit CAppendFile(const QString& path) : m_file(path) { m_file.open(QIODevice::WriteOnly | QIODevice::Append); }
    bool IsOpen() const override { return m_file.isOpen(); }
    void Append(std::string_view bytes) override
    {
        m_file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        m_file.flush();
    }

private:
    QFile m_file;
};

class LogsPagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sim.Device().isEmpty());
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(console.ReadAll());
    }

    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{sim.Device()};
    CPageExTmpRcd& realtime = dynamic_cast<CPageExTmpRcd&>(console.Page("CPageExTmpRcd"));
    CPageExtTmpLog& log = dynamic_cast<CPageExtTmpLog&>(console.Page("CPageExtTmpLog"));
    CPageEvents& events = dynamic_cast<CPageEvents&>(console.Page("CPageEvents"));
    QTemporaryDir folder;
};

TEST_F(LogsPagesEndToEnd, RealtimeSamplesFillTheListAndTheFileLineForLine)
{
    const QString path = folder.filePath(QString::fromLatin1(CPageExTmpRcd::kLogFileName));
    CAppendFile file(path);
    realtime.SetRecordFile(&file);
    // A whole read's "$" lines (a name's hex holds "0033") are no records.
    EXPECT_EQ(realtime.Records(), 0);
    ASSERT_TRUE(sim.Control(QStringLiteral("temp 12")));
    ASSERT_TRUE(PumpUntil([&] { return realtime.List().Rows() == 12; }, CSessionOverSerial::kPatience));
    realtime.SetRecordFile(nullptr);
    EXPECT_EQ(realtime.Records(), 12) << "the counter says what the list holds";
    EXPECT_EQ(log.List().Rows(), 0u) << "samples are no stored records";

    // The file holds the rows oldest first, exactly as the list shows them.
    std::string expected;
    for (size_t row = realtime.List().Rows(); row-- > 0;)
        expected += CsvLine(realtime.List(), row);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), expected);
    EXPECT_EQ(realtime.List().Cell(0, CTempRecordPage::StateColumn(4)), "2") << "sensor 4 is not connected";
}

TEST_F(LogsPagesEndToEnd, SyncWithRtuThenExportGivesTheReplayedRecords)
{
    ASSERT_TRUE(sim.Control(QStringLiteral("temp 1")));
    ASSERT_TRUE(console.session.RunAction(log, CPageExtTmpLog::kSyncAction, std::nullopt));
    ASSERT_TRUE(PumpUntil([&] { return log.List().Rows() == 24; }, CSessionOverSerial::kPatience));
    EXPECT_EQ(log.StatusText(), "24 Rcd; Alarm 4");
    const std::string exported = log.ExportBytes();
    EXPECT_EQ(std::count(exported.begin(), exported.end(), '\n'), 24);
    EXPECT_TRUE(exported.starts_with("24-05-01 23:00,NORMAL,24.00,ALARM,9.25,NORMAL,-15.50,NORMAL,23.50,2,,2,,\r\n"))
        << exported.substr(0, 100);
    EXPECT_TRUE(exported.ends_with("24-05-01 00:00,NORMAL,21.50,NORMAL,4.25,NORMAL,-18.00,NORMAL,21.00,2,,2,,\r\n"));

    // A second sync starts the list over.
    ASSERT_TRUE(console.session.RunAction(log, CPageExtTmpLog::kSyncAction, std::nullopt));
    EXPECT_LT(log.List().Rows(), 24u);
    ASSERT_TRUE(PumpUntil([&] { return log.List().Rows() == 24; }, CSessionOverSerial::kPatience));
    EXPECT_EQ(log.ExportBytes(), exported);
}

TEST_F(LogsPagesEndToEnd, EventLinesFillTheEventList)
{
    ASSERT_TRUE(sim.Control(QStringLiteral("event 3")));
    ASSERT_TRUE(PumpUntil([&] { return events.List().Rows() == 3; }, CSessionOverSerial::kPatience));
    EXPECT_EQ(events.List().Cell(0, 0), "Digital inputs: Alarm, Sms");
    EXPECT_EQ(events.List().Cell(2, 1), "1 Level");
}

TEST(LogsPagesPeriodicFeed, TheTerminalsOwnFeedReachesAllThreePages)
{
    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0"),
                     QStringLiteral("--events-every"), QStringLiteral("50")}};
    ASSERT_FALSE(sim.Device().isEmpty());
    CSessionOverSerial console{sim.Device()};
    auto& realtime = dynamic_cast<CPageExTmpRcd&>(console.Page("CPageExTmpRcd"));
    auto& events = dynamic_cast<CPageEvents&>(console.Page("CPageEvents"));
    ASSERT_TRUE(PumpUntil([&] { return realtime.List().Rows() >= 5 && events.List().Rows() >= 5; },
                          CSessionOverSerial::kPatience));
    EXPECT_TRUE(dynamic_cast<CPageExtTmpLog&>(console.Page("CPageExtTmpLog")).List().Rows() == 0);
}

} // namespace
} // namespace orlan::test

#include <gtest/gtest.h>

#include "pages/AllPages.h"
#include "session/StatusOverview.h"
#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan {
namespace {


class StatusOverviewTest : public ::testing::Test {
protected:
    StatusOverviewTest()
    {
        for (auto& page : CreateAllPages())
            session.AddPage(std::move(page));
        // The overview hears every line, as the window and the CLI attach it.
        session.AddLineObserver([this](std::string_view line) { overview.OnLine(line); });
    }

    // Lines arrive at the clock's time, then it moves on.
    void Arrive(std::string_view lines, int64_t thenMs = 0)
    {
        const std::string bytes(lines);
        session.Receive().OnSerialData(bytes.data(), bytes.size());
        clock.Advance(thenMs);
    }

    test::CManualClock clock;
    test::CRecordingSink sink;
    ISessionView view;
    CTerminalSession session{view, sink, clock};
    CStatusOverview overview{session, [this] { return clock.NowMs(); }};
};

TEST_F(StatusOverviewTest, NothingReportedIsUnreportedEverywhere)
{
    const SStatus status = overview.Snapshot(nullptr);
    EXPECT_FALSE(status.lastLine.Reported());
    for (const SStatusLamp& lamp : status.inputs)
        EXPECT_FALSE(lamp.state.Reported());
    for (const SStatusAnalog& channel : status.analog) {
        EXPECT_FALSE(channel.reading.Reported());
        EXPECT_FALSE(channel.low.has_value());
    }
    EXPECT_FALSE(status.internalTemp.reading.Reported());
    EXPECT_FALSE(status.humidity.reading.Reported());
    EXPECT_TRUE(status.events.empty());
    EXPECT_TRUE(status.unitId.empty());
}

struct SLiveCase {
    const char* line;
    // What the line reports: which value, its text and, for readings with a
    // trend, the number added.
    std::function<const SReported&(const SStatus&)> value;
    const char* text;
};

TEST_F(StatusOverviewTest, EachLiveLineReportsItsValueAtItsTime)
{
    const SLiveCase cases[] = {
        {"*IOI 2 0", [](const SStatus& s) -> const SReported& { return s.inputs[2].state; }, "0"},
        {"*IOO 7 1", [](const SStatus& s) -> const SReported& { return s.outputs[7].state; }, "1"},
        {"*AINC3 23.10", [](const SStatus& s) -> const SReported& { return s.analog[3].reading; }, "23.10"},
        {"*TMPC 23.50", [](const SStatus& s) -> const SReported& { return s.internalTemp.reading; }, "23.50"},
        {"*HUMIDITY 45", [](const SStatus& s) -> const SReported& { return s.humidity.reading; }, "45"},
        {"$HUMC 47", [](const SStatus& s) -> const SReported& { return s.humidity.reading; }, "47"},
        {"$TR000001ET3324-05-01 10:0003021.50,221.00,1-4.25,",
         [](const SStatus& s) -> const SReported& { return s.external[2].reading; }, "-4.25"},
    };
    int64_t at = 1000;
    for (const SLiveCase& c : cases) {
        SCOPED_TRACE(c.line);
        clock.Advance(at - clock.NowMs());
        Arrive(std::string(c.line) + "\r\n", 5000);
        const SStatus status = overview.Snapshot(nullptr);
        const SReported& value = c.value(status);
        EXPECT_EQ(value.text, c.text);
        ASSERT_TRUE(value.Reported());
        EXPECT_EQ(*value.atMs, at);
        EXPECT_EQ(value.AgeMs(clock.NowMs()), 5000);
        EXPECT_EQ(status.lastLine.text, c.line);
        at += 10000;
    }
    // A disconnected sensor's entry (state 2) reports nothing of it.
    EXPECT_FALSE(overview.Snapshot(nullptr).external[1].reading.Reported());
    EXPECT_EQ(overview.Snapshot(nullptr).external[0].reading.text, "21.50");
}

TEST_F(StatusOverviewTest, MalformedLiveLinesReportNothing)
{
    for (const char* line : {"*IOX 1 0\r\n", "*IOI  \r\n", "*IOI 9 0\r\n", "*AINC\r\n", "*AINC7 1.0\r\n",
                             "*AINCx 1.0\r\n", "$TR000001ET8324-05-01 10:0001021.50,\r\n"})
        Arrive(line);
    const SStatus status = overview.Snapshot(nullptr);
    for (const SStatusLamp& lamp : status.inputs)
        EXPECT_FALSE(lamp.state.Reported());
    for (const SStatusAnalog& channel : status.analog)
        EXPECT_FALSE(channel.reading.Reported());
    EXPECT_FALSE(status.external[0].reading.Reported());
    EXPECT_TRUE(status.lastLine.Reported());
}

TEST_F(StatusOverviewTest, SettingsComeFromThePagesAndLampsFollowTheirState)
{
    Arrive("$DID 100234\r\n$DINAME1 00570069006E0064006F0077\r\n$DONAME0 0053006900720065006E\r\n"
           "$ITP1 2\r\n$ADINH0 30.00\r\n$ADINL0 5.00\r\n*ADC_EN 0 1\r\n$AINTPE0 1\r\n"
           "*IOI 1 0\r\n*IOI 2 1\r\n*IOO 0 1\r\n*IOO 1 0\r\n");
    const SStatus status = overview.Snapshot(nullptr);
    EXPECT_EQ(status.unitId, "100234");
    EXPECT_EQ(status.inputs[1].name, "Window");
    EXPECT_EQ(status.outputs[0].name, "Siren");
    EXPECT_FALSE(status.inputs[1].type.empty());
    EXPECT_TRUE(status.inputs[0].type.empty()) << "a type never reported";
    EXPECT_EQ(status.analog[0].high, 30.0);
    EXPECT_EQ(status.analog[0].low, 5.0);
    EXPECT_EQ(status.analog[0].enabled, true);
    EXPECT_EQ(status.analog[0].kind, EAnalogKind::Current);
    EXPECT_FALSE(status.analog[1].high.has_value());
    // Inputs are lit when closed ("0"), outputs when closed ("1").
    EXPECT_TRUE(status.inputs[1].lit);
    EXPECT_FALSE(status.inputs[2].lit);
    EXPECT_TRUE(status.outputs[0].lit);
    EXPECT_FALSE(status.outputs[1].lit);
    EXPECT_FALSE(status.outputs[2].lit) << "never reported";
}

TEST_F(StatusOverviewTest, TrendsKeepTheLatestSamplesAndEventsTheNewestFirst)
{
    for (size_t i = 0; i < CStatusOverview::kTrendSamples + 5; ++i)
        Arrive("*TMPC " + std::to_string(i) + ".00\r\n", 1000);
    Arrive("*TMPC not a number\r\n");
    const SStatus status = overview.Snapshot(nullptr);
    ASSERT_EQ(status.internalTemp.trend.size(), CStatusOverview::kTrendSamples);
    EXPECT_EQ(status.internalTemp.trend.front(), 5.0);
    EXPECT_EQ(status.internalTemp.trend.back(), static_cast<double>(CStatusOverview::kTrendSamples + 4));
    EXPECT_EQ(status.internalTemp.reading.text, "not a number");

    for (int i = 1; i <= 8; ++i)
        Arrive("$:\"" + std::to_string(i) + "\",\"DIN 1 ALARM\",\"1 Door\",\"\",\"\",\"\",\"sent\"\r\n");
    const SStatus withEvents = overview.Snapshot(nullptr);
    ASSERT_EQ(withEvents.events.size(), CStatusOverview::kEvents);
    EXPECT_NE(withEvents.events.front().what.find("Door"), std::string::npos);
    EXPECT_TRUE(withEvents.lastEvent.Reported());
}

TEST(StatusAge, AgesReadAsAPersonSaysThem)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0 s"}, {59999, "59 s"}, {60000, "1 min"}, {3599999, "59 min"}, {3600000, "1 h"}, {90000000, "1 d"},
        {-5, "0 s"}};
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(AgeText(ms), text) << ms;
}

} // namespace
} // namespace orlan

// Never write what was not read, over the real channel against orlan-sim:
// a terminal that reports every setting gets today's bytes (nothing is left
// out), and one that reports only part of them is left as it was by every
// page's Save without an edit.
#include <gtest/gtest.h>

#include "SessionOverSerial.h"
#include "SimProcess.h"
#include "pages/KnownValues.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

// What the pages hold that the terminal reported: every known setting and
// cell (growing lists of live lines and records aside).
std::string ReportedState(const CTerminalSession& session)
{
    std::string out;
    for (const auto& page : session.Pages()) {
        const CFieldSet& f = page->Fields();
        for (size_t i = 0; i < f.Size(); ++i) {
            if (f.IsKnown(i) && !f.Desc(i).readOnly)
                out += page->Info().className + "." + f.Desc(i).id + "=" + f.Value(i).text + "/"
                       + std::to_string(f.Value(i).number) + "\n";
        }
        for (const CPageTable& table : page->Tables()) {
            if (table.Desc().order != ERowOrder::Fixed)
                continue;
            for (size_t r = 0; r < table.Rows(); ++r) {
                for (size_t c = 0; c < table.Desc().dataColumns; ++c) {
                    if (table.IsKnown(r, c))
                        out += page->Info().className + "." + table.Desc().id + "[" + std::to_string(r) + ","
                               + std::to_string(c) + "]=" + table.Cell(r, c) + "\n";
                }
            }
        }
    }
    return out;
}

// The lines of `a` that `b` lacks.
std::string Missing(const std::string& a, const std::string& b)
{
    std::string out;
    size_t start = 0;
    while (start < a.size()) {
        const size_t end = a.find('\n', start) + 1;
        const std::string line = a.substr(start, end - start);
        if (b.find(line) == std::string::npos)
            out += line;
        start = end;
    }
    return out;
}

std::string LeftOutLines(const std::vector<SLeftOut>& leftOut)
{
    std::string text;
    for (const SLeftOut& left : leftOut)
        text += LeftOutText(left) + "\n";
    return text;
}

TEST(KnownValuesEndToEnd, ACompleteTerminalLeavesNothingOut)
{
    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{sim.Device()};
    ASSERT_TRUE(console.ReadAll());
    for (const auto& page : console.session.Pages()) {
        // The terminal reports none of the UPS settings: that Save writes
        // only what is typed.
        if (!page->Info().hasWriteBack || page->Info().className == "CPageUps")
            continue;
        std::vector<SLeftOut> leftOut;
        KnownSaveJob(*page, leftOut);
        EXPECT_EQ(LeftOutLines(leftOut), "") << page->Info().className;
    }
    std::vector<SLeftOut> leftOut;
    console.session.ProfileBytes(&leftOut);
    EXPECT_EQ(LeftOutLines(leftOut), "");
}

class PartlyReporting : public ::testing::TestWithParam<const char*> {};

// Share of the settings left out, and which (the seed).
INSTANTIATE_TEST_SUITE_P(KnownValuesEndToEnd, PartlyReporting, ::testing::Values("30:1", "60:5"));

TEST_P(PartlyReporting, SavingEveryPageUneditedLeavesTheTerminalAsItWas)
{
    const QStringList share = QString::fromLatin1(GetParam()).split(u':');
    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0"),
                     QStringLiteral("--omit-share"), share[0], QStringLiteral("--seed"), share[1]}};
    CSessionOverSerial console{sim.Device()};
    ASSERT_TRUE(console.ReadAll());
    const std::string before = ReportedState(console.session);
    size_t leftOut = 0;
    for (const auto& page : console.session.Pages()) {
        if (!page->Info().hasWriteBack)
            continue;
        const size_t reports = console.reports.size();
        console.session.WriteBack(*page);
        ASSERT_TRUE(PumpUntil([&] { return console.reports.size() > reports && !console.session.Queue().Busy(); },
                              CSessionOverSerial::kPatience))
            << page->Info().className;
        leftOut += console.reports.back().leftOut.size();
    }
    // Something was left out, and said: the test would prove nothing else.
    EXPECT_GT(leftOut, 0u);
    ASSERT_TRUE(console.ReadAll());
    const std::string after = ReportedState(console.session);
    EXPECT_EQ(Missing(before, after), "");
    EXPECT_EQ(Missing(after, before), "");
}

// A profile saved from a terminal that reports part of its settings holds
// only those; executed on a terminal that holds them all, it changes nothing.
TEST(KnownValuesEndToEnd, AProfileFromAPartlyReportingTerminalChangesNothingOnACompleteOne)
{
    std::string profile;
    {
        CSimProcess partial{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0"),
                             QStringLiteral("--omit-share"), QStringLiteral("40"), QStringLiteral("--seed"),
                             QStringLiteral("3")}};
        CSessionOverSerial console{partial.Device()};
        ASSERT_TRUE(console.ReadAll());
        std::vector<SLeftOut> leftOut;
        profile = console.session.ProfileBytes(&leftOut);
        EXPECT_FALSE(leftOut.empty());
    }
    CSimProcess complete{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{complete.Device()};
    ASSERT_TRUE(console.ReadAll());
    const std::string before = ReportedState(console.session);
    // A complete profile holds every page's section: the run takes a while.
    ASSERT_TRUE(console.RunProfile(profile, std::chrono::minutes(3)));
    EXPECT_TRUE(console.reports.back().AllAccepted()) << console.reports.back().Summary();
    ASSERT_TRUE(PumpUntil([&] { return console.wholeReads == 2; }, CSessionOverSerial::kPatience));
    const std::string after = ReportedState(console.session);
    EXPECT_EQ(Missing(before, after), "");
    EXPECT_EQ(Missing(after, before), "");
}

} // namespace
} // namespace orlan::test

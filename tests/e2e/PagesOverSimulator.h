#pragma once
// The fixture of the page families' end-to-end tests: the simulator logged
// in from the start, a session with every page over the serial channel to
// it, and the whole read done.
#include <gtest/gtest.h>

#include "SessionOverSerial.h"
#include "SimProcess.h"

namespace orlan::test {

class CPagesOverSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(sim.Device().isEmpty());
        ASSERT_TRUE(console.ReadAll());
    }

    // Waits for the job started by `start` to end and `done` to hold; every
    // command of it must be accepted, `sent` of them written.
    template <typename TStart, typename TDone>
    void RunUntil(TStart start, TDone done, int sent)
    {
        const size_t before = console.reports.size();
        start();
        ASSERT_TRUE(PumpUntil([&] { return console.reports.size() > before && done(); },
                              CSessionOverSerial::kPatience));
        const SJobReport& report = console.reports.back();
        EXPECT_TRUE(report.AllAccepted()) << report.Summary();
        EXPECT_EQ(report.sent, sent);
    }

    CSimProcess sim{{QStringLiteral("--no-login"), QStringLiteral("--rate"), QStringLiteral("0")}};
    CSessionOverSerial console{sim.Device()};
};

} // namespace orlan::test

// Views that change on every received line draw at most once a frame: the
// first change at once, the rest of the frame's changes in one refresh at
// its end, the newest value winning.
#include <gtest/gtest.h>

#include <string>

#include "app/ElidingLabel.h"
#include "app/ProgressModel.h"
#include "app/SysProgress.h"
#include "support/QtTestSupport.h"
#include "widgets/FrameThrottle.h"

namespace orlan::test {
namespace {

TEST(FrameRefresh, ManyChangesInOneTurnRefreshOnceNowAndOnceAtTheFramesEnd)
{
    QObject owner;
    int refreshes = 0;
    CFrameThrottle throttle(&owner, [&refreshes] { ++refreshes; });
    throttle.Flush();
    EXPECT_EQ(refreshes, 0) << "nothing owed, nothing run";

    for (int i = 0; i < 100; ++i)
        throttle.Request();
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(throttle.Pending());
    ASSERT_TRUE(PumpUntil([&] { return !throttle.Pending(); }));
    EXPECT_EQ(refreshes, 2);

    throttle.Request();
    throttle.Flush();
    EXPECT_EQ(refreshes, 3) << "a reader may take what is owed at once";
    EXPECT_FALSE(throttle.Pending());
    EXPECT_EQ(throttle.Refreshes(), refreshes);
}

TEST(FrameRefresh, StatusLabelShowsTheNewestTextByTheFramesEnd)
{
    CElidingLabel label;
    for (int i = 0; i < 100; ++i)
        label.SetFullText(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(label.Refresh().Refreshes(), 1);
    EXPECT_EQ(label.text(), "line 0");
    EXPECT_EQ(label.FullText(), "line 99");
    ASSERT_TRUE(PumpUntil([&] { return label.text() == QStringLiteral("line 99"); }));
    EXPECT_EQ(label.toolTip(), "line 99");

    const int before = label.Refresh().Refreshes();
    label.SetFullText(QStringLiteral("line 99"));
    EXPECT_EQ(label.Refresh().Refreshes(), before) << "the same text is no change";
    EXPECT_FALSE(label.Refresh().Pending());
}

TEST(FrameRefresh, ProgressPanelDrawsTheNewestLineByTheFramesEnd)
{
    CProgressModel model({"Please wait...", "Reading", "Writing"});
    CSysProgress panel(model);
    for (int i = 0; i < 100; ++i)
        model.ShowLine(4, "$DID " + std::to_string(i));
    EXPECT_EQ(panel.Throttle().Refreshes(), 1);
    EXPECT_EQ(panel.LineText(), "$DID 0");
    EXPECT_EQ(panel.CaptionText(), "Reading");
    ASSERT_TRUE(PumpUntil([&] { return panel.LineText() == QStringLiteral("$DID 99"); }));
    EXPECT_EQ(panel.Throttle().Refreshes(), 2);
}

} // namespace
} // namespace orlan::test

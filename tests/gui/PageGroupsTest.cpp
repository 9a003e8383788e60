// Pages show the captions that tell their parts apart: the daily report's
// items in their box, the two kinds of interval timer, the SMS and call
// grids, the low-signal threshold beside its switch.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>

#include "MainWindowTestSupport.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"

namespace orlan::test {
namespace {

TEST(PageGroups, CaptionsTellThePartsOfAPageApart)
{
    ForgetSettings();
    SStartOptions options = TestOptions();
    options.port = PortInput{199, {}};
    COrlanDlg window(ShippedCatalogue(), options);
    auto view = [&window](const char* key) {
        return dynamic_cast<CGenericPageView*>(window.Pages().ViewOf(QString::fromLatin1(key)));
    };
    auto boxTitle = [&](const char* key, const char* group) {
        const CGenericPageView* page = view(key);
        const QGroupBox* box = page != nullptr ? page->Form()->GroupBox(group) : nullptr;
        return box != nullptr ? box->title() : QString();
    };

    EXPECT_EQ(boxTitle("PAGE_ALARM", "dailyReport"), QStringLiteral("Daily report contents"));
    const QStringList timers = {boxTitle("PAGE_TIMERS", "clockTimers"), boxTitle("PAGE_TIMERS", "minuteTimers"),
                                boxTitle("PAGE_TIMERS", "secondTimers")};
    EXPECT_EQ(timers, (QStringList{"Clock timers", "Minute-interval timers", "Second-interval timers"}));

    // The threshold sits in the switch's box, with a label of its own.
    const CGenericPageView* main = view("PAGE_BASIC");
    ASSERT_NE(main, nullptr);
    const QGroupBox* lowSignal = main->Form()->GroupBox("lowSignal");
    ASSERT_NE(lowSignal, nullptr);
    EXPECT_TRUE(lowSignal->isAncestorOf(main->Form()->FieldWidget("signalLow")));
    EXPECT_TRUE(lowSignal->isAncestorOf(main->Form()->FieldWidget("signalAlarm")));
    bool labelled = false;
    for (const QLabel* label : lowSignal->findChildren<QLabel*>())
        labelled = labelled || (label->buddy() == main->Form()->FieldWidget("signalLow") && !label->text().isEmpty());
    EXPECT_TRUE(labelled);

    const CGenericPageView* zones = view("PAGE_WINPRIO");
    ASSERT_NE(zones, nullptr);
    QStringList grids;
    for (const char* name : {"smsCaption", "ringCaption"}) {
        const auto* caption = zones->findChild<QLabel*>(QString::fromLatin1(name));
        grids.append(caption != nullptr ? caption->text() : QString());
    }
    EXPECT_EQ(grids, (QStringList{"SMS", "Call"}));
    ForgetSettings();
}

} // namespace
} // namespace orlan::test

// What the analog pages add to the generic views: a button per channel that
// opens that channel's dialog whatever is selected, a dialog named by its
// editor, a refusal shown in the dialog, and a list that says it has no
// selection.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "ViewTestSupport.h"
#include "pages/analog/AdCalibration.h"
#include "pages/analog/AdPage.h"
#include "pages/analog/TempPage.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"
#include "widgets/PageViewFactory.h"
#include "widgets/RowDialog.h"

namespace orlan::test {
namespace {

constexpr std::string_view kCatalogue = R"(
[PageADC]
TITLE=Analog inputs
ADC_CAL2=Calibrate AIN2
CAL_TITLE=Calibration
[PageTmp100]
NOTSET=not set
[SYSMSG]
ADC_CAL_RANGE=The ends must differ
[Buttons]
OK=OK
)";

class AnalogViews : public ::testing::Test {
protected:
    AnalogViews() { catalogue.BindText(kCatalogue); }

    std::unique_ptr<CGenericPageView> ViewOf(CPage& page)
    {
        return std::unique_ptr<CGenericPageView>(
            static_cast<CGenericPageView*>(CreatePageView(page, session, catalogue, nullptr)));
    }

    CRecordingSink sink;
    CManualClock clock;
    CBusyRecordingView view;
    CTerminalSession session{view, sink, clock};
    CLabelCatalogue catalogue;
};

TEST_F(AnalogViews, ChannelButtonOpensThatChannelsCalibration)
{
    CPage& page = session.AddPage(std::make_unique<CPageAD>());
    const auto pageView = ViewOf(page);
    QPushButton* button = pageView->findChild<QPushButton*>(QStringLiteral("calibrate2Button"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Calibrate AIN2"));
    ASSERT_TRUE(button->isEnabled());  // no row to select first
    button->click();
    auto* dialog = pageView->findChild<CRowDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("AIN2: Calibration"));

    auto* low = qobject_cast<QLineEdit*>(dialog->Form()->FieldWidget(kCalInLow));
    auto* high = qobject_cast<QLineEdit*>(dialog->Form()->FieldWidget(kCalInHigh));
    ASSERT_NE(low, nullptr);
    ASSERT_NE(high, nullptr);
    low->setText(QStringLiteral("4"));
    high->setText(QStringLiteral("4"));
    dialog->Buttons()->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->ErrorText(), QStringLiteral("The ends must differ"));
    EXPECT_TRUE(sink.blocks.empty());

    high->setText(QStringLiteral("20"));
    dialog->Buttons()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(sink.blocks.size(), 1u);  // the first of its commands, waiting for an answer
    EXPECT_TRUE(sink.blocks.front().starts_with("%AIN2SC")) << sink.blocks.front();
}

TEST_F(AnalogViews, OutputListWithoutSelectionSaysSo)
{
    CPage& page = session.AddPage(std::make_unique<CPageTemp>());
    const auto pageView = ViewOf(page);
    auto* list = qobject_cast<QComboBox*>(pageView->Form()->FieldWidget("highOutput"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(list->placeholderText(), QStringLiteral("not set"));
}

} // namespace
} // namespace orlan::test

// The Modbus register dialog as the generic views draw it: OK refused
// without a type, a change of the type showing its fields at once, clicks on
// the channel grid making the mask of the row batch.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>

#include "ViewTestSupport.h"
#include "pages/fieldbus/MbusParamsPage.h"
#include "pages/fieldbus/ModmasterSetupDlg.h"
#include "support/QtTestSupport.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"
#include "widgets/PageViewFactory.h"
#include "widgets/RowDialog.h"
#include "widgets/TableView.h"

namespace orlan::test {
namespace {

using namespace fieldbus;

class FieldbusRegisterDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(catalogue.Bind(std::filesystem::path(ORLAN_SOURCE_DIR) / "gsm.ini"));
        page = static_cast<CPageMbusParams*>(&session.AddPage(std::make_unique<CPageMbusParams>()));
        view.reset(static_cast<CGenericPageView*>(CreatePageView(*page, session, catalogue, nullptr)));
    }
    CRowDialog* Open(size_t row, std::initializer_list<std::string_view> lines)
    {
        for (std::string_view line : lines) {
            const std::string bytes = std::string(line) + "\r\n";
            session.Receive().OnSerialData(bytes.data(), bytes.size());
        }
        view->EditRow(0, row);
        auto* dialog = view->findChild<CRowDialog*>();
        EXPECT_NE(dialog, nullptr);
        if (dialog) {
            EXPECT_TRUE(PumpUntil([dialog] { return dialog->isVisible(); }));
        }
        return dialog;
    }
    static bool Visible(CRowDialog* dialog, std::string_view id)
    {
        QWidget* widget = dialog->Form()->FieldWidget(id);
        return widget != nullptr && widget->isVisibleTo(dialog);
    }
    static void ClickMark(CTableView* grid, int column)
    {
        const QPoint at = grid->visualRect(grid->model()->index(0, column)).center();
        SendMouse(grid->viewport(), QEvent::MouseButtonPress, at);
        SendMouse(grid->viewport(), QEvent::MouseButtonRelease, at);
    }

    CRecordingSink sink;
    CManualClock clock;
    CBusyRecordingView sessionView;
    CTerminalSession session{sessionView, sink, clock};
    CLabelCatalogue catalogue;
    CPageMbusParams* page = nullptr;
    std::unique_ptr<CGenericPageView> view;
};

TEST_F(FieldbusRegisterDialog, TheTypeSwitchesItsFieldsAtOnceAndTheMarksMakeTheMask)
{
    // The whole row but its type, which names none.
    CRowDialog* dialog = Open(6, {"$MDMAS06,2,7,9,1", "$MDMTX06,0", "$MDMSC06,1.0", "$MDMCG06,10", "$MDBAS06,0",
                                  "$MDMSK06,3", "$MDLKO06,9", "$MDLAG06,2"});
    ASSERT_NE(dialog, nullptr);
    auto* type = qobject_cast<QComboBox*>(dialog->Form()->FieldWidget(kTypeField));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->currentIndex(), -1);
    QPushButton* ok = dialog->Buttons()->button(QDialogButtonBox::Ok);
    ok->click();
    EXPECT_TRUE(dialog->isVisible()) << "no type, no OK";
    EXPECT_TRUE(sink.blocks.empty());

    type->setCurrentIndex(kInput);
    EXPECT_TRUE(Visible(dialog, kGainField));
    EXPECT_TRUE(Visible(dialog, kByteInverseField));
    EXPECT_FALSE(Visible(dialog, kStateField));
    type->setCurrentIndex(kCoil);
    EXPECT_TRUE(Visible(dialog, kStateField));
    EXPECT_FALSE(Visible(dialog, kGainField));

    // The register column keeps its width, the marks share the rest.
    CTableView* grid = dialog->TableViews().at(0);
    EXPECT_NE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Stretch);
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(10), QHeaderView::Stretch);
    EXPECT_EQ(grid->CellText(0, 0), "6");
    for (int column : {1, 3, 10, 10, 0})
        ClickMark(grid, column);
    ok->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    for (int i = 0; i < 20 && session.Queue().Busy(); ++i)
        session.OnAnswer(EAnswer::CmdOk);
    ASSERT_GE(sink.blocks.size(), 2u);
    EXPECT_EQ(sink.blocks[1], "%mdmas06=2,7,0,1,1.0,10,0,3,255,2,00000005\r");
}

} // namespace
} // namespace orlan::test

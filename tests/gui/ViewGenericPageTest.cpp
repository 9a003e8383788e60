// The generic page view drawn from a page description: widgets and labels,
// edits into the page, coalesced refreshes, write-back, row dialog, fields
// that act at once and the page buttons.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include "support/QtTestSupport.h"
#include "ViewTestSupport.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"
#include "widgets/PageViewFactory.h"
#include "widgets/RowDialog.h"
#include "widgets/TableView.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

class GenericPageViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_view.reset(static_cast<CGenericPageView*>(CreatePageView(*h.page, h.session, h.catalogue, nullptr)));
        m_view->resize(900, 900);
    }

    template <typename T>
    T* Field(std::string_view id) const
    {
        return qobject_cast<T*>(m_view->Form()->FieldWidget(id));
    }
    CTableView* Phones() const { return m_view->TableViews().at(0); }
    CRowDialog* OpenDialog() const { return m_view->findChild<CRowDialog*>(); }
    void ShowAndLayOut()
    {
        m_view->show();
        ASSERT_TRUE(PumpUntil([this] { return Phones()->viewport()->rect().contains(RowCentre(*Phones(), 9)); }));
    }
    // Waits for the coalesced refresh.
    bool RefreshedUntil(const std::function<bool()>& done) const { return PumpUntil(done); }

    SViewHarness h;
    std::unique_ptr<CGenericPageView> m_view;
};

TEST_F(GenericPageViewTest, DrawsEveryVisibleFieldWithItsCatalogueTexts)
{
    EXPECT_EQ(m_view->Page(), h.page);
    EXPECT_EQ(m_view->findChild<QLabel*>("heading")->text(), "Main parameters");

    ASSERT_NE(Field<QLineEdit>("unitId"), nullptr);
    EXPECT_EQ(m_view->findChild<QLabel*>("unitIdLabel")->text(), "Unit ID");
    EXPECT_EQ(m_view->findChild<QLabel*>("unitIdHint")->text(), "Identifies the unit in its messages");
    EXPECT_EQ(Field<QLineEdit>("unitId")->toolTip(), "Identifies the unit in its messages");
    ASSERT_NE(Field<QPlainTextEdit>("memo"), nullptr);
    EXPECT_EQ(m_view->findChild<QLabel*>("memoLabel")->text(), "Memo");
    ASSERT_NE(Field<QCheckBox>("das"), nullptr);
    EXPECT_EQ(Field<QCheckBox>("das")->text(), "Data acquisition");

    QComboBox* smsMode = Field<QComboBox>("smsMode");
    ASSERT_NE(smsMode, nullptr);
    ASSERT_EQ(smsMode->count(), 2);
    EXPECT_EQ(smsMode->itemText(1), "1: TEXT");
    EXPECT_EQ(smsMode->currentIndex(), 1);
    QComboBox* day = Field<QComboBox>("day");
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->itemText(0), "0: Sunday");
    EXPECT_EQ(day->itemText(1), "1: Monday");
    EXPECT_EQ(day->currentIndex(), -1);

    QSpinBox* csqLow = Field<QSpinBox>("csqLow");
    ASSERT_NE(csqLow, nullptr);
    EXPECT_EQ(csqLow->minimum(), -1) << "one blank step below the range";
    EXPECT_EQ(csqLow->maximum(), 36);
    EXPECT_EQ(csqLow->value(), -1);
    EXPECT_TRUE(csqLow->text().trimmed().isEmpty()) << "an empty field shows no number";
    EXPECT_EQ(m_view->findChild<QLabel*>("csqLowLabel")->text(), "Signal low threshold");

    QHeaderView* header = Phones()->horizontalHeader();
    EXPECT_EQ(Phones()->model()->headerData(0, Qt::Horizontal).toString(), "Entry");
    EXPECT_EQ(Phones()->model()->headerData(1, Qt::Horizontal).toString(), "Number");
    EXPECT_EQ(header->count(), 2);
    ASSERT_EQ(Phones()->rowCount(), 10);
    EXPECT_EQ(Phones()->CellText(0, 0), "No.0");
    EXPECT_EQ(Phones()->CellText(9, 0), "No.9");

    EXPECT_EQ(m_view->ReadButton()->text(), "Reload");
    ASSERT_NE(m_view->WriteButton(), nullptr);
    EXPECT_EQ(m_view->WriteButton()->text(), "Save");
}

TEST_F(GenericPageViewTest, HiddenFieldsHaveNoWidgetsAndKeepTheirValuesThroughWriteBack)
{
    EXPECT_EQ(m_view->Form()->FieldWidget("bps"), nullptr);
    EXPECT_EQ(m_view->findChild<QWidget*>("bps"), nullptr);
    EXPECT_EQ(m_view->findChild<QLabel*>("bpsLabel"), nullptr);

    h.page->Fields().SetText("bps", "115200");
    h.page->NotifyChanged();
    m_view->Refresh();
    m_view->WriteButton()->click();
    h.AnswerAll();
    const Blocks& sent = h.sink.blocks;
    EXPECT_NE(std::find(sent.begin(), sent.end(), "%UB115200\r"), sent.end());
    EXPECT_EQ(std::find_if(sent.begin(), sent.end(), [](const std::string& c) { return c.starts_with("%RSILOW"); }),
              sent.end())
        << "an untouched value the terminal never reported is not written";
}

TEST_F(GenericPageViewTest, UserEditsGoIntoThePageFieldsAsTheyAreMade)
{
    TypeText(Field<QLineEdit>("unitId"), "12ab");
    EXPECT_EQ(h.page->Fields().Text("unitId"), "12ab");

    TypeText(Field<QPlainTextEdit>("memo"), "one\ntwo");
    EXPECT_EQ(h.page->Fields().Text("memo"), "one\r\ntwo") << "line breaks go to the terminal as CR LF";

    Field<QCheckBox>("das")->click();
    EXPECT_EQ(h.page->Fields().Number("das"), 1);
    Field<QComboBox>("smsMode")->setCurrentIndex(0);
    EXPECT_EQ(h.page->Fields().Number("smsMode"), 0);
    Field<QComboBox>("day")->setCurrentIndex(1);
    EXPECT_EQ(h.page->Fields().Number("day"), 1);

    QSpinBox* csqLow = Field<QSpinBox>("csqLow");
    TypeText(csqLow, "17");
    EXPECT_EQ(h.page->Fields().Text("csqLow"), "17");
    TypeText(csqLow, "9");  // 179 is out of range: not taken
    EXPECT_EQ(h.page->Fields().Text("csqLow"), "17");
    csqLow->setValue(0);
    csqLow->stepDown();
    EXPECT_EQ(h.page->Fields().Text("csqLow"), "") << "below the range the field is emptied";
    EXPECT_TRUE(h.sink.blocks.empty()) << "no field here acts on change";
}

TEST_F(GenericPageViewTest, PageChangesReachTheWidgetsAfterTheCoalescedRefresh)
{
    CFieldSet& fields = h.page->Fields();
    fields.SetText("unitId", "4711");
    fields.SetText("memo", "first\r\nsecond");
    fields.SetNumber("das", 1);
    fields.SetNumber("day", 0);
    fields.SetText("csqLow", "99");
    h.page->Tables()[0].SetCell(2, 0, "+4930123");
    h.page->NotifyChanged();
    EXPECT_EQ(Field<QLineEdit>("unitId")->text(), "") << "refreshes are coalesced, not immediate";

    ASSERT_TRUE(RefreshedUntil([this] { return Field<QLineEdit>("unitId")->text() == "4711"; }));
    EXPECT_EQ(Field<QPlainTextEdit>("memo")->toPlainText(), "first\nsecond");
    EXPECT_TRUE(Field<QCheckBox>("das")->isChecked());
    EXPECT_EQ(Field<QComboBox>("day")->currentIndex(), 0);
    EXPECT_EQ(Field<QSpinBox>("csqLow")->value(), 36) << "shown within range";
    EXPECT_EQ(fields.Text("csqLow"), "99") << "showing does not change the field";
    EXPECT_EQ(Phones()->CellText(2, 1), "+4930123");

    fields.SetNumber("day", 7);  // no such item: shown as what it is
    h.page->NotifyChanged();
    QComboBox* day = Field<QComboBox>("day");
    ASSERT_TRUE(RefreshedUntil([day] { return day->currentText().startsWith(u'7'); }));
    EXPECT_EQ(day->currentIndex(), day->count() - 1);
    EXPECT_TRUE(day->currentText().contains(QStringLiteral("not in the list")));
    EXPECT_EQ(fields.Number("day"), 7);
}

TEST_F(GenericPageViewTest, RefreshSparesTheWidgetBeingEditedUntilThePageChangesThatField)
{
    QLineEdit* unitId = Field<QLineEdit>("unitId");
    TypeText(unitId, "abcd");
    unitId->setCursorPosition(2);

    // Another field changes: the line being edited keeps text and cursor.
    h.page->Fields().SetNumber("das", 1);
    h.page->NotifyChanged();
    ASSERT_TRUE(RefreshedUntil([this] { return Field<QCheckBox>("das")->isChecked(); }));
    EXPECT_EQ(unitId->text(), "abcd");
    EXPECT_EQ(unitId->cursorPosition(), 2);

    // A Read clears the page: the edited line shows the page again.
    m_view->ReadButton()->click();
    EXPECT_EQ(h.sink.blocks, Blocks{"%DUMP_FAKE\r"});
    EXPECT_EQ(h.page->Fields().Text("unitId"), "");
    ASSERT_TRUE(RefreshedUntil([unitId] { return unitId->text().isEmpty(); }));
    EXPECT_EQ(Field<QComboBox>("smsMode")->currentIndex(), 1) << "back to the initial value";
}

TEST_F(GenericPageViewTest, SaveWritesThePageBackAsOneJobThenReadsIt)
{
    TypeText(Field<QLineEdit>("unitId"), "77");
    TypeText(Field<QPlainTextEdit>("memo"), "ab");
    Field<QCheckBox>("das")->click();
    TypeText(Field<QSpinBox>("csqLow"), "5");

    // The page was never read: Save asks first, and No sends nothing.
    m_view->WriteButton()->click();
    auto* question = m_view->findChild<QMessageBox*>(QStringLiteral("unreadPagesQuestion"));
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(question->text().startsWith(QStringLiteral("These pages were never read from the terminal: ")));
    EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
    question->button(QMessageBox::No)->click();
    EXPECT_TRUE(h.sink.blocks.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Yes: what was typed goes out; the settings nobody reported or typed do not.
    m_view->WriteButton()->click();
    question = m_view->findChild<QMessageBox*>(QStringLiteral("unreadPagesQuestion"));
    ASSERT_NE(question, nullptr);
    question->button(QMessageBox::Yes)->click();
    h.AnswerAll();
    const Blocks expected = {"%STARTCMD\r", "%ID77\r",     "%DESCab\r",   "%DAS1\r",
                             "%RSILOW5\r",  "%COMMITCMD\r", "%DUMP_FAKE\r"};
    EXPECT_EQ(h.sink.blocks, expected);
    EXPECT_EQ(h.sessionView.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(GenericPageViewTest, DoubleClickOnARowOpensItsDialogAndOkCommitsTheRow)
{
    h.page->Tables()[0].SetCell(3, 0, "+4912");
    m_view->Refresh();
    ShowAndLayOut();

    DoubleClickAt(Phones()->viewport(), RowCentre(*Phones(), 3));
    CRowDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Main parameters \u2013 No.3"));
    EXPECT_EQ(dialog->Buttons()->button(QDialogButtonBox::Ok)->text(), "OK");
    EXPECT_EQ(dialog->Buttons()->button(QDialogButtonBox::Cancel)->text(), "Cancel");
    EXPECT_EQ(dialog->Form()->FieldWidget("mms"), nullptr) << "hidden in the dialog";
    auto* number = qobject_cast<QLineEdit*>(dialog->Form()->FieldWidget("number"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->text(), "+4912");
    EXPECT_EQ(dialog->findChild<QLabel*>("numberLabel")->text(), "Phone number");

    TypeText(number, "5");
    dialog->Buttons()->button(QDialogButtonBox::Ok)->click();
    h.AnswerAll();
    EXPECT_EQ(h.sink.blocks, (Blocks{"%CS3+49125+mms\r", "%DUMP_FAKE\r"})) << "the hidden value goes along unchanged";
    // Deferred deletes wait for an event loop; the test has none running.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(OpenDialog(), nullptr) << "the dialog is released";
}

TEST_F(GenericPageViewTest, CancelledDialogAndMissingSelectionSendNothing)
{
    ShowAndLayOut();
    SendKey(Phones(), Qt::Key_Return);
    EXPECT_EQ(OpenDialog(), nullptr) << "Enter without a selected row";
    QHeaderView* header = Phones()->horizontalHeader();
    DoubleClickAt(header->viewport(), QPoint(header->sectionViewportPosition(1) + 4, header->height() / 2));
    EXPECT_EQ(OpenDialog(), nullptr) << "double click on a column header";
    m_view->EditRow(0, 10);
    EXPECT_EQ(OpenDialog(), nullptr) << "a row without editor";

    Phones()->selectRow(1);
    SendKey(Phones(), Qt::Key_Return);
    CRowDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    TypeText(dialog->Form()->FieldWidget("number"), "123");
    dialog->Buttons()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_TRUE(h.sink.blocks.empty());
    EXPECT_EQ(h.page->Tables()[0].Cell(1, 0), "");
}

TEST_F(GenericPageViewTest, AFieldThatActsOnChangeIsSentAtOnce)
{
    // It says so before it is touched; the others do not.
    EXPECT_TRUE(Field<QCheckBox>("vpc")->text().endsWith(QStringLiteral("at once")));
    EXPECT_TRUE(Field<QCheckBox>("vpc")->toolTip().contains(QStringLiteral("Written to the terminal at once")));
    EXPECT_FALSE(Field<QCheckBox>("das")->text().contains(QStringLiteral("at once")));
    Field<QCheckBox>("vpc")->click();
    EXPECT_EQ(h.sink.blocks, Blocks{"%VPC1\r"});
    h.AnswerAll();
    Field<QCheckBox>("das")->click();
    EXPECT_EQ(h.sink.blocks, Blocks{"%VPC1\r"}) << "an ordinary field waits for Save";

    // A refresh that shows a changed value is no user change.
    h.page->Fields().SetNumber("vpc", 0);
    h.page->NotifyChanged();
    ASSERT_TRUE(RefreshedUntil([this] { return !Field<QCheckBox>("vpc")->isChecked(); }));
    EXPECT_EQ(h.sink.blocks, Blocks{"%VPC1\r"});
}

TEST_F(GenericPageViewTest, PageButtonsAndTablesTurnOffAndOn)
{
    m_view->SetPageButtonsEnabled(false);
    EXPECT_FALSE(m_view->ReadButton()->isEnabled());
    EXPECT_FALSE(m_view->WriteButton()->isEnabled());
    EXPECT_FALSE(Phones()->isEnabled());
    m_view->SetPageButtonsEnabled(true);
    EXPECT_TRUE(m_view->ReadButton()->isEnabled());
    EXPECT_TRUE(m_view->WriteButton()->isEnabled());
    EXPECT_TRUE(Phones()->isEnabled());
}

TEST_F(GenericPageViewTest, TheFormUsesTwoColumnsOnlyWhenWide)
{
    m_view->resize(1600, 800);
    m_view->show();
    EXPECT_TRUE(PumpUntil([this] { return m_view->Form()->UsesTwoColumns(); }));
    m_view->resize(420, 800);
    EXPECT_TRUE(PumpUntil([this] { return !m_view->Form()->UsesTwoColumns(); }));
}

TEST(GenericPageViewWithoutWriteBack, HasOnlyTheReadButton)
{
    SViewHarness h(false);
    std::unique_ptr<CPageView> view(CreatePageView(*h.page, h.session, h.catalogue, nullptr));
    auto* generic = static_cast<CGenericPageView*>(view.get());
    EXPECT_EQ(generic->WriteButton(), nullptr);
    EXPECT_EQ(view->findChild<QPushButton*>("writeButton"), nullptr);
    view->SetPageButtonsEnabled(false);
    EXPECT_FALSE(generic->ReadButton()->isEnabled());
}

TEST(GenericPageViewLifetime, AViewDestroyedBeforeItsPageIsNoLongerTold)
{
    SViewHarness h;
    {
        std::unique_ptr<CPageView> first(CreatePageView(*h.page, h.session, h.catalogue, nullptr));
    }
    std::unique_ptr<CGenericPageView> second(
        static_cast<CGenericPageView*>(CreatePageView(*h.page, h.session, h.catalogue, nullptr)));
    h.page->Fields().SetText("unitId", "after");
    h.page->NotifyChanged();
    auto* unitId = qobject_cast<QLineEdit*>(second->Form()->FieldWidget("unitId"));
    ASSERT_NE(unitId, nullptr);
    EXPECT_TRUE(PumpUntil([unitId] { return unitId->text() == "after"; }));
}

} // namespace
} // namespace orlan::test

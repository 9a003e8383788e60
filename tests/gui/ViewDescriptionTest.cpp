// The richer descriptions drawn by the generic views: groups as captioned
// boxes and grids, fields shown on a condition, read-only and picture
// fields, growing lists with icons and width hints, page actions and the
// tables of a row editor.
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <set>

#include "support/QtTestSupport.h"
#include "ViewTestPage.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"
#include "widgets/PageViewFactory.h"
#include "widgets/PictureView.h"
#include "widgets/RowDialog.h"
#include "widgets/TableModel.h"
#include "widgets/TableView.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

class ViewDescribedPage : public ::testing::Test {
protected:
    explicit ViewDescribedPage(size_t eventLimit = 5) : h(eventLimit)
    {
        view.reset(static_cast<CGenericPageView*>(CreatePageView(*h.page, h.session, h.catalogue, nullptr)));
        view->resize(700, 900);
    }

    QWidget* Field(std::string_view id) const { return view->Form()->FieldWidget(id); }
    template <typename T>
    T* FieldAs(std::string_view id) const { return qobject_cast<T*>(Field(id)); }
    bool Shown(std::string_view id) const { return Field(id)->isVisibleTo(view->Form()); }
    // The widget in a cell of a group's layout.
    QWidget* At(std::string_view group, int row, int column) const
    {
        auto* grid = qobject_cast<QGridLayout*>(view->Form()->GroupBox(group)->layout());
        QLayoutItem* item = grid ? grid->itemAtPosition(row, column) : nullptr;
        return item ? item->widget() : nullptr;
    }
    QString LabelAt(std::string_view group, int row, int column) const
    {
        auto* label = qobject_cast<QLabel*>(At(group, row, column));
        return label ? label->text() : QStringLiteral("<none>");
    }
    CTableView* Events() const { return view->TableViews().at(CDescribedPage::kEvents); }
    void AddEvents(int first, int last)
    {
        for (int i = first; i <= last; ++i)
            h.page->Tables()[CDescribedPage::kEvents].AddRow({"t" + std::to_string(i), "EVENT " + std::to_string(i)});
        view->Refresh();
    }
    QPushButton* Action(size_t index) const { return view->ActionButtons().at(index); }
    CRowDialog* Dialog() const { return view->findChild<CRowDialog*>(); }

    SDescribedHarness h;
    std::unique_ptr<CGenericPageView> view;
};

using ViewGroups = ViewDescribedPage;
using ViewConditions = ViewDescribedPage;
using ViewShownOnly = ViewDescribedPage;
using ViewGrowingList = ViewDescribedPage;
using ViewPageActions = ViewDescribedPage;

TEST_F(ViewGroups, AGridPutsEachEditorInItsCellUnderRowAndColumnHeaders)
{
    ASSERT_NE(view->Form()->GroupBox("inputs"), nullptr);
    EXPECT_EQ(view->Form()->GroupBox("inputs")->title(), "Inputs");
    EXPECT_EQ(LabelAt("inputs", 0, 0), "Input") << "one key more than columns heads the row labels";
    EXPECT_EQ(LabelAt("inputs", 0, 3), "Sound");
    EXPECT_EQ(LabelAt("inputs", 1, 0), "IN1");
    EXPECT_EQ(LabelAt("inputs", 4, 0), "IN4");
    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(At("inputs", 1 + i, 1), FieldAs<QComboBox>("inType" + n)) << i;
        EXPECT_EQ(At("inputs", 1 + i, 2), FieldAs<QCheckBox>("inUrgent" + n)) << i;
        EXPECT_EQ(At("inputs", 1 + i, 3), FieldAs<QCheckBox>("inSound" + n)) << i;
    }
    EXPECT_TRUE(FieldAs<QCheckBox>("inUrgent2")->text().isEmpty()) << "cells carry no label of their own";
    EXPECT_EQ(view->findChild<QLabel*>("inType0Label"), nullptr);
    EXPECT_EQ(LabelAt("analog", 0, 1), "Name");
    EXPECT_EQ(LabelAt("analog", 2, 0), "Channel B");
    EXPECT_EQ(At("analog", 2, 1), Field("ainNameB"));

    // Grid editors show and take values like any other.
    h.page->Fields().SetNumber("inUrgent2", 1);
    view->Refresh();
    EXPECT_TRUE(FieldAs<QCheckBox>("inUrgent2")->isChecked());
    FieldAs<QCheckBox>("inSound3")->click();
    EXPECT_EQ(h.page->Fields().Number("inSound3"), 1);

    // Without a grid hint: labels beside editors, the caption from its own section.
    EXPECT_EQ(view->Form()->GroupBox("readings")->title(), "Current readings");
    EXPECT_EQ(LabelAt("readings", 0, 0), "Version");
    EXPECT_EQ(At("readings", 1, 1), Field("alarmOn"));
    EXPECT_EQ(Field("name")->parentWidget(), view->Form()) << "ungrouped fields stay in the form";
}

TEST_F(ViewGroups, GroupsStayWholeWhenTheFormUsesTwoColumns)
{
    view->resize(1800, 900);
    view->show();
    ASSERT_TRUE(PumpUntil([this] { return view->Form()->UsesTwoColumns(); }));
    const int middle = view->Form()->width() / 2;
    for (const SFieldGroup& group : h.page->Fields().Groups()) {
        std::set<bool> leftSide;
        for (const SFieldDesc& desc : h.page->Fields().Descs()) {
            if (desc.group != group.id)
                continue;
            EXPECT_TRUE(view->Form()->GroupBox(group.id)->isAncestorOf(Field(desc.id))) << desc.id;
            leftSide.insert(Field(desc.id)->mapTo(view->Form(), QPoint(0, 0)).x() < middle);
        }
        EXPECT_EQ(leftSide.size(), 1u) << group.id << " is split across the columns";
    }
}

TEST_F(ViewConditions, FieldsSwitchAtOnceWhenTheUserChangesTheControllingField)
{
    ASSERT_NE(Field("pulseMs"), nullptr) << "a conditional field has widgets";
    EXPECT_FALSE(Shown("pulseMs"));
    EXPECT_FALSE(Shown("level"));
    EXPECT_TRUE(view->Form()->GroupBox("pulse")->isHidden()) << "a box with nothing shown is hidden";

    FieldAs<QComboBox>("mode")->setCurrentIndex(1);
    EXPECT_TRUE(Shown("pulseMs"));
    EXPECT_TRUE(Shown("pulses"));
    EXPECT_FALSE(Shown("level"));
    FieldAs<QComboBox>("mode")->setCurrentIndex(2);
    EXPECT_FALSE(Shown("pulseMs"));
    EXPECT_TRUE(Shown("level"));

    h.page->Fields().SetNumber("mode", 1);
    h.page->NotifyChanged();
    ASSERT_TRUE(PumpUntil([this] { return Shown("pulseMs"); })) << "a page change switches them on refresh";
    EXPECT_FALSE(Shown("level"));
}

TEST_F(ViewConditions, ARowDialogSwitchesItsFieldsByRegisterType)
{
    view->EditRow(CDescribedPage::kRegisters, 1);
    ASSERT_NE(Dialog(), nullptr);
    CFormView* form = Dialog()->Form();
    auto shown = [form](std::string_view id) { return form->FieldWidget(id)->isVisibleTo(form); };
    EXPECT_FALSE(shown("regAddr"));
    qobject_cast<QComboBox*>(form->FieldWidget("regType"))->setCurrentIndex(2);
    EXPECT_TRUE(shown("regAddr"));
    qobject_cast<QComboBox*>(form->FieldWidget("regType"))->setCurrentIndex(0);
    EXPECT_FALSE(shown("regAddr"));
}

TEST_F(ViewShownOnly, AReadOnlyFieldNeverReportsAnEditAndAlwaysShowsThePage)
{
    auto* version = FieldAs<QLineEdit>("version");
    auto* alarmOn = FieldAs<QCheckBox>("alarmOn");
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->isReadOnly());
    EXPECT_FALSE(alarmOn->isEnabled());
    EXPECT_EQ(version->text(), "Version 3");

    int edits = 0;
    QObject::connect(view->Form(), &CFormView::FieldEdited, view.get(), [&edits] { ++edits; });
    TypeText(version, "9");
    version->setText("tampered");
    alarmOn->setChecked(true);
    view->WriteButton()->click();
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(h.page->Fields().Text("version"), "Version 3");
    EXPECT_EQ(h.page->Fields().Number("alarmOn"), 0);

    view->Refresh();
    EXPECT_EQ(version->text(), "Version 3") << "the page's value comes back";
    EXPECT_FALSE(alarmOn->isChecked());
}

TEST_F(ViewShownOnly, APictureKeepsItsProportionsAndBadBytesLeaveAnEmptyFrame)
{
    auto* picture = FieldAs<CPictureView>("snapshot");
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->HasPicture());
    EXPECT_TRUE(picture->isVisibleTo(view->Form()));

    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
    h.page->Fields().SetText("snapshot", png.toStdString());
    view->Refresh();
    ASSERT_TRUE(picture->HasPicture());
    EXPECT_EQ(picture->Picture().size(), QSize(40, 20));
    const int frame = 2 * picture->frameWidth();
    for (const int width : {100, 400})
        EXPECT_EQ(picture->heightForWidth(width + frame) - frame, width / 2) << "twice as wide as high";

    h.page->Fields().SetText("snapshot", "not a picture");
    view->Refresh();
    EXPECT_FALSE(picture->HasPicture());
    EXPECT_TRUE(picture->isVisibleTo(view->Form()));
}

TEST_F(ViewGrowingList, NewestFirstUpToItsLimitWithTheSelectionOnItsRow)
{
    EXPECT_EQ(Events()->rowCount(), 0);
    AddEvents(0, 2);
    EXPECT_EQ(Events()->CellText(0, 0), "t2");
    Events()->selectRow(1);
    AddEvents(3, 5);
    ASSERT_EQ(Events()->rowCount(), 5) << "the oldest row went beyond the limit";
    EXPECT_EQ(Events()->CellText(0, 0), "t5");
    ASSERT_EQ(Events()->SelectedRow(), std::optional<size_t>(4)) << "the selection moved down with its row";
    EXPECT_EQ(Events()->CellText(4, 0), "t1");
    AddEvents(6, 6);
    EXPECT_EQ(Events()->SelectedRow(), std::nullopt) << "its row was dropped";

    // Redrawn only when the table's revision moved.
    int redraws = 0;
    QObject::connect(Events()->TableModel(), &QAbstractItemModel::dataChanged, Events(), [&redraws] { ++redraws; });
    view->Refresh();
    EXPECT_EQ(redraws, 0);
    h.page->Tables()[CDescribedPage::kEvents].SetCell(0, 1, "changed");
    view->Refresh();
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(Events()->CellText(0, 1), "changed");
}

TEST_F(ViewGrowingList, CellIconsByThePagesRuleAndWidthHintsInCharacters)
{
    for (const char* text : {"ALARM zone 1", "FAULT battery", "OFFLINE", "restored"})
        h.page->Tables()[CDescribedPage::kEvents].AddRow({"t", text});
    view->Refresh();
    std::set<qint64> icons;
    for (int row = 0; row < 4; ++row) {
        const QIcon icon = Events()->model()->index(row, 1).data(Qt::DecorationRole).value<QIcon>();
        EXPECT_FALSE(icon.isNull()) << row;
        icons.insert(icon.cacheKey());
        EXPECT_FALSE(Events()->model()->index(row, 0).data(Qt::DecorationRole).isValid());
    }
    EXPECT_EQ(icons.size(), 4u) << "each kind has its own picture";
    EXPECT_GE(Events()->columnWidth(0), Events()->fontMetrics().horizontalAdvance(QString(19, u'0')));
}

TEST_F(ViewPageActions, ButtonsBesideReadWaitForTheRowTheyNeed)
{
    ASSERT_EQ(view->ActionButtons().size(), 3u);
    EXPECT_EQ(Action(0)->text(), "Reset counters");
    EXPECT_EQ(Action(1)->text(), "Edit") << "from its own section";
    EXPECT_EQ(Action(0)->parentWidget(), view->ReadButton()->parentWidget());
    EXPECT_TRUE(Action(0)->isEnabled());
    EXPECT_FALSE(Action(2)->isEnabled()) << "no event selected";
    AddEvents(0, 2);
    Events()->selectRow(1);
    ASSERT_TRUE(Action(2)->isEnabled());
    Action(2)->click();
    EXPECT_EQ(h.sink.blocks, Blocks{"%DELEVTt1\r"});

    view->SetPageButtonsEnabled(false);
    for (QPushButton* button : view->ActionButtons())
        EXPECT_FALSE(button->isEnabled()) << button->text().toStdString();
    view->SetPageButtonsEnabled(true);
    EXPECT_TRUE(Action(2)->isEnabled());
    EXPECT_FALSE(Action(1)->isEnabled()) << "no register selected";
    view->TableViews()[CDescribedPage::kRegisters]->selectRow(2);
    Action(1)->click();
    ASSERT_NE(Dialog(), nullptr) << "the row editor opens as on a double click";
    EXPECT_EQ(Dialog()->windowTitle(), QString::fromUtf8("Described page \u2013 R2"));
}

TEST_F(ViewPageActions, AQuestionIsAskedWithoutBlockingAndOnlyYesRunsTheAction)
{
    Action(0)->click();
    auto* box = view->findChild<QMessageBox*>("actionQuestion");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "Reset all counters?");
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "Yes");
    box->button(QMessageBox::No)->click();
    EXPECT_TRUE(h.sink.blocks.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view->findChild<QMessageBox*>("actionQuestion"), nullptr);

    Action(0)->click();
    box = view->findChild<QMessageBox*>("actionQuestion");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(h.sink.blocks.empty());
    box->button(QMessageBox::Yes)->click();
    EXPECT_EQ(h.sink.blocks, Blocks{"%RESETCNT\r"});
}

TEST_F(ViewPageActions, TheRowEditorsMarksToggleInItsOwnCopyAndComeBackWithTheFields)
{
    view->EditRow(CDescribedPage::kRegisters, 2);
    ASSERT_NE(Dialog(), nullptr);
    ASSERT_EQ(Dialog()->TableViews().size(), 1u);
    CTableView* channels = Dialog()->TableViews()[0];
    EXPECT_EQ(channels->HeaderText(9), "9");
    EXPECT_EQ(channels->CellText(0, 0), "O");
    EXPECT_EQ(channels->CellText(0, 1), "X");

    ASSERT_TRUE(PumpUntil([channels] { return channels->isVisible() && channels->viewport()->width() > 100; }));
    const QPoint at = channels->visualRect(channels->model()->index(0, 1)).center();
    SendMouse(channels->viewport(), QEvent::MouseButtonPress, at);
    SendMouse(channels->viewport(), QEvent::MouseButtonRelease, at);
    EXPECT_EQ(channels->CellText(0, 1), "O");
    TypeText(Dialog()->Form()->FieldWidget("regName"), "flow");
    Dialog()->Buttons()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(Dialog()->Tables()[0].RowMask(0, 0, CDescribedPage::kChannels), 0b111u);
    EXPECT_EQ(h.sink.blocks, Blocks{"%REG2,flow\r"});
}

TEST(ViewLongList, ThousandsOfRowsAreKeptToTheLimit)
{
    SDescribedHarness h(2000);
    std::unique_ptr<CPageView> view(CreatePageView(*h.page, h.session, h.catalogue, nullptr));
    for (int i = 0; i < 2500; ++i)
        h.page->Tables()[CDescribedPage::kEvents].AddRow({"t", "EVENT " + std::to_string(i)});
    auto* generic = static_cast<CGenericPageView*>(view.get());
    generic->Refresh();
    CTableView* list = generic->TableViews()[CDescribedPage::kEvents];
    ASSERT_EQ(list->rowCount(), 2000);
    EXPECT_EQ(list->CellText(0, 1), "EVENT 2499");
    EXPECT_EQ(list->CellText(1999, 1), "EVENT 500");
}

} // namespace
} // namespace orlan::test

// What a person changed and did not write yet is visible and is not lost
// without a question; a setting can be found by its caption; a port can be
// named by its path.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "MainWindowTestSupport.h"
#include "app/LinkBar.h"
#include "app/NavigationBar.h"
#include "app/PageSearch.h"
#include "link/PortNames.h"
#include "platform/RegSetting.h"
#include "support/QtTestSupport.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"

namespace orlan::test {
namespace {

const QString kMainPage = QStringLiteral("PAGE_BASIC");

QMessageBox* OpenBox(QWidget& window, const QString& name)
{
    for (QMessageBox* box : window.findChildren<QMessageBox*>(name)) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

TEST(MainWindowEdits, AChangeIsMarkedUntilWrittenAndAReadOrClosingAsksFirst)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());
    ASSERT_TRUE(window.Pages().Show(kMainPage));
    auto* view = dynamic_cast<CGenericPageView*>(window.Pages().CurrentView());
    ASSERT_NE(view, nullptr);
    auto* unitId = qobject_cast<QLineEdit*>(view->Form()->FieldWidget("unitId"));
    ASSERT_NE(unitId, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return unitId->text() == QStringLiteral("100234"); }));

    // Typing marks the field and the page's item; typing it back unmarks.
    unitId->setText(QStringLiteral("4321"));
    Q_EMIT unitId->textEdited(unitId->text());
    EXPECT_TRUE(view->Form()->IsMarkedEdited("unitId"));
    EXPECT_TRUE(window.Navigation().IsItemEdited(kMainPage));
    unitId->setText(QStringLiteral("100234"));
    Q_EMIT unitId->textEdited(unitId->text());
    EXPECT_FALSE(view->Form()->IsMarkedEdited("unitId"));
    EXPECT_FALSE(window.Navigation().IsItemEdited(kMainPage));

    // Read all asks; Cancel keeps the change and reads nothing.
    unitId->setText(QStringLiteral("4321"));
    Q_EMIT unitId->textEdited(unitId->text());
    const qsizetype dumpsBefore = t.log.Lines().count(QStringLiteral("%DUMPS"));
    window.findChild<QAction*>(QStringLiteral("actionReload"))->trigger();
    QMessageBox* box = OpenBox(window, QStringLiteral("reloadEditsQuestion"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("Main parameters"))) << box->text().toStdString();
    box->button(QMessageBox::Cancel)->click();
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(t.log.Lines().count(QStringLiteral("%DUMPS")), dumpsBefore);
    EXPECT_EQ(unitId->text(), QStringLiteral("4321"));

    // Closing asks too; Write sends the page, and the window closes once
    // the terminal has taken it.
    window.show();
    EXPECT_FALSE(window.close());
    box = OpenBox(window, QStringLiteral("closeEditsQuestion"));
    ASSERT_NE(box, nullptr);
    box->findChild<QPushButton*>(QStringLiteral("writeButton"))->click();
    ASSERT_TRUE(PumpUntil([&] { return !window.isVisible(); }, std::chrono::seconds(20)));
    const QStringList lines = t.log.Lines();
    const qsizetype commit = lines.lastIndexOf(QStringLiteral("%COMMITCMD"));
    ASSERT_GT(commit, 0);
    bool sent = false;
    for (qsizetype i = lines.lastIndexOf(QStringLiteral("%STARTCMD")); i >= 0 && i < commit; ++i)
        sent = sent || lines[i].contains(QStringLiteral("4321"));
    EXPECT_TRUE(sent) << lines.join(QLatin1Char('\n')).toStdString();
    ForgetSettings();
}

TEST(MainWindowEdits, SearchFindsAFieldOfAPageNoItemListsAndJumpsToIt)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    window.show();
    window.Navigation().SetShowAllPages(false);  // the classic folders only

    // The GPRS page has no classic item; its access point is a field.
    const std::vector<SSearchEntry> found = window.Search().Find(QStringLiteral("APN"));
    const auto gprs = std::find_if(found.begin(), found.end(), [](const SSearchEntry& entry) {
        return entry.pageKey == QStringLiteral("CPageGPRS") && !entry.fieldId.isEmpty();
    });
    ASSERT_NE(gprs, found.end()) << "no GPRS field matches";
    ASSERT_TRUE(window.Pages().ShowFound(gprs->pageKey, gprs->fieldId));
    EXPECT_TRUE(window.Navigation().ShowsAllPages());
    EXPECT_EQ(window.Pages().ShownKey(), QStringLiteral("CPageGPRS"));
    auto* view = dynamic_cast<CGenericPageView*>(window.Pages().ViewOf(QStringLiteral("CPageGPRS")));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(window.focusWidget(), view->Form()->FieldWidget(gprs->fieldId.toStdString()));
    // Letter case does not matter; nothing found for nonsense.
    EXPECT_FALSE(window.Search().Find(QStringLiteral("apn")).empty());
    EXPECT_TRUE(window.Search().Find(QStringLiteral("zzqq-no-such")).empty());
    ForgetSettings();
}

TEST(MainWindowEdits, AnotherPortByPathIsKeptUnderAFreeNumberAndChosen)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    const QString path = PrivateHome() + QStringLiteral("/no-such-pty");

    Q_EMIT window.LinkBar().otherPortEntered(path);
    EXPECT_EQ(window.LinkBar().PortIndex(), kFirstUserPort - 1);
    EXPECT_EQ(CRegSetting().UserPortPath(kFirstUserPort), path);
    const auto* ports = window.findChild<QComboBox*>(QStringLiteral("portList"));
    EXPECT_TRUE(ports->currentText().contains(QStringLiteral("COM97"))) << ports->currentText().toStdString();
    EXPECT_TRUE(PumpUntil([&] { return window.Status().LinkText().contains(QStringLiteral("COM97")); }))
        << window.Status().LinkText().toStdString();
    // A port that does not open offers the doctor.
    const auto* why = window.findChild<QToolButton*>(QStringLiteral("portDoctorButton"));
    ASSERT_NE(why, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return why->isVisibleTo(&window); }));

    // The same path again keeps its number; nonsense is refused with a box.
    Q_EMIT window.LinkBar().otherPortEntered(path);
    EXPECT_TRUE(CRegSetting().UserPortPath(kFirstUserPort + 1).isEmpty());
    Q_EMIT window.LinkBar().otherPortEntered(QStringLiteral("COM0"));
    EXPECT_FALSE(MessageTexts(window).isEmpty());
    EXPECT_EQ(window.LinkBar().PortIndex(), kFirstUserPort - 1);
    CloseMessages(window);
    ForgetSettings();
}

} // namespace
} // namespace orlan::test

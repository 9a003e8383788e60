// The unit at a glance in the window and the configuration history window.
#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "MainWindowTestSupport.h"
#include "app/HistoryWindow.h"
#include "app/NavigationBar.h"
#include "app/PageRegistry.h"
#include "app/StatusOverviewView.h"

namespace orlan::test {
namespace {

TEST(StatusOverviewWindow, TheOverviewIsTheFirstItemAndFollowsLiveLines)
{
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    auto* overview = window.findChild<CStatusOverviewView*>();
    ASSERT_NE(overview, nullptr);
    ASSERT_TRUE(window.Pages().Show(QString::fromLatin1(kOverviewItemKey)));
    EXPECT_EQ(window.Pages().ShownKey(), QString::fromLatin1(kOverviewItemKey));

    overview->Update();
    EXPECT_FALSE(overview->Shown().internalTemp.reading.Reported());
    const std::string lines = "$DID 4711\r\n*TMPC 21.50\r\n*IOI 0 0\r\n";
    window.Session().Receive().OnSerialData(lines.data(), lines.size());
    overview->Update();
    EXPECT_EQ(overview->Shown().unitId, "4711");
    EXPECT_EQ(overview->Shown().internalTemp.reading.text, "21.50");
    EXPECT_TRUE(overview->Shown().inputs[0].lit);
    EXPECT_FALSE(overview->Shown().humidity.reading.Reported());
}

TEST(StatusOverviewWindow, TheHistoryWindowListsSnapshotsAndWhatChanged)
{
    QTemporaryDir data;
    CSnapshotFolder folder(data.path());
    ASSERT_EQ(folder.Store({100, "/dev/ttyUSB0", "100234", "read", "//Page System Main Params\r\n%DAS0\r\n"}, {}), "");
    ASSERT_EQ(folder.Store({200, "/dev/ttyUSB0", "100234", "profile", "//Page System Main Params\r\n%DAS1\r\n"}, {}), "");
    CHistoryWindow history(ShippedCatalogue(), nullptr, data.path());
    QTreeWidget* tree = history.Snapshots();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
    // The newest is chosen and compared with the one before.
    const QString changes = history.Changes()->toPlainText();
    EXPECT_TRUE(changes.contains(QStringLiteral("-%DAS0"))) << changes.toStdString();
    EXPECT_TRUE(changes.contains(QStringLiteral("+%DAS1"))) << changes.toStdString();
    // And as a person reads it: the switch by its caption, off before, on after.
    EXPECT_TRUE(changes.contains(QStringLiteral("off → on"))) << changes.toStdString();

    // The chosen snapshot opens as a profile file holding its profile whole.
    const QString saved = data.filePath(QStringLiteral("opened.txt"));
    QString opened;
    history.choosePath = [&saved](const QString&) { return saved; };
    history.openProfile = [&opened](const QString& path) { opened = path; };
    history.findChild<QPushButton*>(QStringLiteral("historyOpen"))->click();
    EXPECT_EQ(opened, saved);
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "//Page System Main Params\r\n%DAS1\r\n");
}

} // namespace
} // namespace orlan::test

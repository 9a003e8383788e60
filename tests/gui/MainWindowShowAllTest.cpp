// The "Show all pages" choice of the navigation bar: off at first, a fifth
// folder with the pages no item selects when on, remembered between runs,
// and its pages drawn by the generic views with what the terminal reported.
#include <gtest/gtest.h>

#include <QAction>
#include <QStackedWidget>
#include <QTableWidget>

#include "MainWindowTestSupport.h"
#include "app/AppSettings.h"
#include "app/NavigationBar.h"
#include "labels/CommonLabelKeys.h"
#include "session/PageAccess.h"
#include "support/QtTestSupport.h"
#include "widgets/GenericPageView.h"
#include "widgets/TableView.h"

namespace orlan::test {
namespace {

constexpr int kFixedFolders = 4;

SStartOptions OfflineOptions()
{
    SStartOptions options = TestOptions();
    options.port = PortInput{199, {}};
    return options;
}

// Class names of the session's pages that no fixed item selects.
QStringList UnlistedPages(COrlanDlg& window)
{
    const QStringList itemKeys = window.Navigation().ItemKeys();
    QStringList classes;
    for (const auto& page : window.Session().Pages()) {
        if (!itemKeys.contains(QString::fromStdString(page->Info().navKey)))
            classes.append(QString::fromStdString(page->Info().className));
    }
    return classes;
}

bool TableShows(const CPageView* view, const QString& text)
{
    const auto* generic = dynamic_cast<const CGenericPageView*>(view);
    if (generic == nullptr)
        return false;
    for (const CTableView* table : generic->TableViews()) {
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) {
                if (table->CellText(r, c) == text)
                    return true;
            }
        }
    }
    return false;
}

TEST(MainWindowShowAll, TheFolderOfUnlistedPagesIsOfferedOnRequestAndRemembered)
{
    ForgetSettings();
    QStringList unlisted;
    {
        COrlanDlg window(ShippedCatalogue(), OfflineOptions());
        CNavigationBar& navigation = window.Navigation();
        unlisted = UnlistedPages(window);
        if (unlisted.isEmpty())
            GTEST_SKIP() << "every page has a navigation item";

        // Off at first: only the fixed folders, and their pages cannot be shown.
        QAction* showAll = navigation.findChild<QAction*>(QStringLiteral("actionShowAllPages"));
        ASSERT_NE(showAll, nullptr);
        EXPECT_TRUE(showAll->isCheckable());
        EXPECT_TRUE(navigation.actions().contains(showAll));  // the context menu's entry
        EXPECT_EQ(showAll->text().toStdString(), CatalogueText(kShowAllPagesKey, kSectionTabs));
        EXPECT_FALSE(showAll->isChecked());
        EXPECT_EQ(navigation.topLevelItemCount(), kFixedFolders);
        EXPECT_FALSE(window.ShowPage(unlisted.front()));

        showAll->trigger();
        ASSERT_EQ(navigation.topLevelItemCount(), kFixedFolders + 1);
        const QTreeWidgetItem* folder = navigation.topLevelItem(kFixedFolders);
        EXPECT_EQ(folder->text(0).toStdString(), CatalogueText(kAllPagesFolderKey, kSectionTabs));
        EXPECT_EQ(navigation.AllPagesKeys(), unlisted);
        EXPECT_EQ(folder->childCount(), unlisted.size());
        // The fixed items are still the only ones the fixed list reports.
        EXPECT_EQ(navigation.ItemKeys().size(), 22);

        for (const QString& key : unlisted) {
            SCOPED_TRACE(key.toStdString());
            QTreeWidgetItem* item = navigation.Item(key);
            ASSERT_NE(item, nullptr);
            const CPage* page = window.Session().FindPage(key.toStdString());
            ASSERT_NE(page, nullptr);
            EXPECT_EQ(item->text(0).toStdString(), PageCaption(*page, ShippedCatalogue()));
            navigation.setCurrentItem(item);  // as a click does
            EXPECT_EQ(window.ShownPage(), key);
            if (!page->Info().becomesCurrent)
                continue;  // a terminal of its own leaves the page-button logic alone
            ASSERT_NE(window.CurrentPageView(), nullptr);
            EXPECT_EQ(window.CurrentPageView(), window.PageViewOf(key));
            EXPECT_TRUE(window.CurrentPageView()->isVisibleTo(window.findChild<QStackedWidget*>()));
        }
        if (unlisted.contains(QStringLiteral("CPageSos"))) {
            EXPECT_EQ(navigation.Item(QStringLiteral("CPageSos"))->text(0), QStringLiteral("Emergency phone"));
        }
        EXPECT_TRUE(CPreferences().value(QLatin1String(kShowAllPagesSetting)).toBool());
    }
    {
        // The next run starts with the folder; turning it off leaves its page.
        COrlanDlg window(ShippedCatalogue(), OfflineOptions());
        CNavigationBar& navigation = window.Navigation();
        EXPECT_TRUE(navigation.ShowsAllPages());
        ASSERT_EQ(navigation.topLevelItemCount(), kFixedFolders + 1);
        ASSERT_TRUE(window.ShowPage(unlisted.back()));
        navigation.ShowAllPagesAction()->trigger();
        EXPECT_EQ(navigation.topLevelItemCount(), kFixedFolders);
        EXPECT_NE(window.ShownPage(), unlisted.back());
        EXPECT_FALSE(window.ShowPage(unlisted.back()));
        EXPECT_FALSE(CPreferences().value(QLatin1String(kShowAllPagesSetting)).toBool());
    }
    ForgetSettings();
}

TEST(MainWindowShowAll, AnUnlistedPageShowsWhatTheTerminalReported)
{
    ForgetSettings();
    CPreferences().setValue(QLatin1String(kShowAllPagesSetting), true);
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    if (window.Session().FindPage("CPageSos") == nullptr)
        GTEST_SKIP() << "no emergency phone page";
    ASSERT_TRUE(t.WaitForWholeRead());
    ASSERT_TRUE(window.ShowPage(QStringLiteral("CPageSos")));
    EXPECT_TRUE(PumpUntil([&] { return TableShows(window.CurrentPageView(), QStringLiteral("+8613900000000")); }));
    t.window.reset();
    ForgetSettings();
}

} // namespace
} // namespace orlan::test

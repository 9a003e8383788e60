// The navigation: the four classic folders in their order, every other page
// once in a folder by subject, "Show all pages" off for the classic folders
// alone (remembered), and those pages drawn with what the terminal reported.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QStackedWidget>
#include <QTableWidget>

#include <map>

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

constexpr int kClassicFolders = 4;
// The unit at a glance stands above the folders.
constexpr int kAboveFolders = 1;

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

// The page an item shows: a classic item by its key, any other by class.
const CPage* PageOfItem(COrlanDlg& window, const QString& key)
{
    for (const auto& page : window.Session().Pages()) {
        if (QString::fromStdString(page->Info().navKey) == key)
            return page.get();
    }
    return window.Session().FindPage(key.toStdString());
}

QStringList ChildKeys(const QTreeWidgetItem* folder)
{
    QStringList keys;
    for (int i = 0; i < folder->childCount(); ++i)
        keys.append(folder->child(i)->data(0, Qt::UserRole).toString());
    return keys;
}

TEST(MainWindowShowAll, EveryPageIsOneItemAwayAndTheClassicFoldersKeepTheirOrder)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    CNavigationBar& navigation = window.Navigation();
    EXPECT_TRUE(navigation.ShowsAllPages()) << "no hidden switch on a first run";
    const auto subjects = SubjectFolders();
    ASSERT_EQ(navigation.topLevelItemCount(), kAboveFolders + kClassicFolders + static_cast<int>(subjects.size()))
        << "a page no subject folder names";
    EXPECT_EQ(navigation.topLevelItem(0)->data(0, Qt::UserRole).toString(), QLatin1String(kOverviewItemKey));
    EXPECT_TRUE(CNavigationBar::HasItemIcon(kOverviewItemKey));

    for (int f = 0; f < kClassicFolders; ++f) {
        const NavigationFolderKeys& classic = kNavigationFolders[static_cast<size_t>(f)];
        EXPECT_EQ(navigation.topLevelItem(kAboveFolders + f)->text(0).toStdString(),
                  CatalogueText(classic.folder, kSectionTabs));
        QStringList expected;
        for (std::string_view key : classic.items)
            expected.append(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
        EXPECT_EQ(ChildKeys(navigation.topLevelItem(kAboveFolders + f)), expected);
    }
    EXPECT_EQ(navigation.ItemKeys().size(), 22);

    std::map<const CPage*, int> itemsOfPage;
    for (int item = kAboveFolders; item < navigation.topLevelItemCount(); ++item) {
        const QTreeWidgetItem* folder = navigation.topLevelItem(item);
        const int f = item - kAboveFolders;
        if (f >= kClassicFolders) {
            const std::string_view folderKey = subjects[static_cast<size_t>(f - kClassicFolders)].folderKey;
            EXPECT_EQ(folder->text(0).toStdString(), CatalogueText(folderKey, kSectionTabs));
            EXPECT_NE(folder->text(0).toStdString(), std::string(folderKey)) << "caption missing from the catalogue";
            EXPECT_FALSE(folder->isExpanded()) << "closed until one of its pages is shown";
        }
        for (const QString& key : ChildKeys(folder)) {
            SCOPED_TRACE(key.toStdString());
            EXPECT_TRUE(CNavigationBar::HasItemIcon(key.toStdString()));
            const CPage* page = PageOfItem(window, key);
            if (page == nullptr)
                continue;  // a classic item whose page this version lacks
            ++itemsOfPage[page];
            if (f < kClassicFolders)
                continue;
            EXPECT_EQ(navigation.Item(key)->text(0).toStdString(), PageCaption(*page, ShippedCatalogue()));
            navigation.setCurrentItem(navigation.Item(key));  // as a click does
            EXPECT_EQ(window.Pages().ShownKey(), key);
            EXPECT_TRUE(folder->isExpanded()) << "the page shown is in sight";
            if (!page->Info().becomesCurrent)
                continue;  // a terminal of its own leaves the page-button logic alone
            ASSERT_NE(window.Pages().CurrentView(), nullptr);
            EXPECT_EQ(window.Pages().CurrentView(), window.Pages().ViewOf(key));
            EXPECT_TRUE(window.Pages().CurrentView()->isVisibleTo(window.findChild<QStackedWidget*>()));
        }
    }
    for (const auto& page : window.Session().Pages()) {
        if (PageCaption(*page, ShippedCatalogue()).empty())
            continue;
        EXPECT_EQ(itemsOfPage[page.get()], 1) << page->Info().className;
    }
    ForgetSettings();
}

TEST(MainWindowShowAll, TheClassicFoldersAloneCanBeChosenAndAreRemembered)
{
    ForgetSettings();
    const QString subjectPage = QStringLiteral("CPageGPRS");
    {
        COrlanDlg window(ShippedCatalogue(), OfflineOptions());
        CNavigationBar& navigation = window.Navigation();
        QAction* showAll = navigation.findChild<QAction*>(QStringLiteral("actionShowAllPages"));
        ASSERT_NE(showAll, nullptr);
        EXPECT_TRUE(navigation.actions().contains(showAll));  // the context menu's entry
        EXPECT_TRUE(window.findChild<QMenu*>(QStringLiteral("viewMenu"))->actions().contains(showAll));
        EXPECT_EQ(showAll->text().toStdString(), CatalogueText(kShowAllPagesKey, kSectionTabs));
        ASSERT_TRUE(window.Pages().Show(subjectPage));

        showAll->trigger();
        EXPECT_EQ(navigation.topLevelItemCount(), kAboveFolders + kClassicFolders);
        EXPECT_NE(window.Pages().ShownKey(), subjectPage) << "a page of the folders that went away";
        EXPECT_FALSE(window.Pages().Show(subjectPage));
        EXPECT_FALSE(CPreferences().value(QLatin1String(kShowAllPagesSetting)).toBool());
    }
    {
        COrlanDlg window(ShippedCatalogue(), OfflineOptions());
        CNavigationBar& navigation = window.Navigation();
        EXPECT_FALSE(navigation.ShowsAllPages());
        EXPECT_EQ(navigation.topLevelItemCount(), kAboveFolders + kClassicFolders);
        // Finding a page of a subject folder brings the folders back.
        ASSERT_TRUE(window.Pages().ShowFound(subjectPage, QString()));
        EXPECT_TRUE(navigation.ShowsAllPages());
        EXPECT_EQ(navigation.topLevelItemCount(),
                  kAboveFolders + kClassicFolders + static_cast<int>(SubjectFolders().size()));
        EXPECT_TRUE(CPreferences().value(QLatin1String(kShowAllPagesSetting)).toBool());
    }
    ForgetSettings();
}

TEST(MainWindowShowAll, AnUnlistedPageShowsWhatTheTerminalReported)
{
    ForgetSettings();
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    if (window.Session().FindPage("CPageSos") == nullptr)
        GTEST_SKIP() << "no emergency phone page";
    ASSERT_TRUE(t.WaitForWholeRead());
    ASSERT_TRUE(window.Pages().Show(QStringLiteral("CPageSos")));
    EXPECT_TRUE(PumpUntil([&] { return TableShows(window.Pages().CurrentView(), QStringLiteral("+8613900000000")); }));
    t.window.reset();
    ForgetSettings();
}

} // namespace
} // namespace orlan::test

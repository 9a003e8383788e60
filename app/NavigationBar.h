#pragma once
// The navigation bar: the four classic folders with their items in a fixed
// order, then folders by subject with every other page, captioned from the
// catalogue's TABS section. Choosing an enabled item asks the window to show
// its page. Turning "Show all pages" off (its context menu, the View menu)
// leaves the classic four folders alone.
#include <QAction>
#include <QSet>
#include <QString>
#include <QTreeWidget>

#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace orlan {

class CLabelCatalogue;

// Where the window remembers whether the folders by subject are shown.
inline constexpr char kShowAllPagesSetting[] = "ui/showAllPages";
// Catalogue keys (section TABS) of the folder of pages no subject folder
// names (empty while every page has its subject) and of the menu entry.
inline constexpr std::string_view kAllPagesFolderKey = "TAB_ALL";
inline constexpr std::string_view kShowAllPagesKey = "SHOW_ALL";
// The unit at a glance: the first item, above the folders; no page's key.
inline constexpr char kOverviewItemKey[] = "STATUS_OVERVIEW";

// A folder after the classic four: its catalogue key (section TABS) and the
// page classes it lists, in order.
struct SSubjectFolder {
    std::string_view folderKey;
    std::span<const std::string_view> pageClasses;
};
std::span<const SSubjectFolder> SubjectFolders();

class CNavigationBar final : public QTreeWidget {
    Q_OBJECT
public:
    CNavigationBar(const CLabelCatalogue& catalogue, QWidget* parent = nullptr);

    // Whether an item key (a classic item's, or a page class of a subject
    // folder) has an icon of its own (every item must).
    static bool HasItemIcon(std::string_view key);

    // Item keys of the four classic folders in display order ("PAGE_CS", ...).
    QStringList ItemKeys() const;
    // The other pages (class name as key, caption), put into the subject
    // folders; shown only while all pages are.
    void SetAllPagesItems(std::vector<std::pair<QString, QString>> items);
    // Their keys in display order, shown or not.
    QStringList AllPagesKeys() const;
    void SetShowAllPages(bool show);
    bool ShowsAllPages() const { return m_showAll->isChecked(); }
    QAction* ShowAllPagesAction() const { return m_showAll; }
    QTreeWidgetItem* Item(const QString& key) const;
    void SetItemEnabled(const QString& key, bool enabled);
    bool IsItemEnabled(const QString& key) const;
    // Marks the item as chosen without announcing it.
    void MarkCurrent(const QString& key);
    // Marks the item of a page holding changes not yet written.
    void SetItemEdited(const QString& key, bool edited);
    bool IsItemEdited(const QString& key) const { return m_editedKeys.contains(key); }

Q_SIGNALS:
    void itemChosen(const QString& key);
    void showAllPagesChanged(bool show);

private:
    void OnCurrentChanged(QTreeWidgetItem* current);
    void BuildSubjectFolders();
    void ShowEdited(QTreeWidgetItem* item, bool edited);

    // Captions of the subject folders, then of the folder of pages no
    // subject folder names.
    QStringList m_folderCaptions;
    struct SOtherPage {
        QString key;
        QString caption;
        size_t folder;  // index into m_folderCaptions
    };
    std::vector<SOtherPage> m_allPages;  // in display order
    std::vector<QTreeWidgetItem*> m_subjectFolders;
    QAction* m_showAll = nullptr;
    QSet<QString> m_editedKeys;
};

} // namespace orlan

#pragma once
// The navigation bar: four folders with their items in a fixed order,
// captioned from the catalogue's TABS section. Choosing an enabled item
// asks the window to show its page. On request (the "Show all pages" entry
// of its context menu) a fifth folder offers the pages no item selects.
#include <QAction>
#include <QSet>
#include <QString>
#include <QTreeWidget>

#include <string_view>
#include <utility>
#include <vector>

namespace orlan {

class CLabelCatalogue;

// Where the window remembers whether the fifth folder is shown.
inline constexpr char kShowAllPagesSetting[] = "ui/showAllPages";
// Catalogue keys (section TABS) of the fifth folder and its menu entry.
inline constexpr std::string_view kAllPagesFolderKey = "TAB_ALL";
inline constexpr std::string_view kShowAllPagesKey = "SHOW_ALL";

class CNavigationBar final : public QTreeWidget {
    Q_OBJECT
public:
    CNavigationBar(const CLabelCatalogue& catalogue, QWidget* parent = nullptr);

    // Whether an item key has an icon of its own (every fixed item must).
    static bool HasItemIcon(std::string_view key);

    // Item keys of the four fixed folders in display order ("PAGE_CS", ...).
    QStringList ItemKeys() const;
    // The fifth folder's items (key, caption); shown only while all pages are.
    void SetAllPagesItems(std::vector<std::pair<QString, QString>> items);
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
    void BuildAllPagesFolder();
    void ShowEdited(QTreeWidgetItem* item, bool edited);

    QString m_allPagesCaption;
    std::vector<std::pair<QString, QString>> m_allPages;
    QTreeWidgetItem* m_allPagesFolder = nullptr;
    QAction* m_showAll = nullptr;
    QSet<QString> m_editedKeys;
};

} // namespace orlan

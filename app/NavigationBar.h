#pragma once
// The navigation bar: four folders with their items in a fixed order,
// captioned from the catalogue's TABS section. Choosing an enabled item
// asks the window to show its page.
#include <QString>
#include <QTreeWidget>

namespace orlan {

class CLabelCatalogue;

class CNavigationBar final : public QTreeWidget {
    Q_OBJECT
public:
    CNavigationBar(const CLabelCatalogue& catalogue, QWidget* parent = nullptr);

    // Item keys in display order ("PAGE_CS", ...).
    QStringList ItemKeys() const;
    QTreeWidgetItem* Item(const QString& key) const;
    void SetItemEnabled(const QString& key, bool enabled);
    bool IsItemEnabled(const QString& key) const;
    // Marks the item as chosen without announcing it.
    void MarkCurrent(const QString& key);

Q_SIGNALS:
    void itemChosen(const QString& key);

private:
    void OnCurrentChanged(QTreeWidgetItem* current);
};

} // namespace orlan

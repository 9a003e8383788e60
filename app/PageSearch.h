#pragma once
// The search box above the navigation: finds pages and their fields by the
// captions a person reads (every page, the ones no item lists too) and
// says where the chosen one is.
#include <QLineEdit>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class QCompleter;
class QStandardItemModel;

namespace orlan {

class CLabelCatalogue;
class CPage;

struct SSearchEntry {
    QString pageKey;  // navigation key, or class name for an unlisted page
    QString fieldId;  // empty for the page itself
    QString text;     // what is shown and matched: "Field - Page"
};

// One entry per page (its caption) and per field with a label that a view
// shows. `captionOf` is the page's caption as the navigation names it.
std::vector<SSearchEntry> BuildSearchEntries(const std::map<QString, CPage*>& pages,
                                             const CLabelCatalogue& catalogue,
                                             const std::function<QString(const CPage&)>& captionOf);

class CPageSearchBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit CPageSearchBox(QWidget* parent = nullptr);
    void SetEntries(std::vector<SSearchEntry> entries);
    // The entries are asked for when the box is first used: a window
    // nobody searches in does not hold its index.
    void SetEntrySource(std::function<std::vector<SSearchEntry>()> source);
    // Entries whose text holds `text` (any letter case), in index order.
    std::vector<SSearchEntry> Find(const QString& text);

Q_SIGNALS:
    void found(const QString& pageKey, const QString& fieldId);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void EnsureEntries();
    void Choose(const QString& text);

    std::function<std::vector<SSearchEntry>()> m_source;
    std::vector<SSearchEntry> m_entries;
    QStandardItemModel* m_model;
    QCompleter* m_completer;
};

} // namespace orlan

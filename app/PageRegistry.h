#pragma once
// The window's pages by navigation key: which item shows which page, the
// page views (made when first shown, but for those that keep what the
// terminal sends while hidden) and the widget each takes in the page area;
// showing a page, stepping through them, and the page the page buttons and
// the progress window act on.
#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QStackedWidget;
class QWidget;

namespace orlan {

class CLabelCatalogue;
class CNavigationBar;
class CPage;
class CPageView;
class CProgressModel;
class CRegSetting;
class CTerminalSession;

class CPageRegistry final : public QObject {
    Q_OBJECT
public:
    struct SParts {
        CTerminalSession& session;
        const CLabelCatalogue& catalogue;
        CRegSetting& linkSettings;
        CNavigationBar& navigation;
        QStackedWidget& stack;
        CProgressModel& progress;
    };
    // `firstPage`: the page asked for at start, before the remembered one.
    CPageRegistry(SParts parts, QString firstPage, QObject* parent);
    ~CPageRegistry() override;

    // Whether page buttons may be on now (the link allows them).
    std::function<bool()> buttonsAllowed = [] { return true; };

    // Binds the navigation items to the session's pages, fills the folders
    // by subject and makes the views that must exist from the start.
    void Register();
    // The unit at a glance under the navigation's first item; it is no
    // page, so no page button or progress acts on it.
    void AddOverview(QWidget* overview);
    // The page's view, made now if it was not shown before; null for an
    // unknown key.
    CPageView* ViewOf(const QString& key);
    // A view made already; null for a page not shown yet.
    CPageView* ViewOf(const CPage& page) const;
    const std::map<QString, CPageView*>& Views() const { return m_views; }
    // Every page by its key, shown or not.
    const std::map<QString, CPage*>& PagesByKey() const { return m_pageOfKey; }

    // Shows a navigation item's page as choosing it does; false when the
    // item is unknown or disabled.
    bool Show(const QString& key);
    // A search result: the page, and the field in it when one is named (a
    // page of the all-pages folder brings that folder back).
    bool ShowFound(const QString& key, const QString& fieldId);
    // Next or previous item that can be shown, in the navigation's order.
    void Step(int step);
    // The page asked for, the remembered one, the main parameters, or the
    // first item that shows.
    void SelectFirst();

    // The item on screen (the console terminal's too) and the view the
    // page-button logic acts on (never the console terminal).
    const QString& ShownKey() const { return m_shownKey; }
    CPageView* CurrentView() const { return m_currentView; }

    // The caption a person knows a page by.
    QString Caption(const CPage& page) const;
    // A view's own buttons: on only while the link allows too.
    void SetButtons(CPageView& view, bool on) const;

private:
    SParts m_parts;
    QString m_firstPage;
    std::map<QString, QWidget*> m_widgets;  // navigation key -> its widget in the stack
    std::map<QString, CPageView*> m_views;
    std::map<QString, CPage*> m_pageOfKey;
    std::map<const CPage*, CPageView*> m_viewOfPage;
    CPageView* m_currentView = nullptr;
    QString m_shownKey;
};

} // namespace orlan

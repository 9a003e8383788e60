#include "app/PageRegistry.h"

#include <QDir>
#include <QFrame>
#include <QScrollArea>
#include <QStackedWidget>

#include <utility>
#include <vector>

#include "app/AppSettings.h"
#include "app/NavigationBar.h"
#include "app/ProgressModel.h"
#include "pages/Page.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"
#include "tools/ToolViews.h"
#include "widgets/OutputNames.h"
#include "widgets/PageView.h"
#include "widgets/PageViewFactory.h"

namespace orlan {

namespace {

constexpr char kFirstPageKey[] = "PAGE_CS";

} // namespace

CPageRegistry::CPageRegistry(SParts parts, QString firstPage, QObject* parent)
    : QObject(parent), m_parts(parts), m_firstPage(std::move(firstPage))
{
    // Lists that pick an output show the names this terminal gives them.
    SetOutputNameSource([&session = m_parts.session](int output) { return OutputName(session, output); });
}

CPageRegistry::~CPageRegistry()
{
    SetOutputNameSource(nullptr);
}

void CPageRegistry::Register()
{
    RegisterToolViews();
    CNavigationBar& navigation = m_parts.navigation;
    const QStringList itemKeys = navigation.ItemKeys();
    for (const QString& key : itemKeys) {
        bool hasPage = false;
        for (const auto& page : m_parts.session.Pages()) {
            if (QString::fromStdString(page->Info().navKey) == key) {
                m_pageOfKey[key] = page.get();
                hasPage = true;
                break;
            }
        }
        navigation.SetItemEnabled(key, hasPage);
    }

    // The pages no classic item selects, in the folders by subject under
    // their class names (which cannot clash with the TABS keys).
    std::vector<std::pair<QString, QString>> otherPages;
    for (const auto& page : m_parts.session.Pages()) {
        const SPageInfo& info = page->Info();
        if (itemKeys.contains(QString::fromStdString(info.navKey)))
            continue;
        const QString key = QString::fromStdString(info.className);
        m_pageOfKey[key] = page.get();
        otherPages.emplace_back(key, Caption(*page));
    }
    navigation.SetAllPagesItems(std::move(otherPages));
    // Every page is in reach unless the classic four folders were chosen.
    navigation.SetShowAllPages(CPreferences().value(QLatin1String(kShowAllPagesSetting), true).toBool());
    connect(&navigation, &CNavigationBar::showAllPagesChanged, this, [this](bool show) {
        CPreferences().setValue(QLatin1String(kShowAllPagesSetting), show);
        // A page of the folders that went away makes room for a classic one.
        if (!show && m_parts.navigation.AllPagesKeys().contains(m_shownKey))
            SelectFirst();
    });

    // Views are made when first shown, but those that keep what the
    // terminal sends while hidden.
    for (const auto& [key, page] : m_pageOfKey) {
        if (IsMadeWithWindow(page->Info().className))
            ViewOf(key);
    }
}

CPageView* CPageRegistry::ViewOf(const QString& key)
{
    if (const auto made = m_views.find(key); made != m_views.end())
        return made->second;
    const auto found = m_pageOfKey.find(key);
    if (found == m_pageOfKey.end())
        return nullptr;
    CPage& page = *found->second;
    // The last picture saved is shown until a new one arrives.
    if (const std::string& picture = page.Info().pictureFile; !picture.empty())
        page.ShowPictureFile(QDir::current().filePath(QString::fromStdString(picture)).toStdString());
    CPageView* view =
        CreatePageView({page, m_parts.session, m_parts.catalogue, m_parts.linkSettings, nullptr});
    if (view == nullptr)
        return nullptr;
    m_views[key] = view;
    m_viewOfPage[&page] = view;
    if (!buttonsAllowed())
        view->SetPageButtonsEnabled(false);
    // Generic views scroll; a page's own view fills the area itself.
    QWidget* shown = view;
    if (!HasOwnPageView(page.Info().className)) {
        auto* scroll = new QScrollArea(&m_parts.stack);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(view);
        shown = scroll;
    }
    m_parts.stack.addWidget(shown);
    m_widgets[key] = shown;
    connect(view, &CPageView::editsChanged, this,
            [this, key](bool edited) { m_parts.navigation.SetItemEdited(key, edited); });
    return view;
}

CPageView* CPageRegistry::ViewOf(const CPage& page) const
{
    const auto view = m_viewOfPage.find(&page);
    return view == m_viewOfPage.end() ? nullptr : view->second;
}

void CPageRegistry::AddOverview(QWidget* overview)
{
    m_parts.stack.addWidget(overview);
    m_widgets[QString::fromLatin1(kOverviewItemKey)] = overview;
}

bool CPageRegistry::Show(const QString& key)
{
    const bool overview = key == QLatin1String(kOverviewItemKey) && m_widgets.contains(key);
    if (!m_parts.navigation.IsItemEnabled(key) || (!overview && ViewOf(key) == nullptr))
        return false;
    // The page that was current gets its buttons back.
    m_parts.progress.EnablePageButtons(true);
    m_parts.stack.setCurrentWidget(m_widgets.at(key));
    const auto page = m_pageOfKey.find(key);
    if (page != m_pageOfKey.end() && page->second->Info().becomesCurrent)
        m_currentView = ViewOf(key);
    m_shownKey = key;
    m_parts.navigation.MarkCurrent(key);
    return true;
}

bool CPageRegistry::ShowFound(const QString& key, const QString& fieldId)
{
    CNavigationBar& navigation = m_parts.navigation;
    if (navigation.AllPagesKeys().contains(key) && !navigation.ShowsAllPages())
        navigation.SetShowAllPages(true);
    if (!Show(key))
        return false;
    if (!fieldId.isEmpty())
        if (CPageView* view = ViewOf(key))
            view->FocusField(fieldId.toStdString());
    return true;
}

void CPageRegistry::Step(int step)
{
    // In the order the navigation shows its items, the subject folders' too.
    QStringList keys = m_parts.navigation.ItemKeys();
    if (m_parts.navigation.ShowsAllPages())
        keys += m_parts.navigation.AllPagesKeys();
    const qsizetype count = keys.size();
    const qsizetype at = keys.indexOf(m_shownKey);
    for (qsizetype i = 1; i <= count; ++i) {
        const qsizetype next = ((at < 0 ? (step > 0 ? -1 : 0) : at) + step * i % count + count) % count;
        if (Show(keys[next]))
            return;
    }
}

void CPageRegistry::SelectFirst()
{
    const QString remembered = CPreferences().value(QLatin1String(kLastPageSetting)).toString();
    for (const QString& key : {m_firstPage, remembered, QString::fromLatin1(kFirstPageKey)}) {
        if (!key.isEmpty() && Show(key))
            return;
    }
    for (const QString& key : m_parts.navigation.ItemKeys()) {
        if (Show(key))
            return;
    }
}

QString CPageRegistry::Caption(const CPage& page) const
{
    return QString::fromStdString(PageCaption(page, m_parts.catalogue));
}

void CPageRegistry::SetButtons(CPageView& view, bool on) const
{
    view.SetPageButtonsEnabled(on && buttonsAllowed());
}

} // namespace orlan

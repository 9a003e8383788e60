// The main window's construction, layout and navigation.
#include "app/OrlanDlg.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/ElidingLabel.h"
#include "app/LanguageMenu.h"
#include "app/LinkBar.h"
#include "app/NavigationBar.h"
#include "app/PageSearch.h"
#include "app/PortDoctorDialog.h"
#include "app/SysProgress.h"
#include "console/StatusTexts.h"
#include "labels/CommonLabelKeys.h"
#include "pages/network/MmsSetupPage.h"
#include "session/PageAccess.h"
#include "tools/ConsoleTerminalPage.h"
#include "tools/ToolViews.h"
#include "widgets/LazyIcons.h"
#include "widgets/PageView.h"
#include "widgets/PageViewFactory.h"
#include "OrlanVersion.h"

namespace orlan {

namespace {

constexpr char kFirstPageKey[] = "PAGE_CS";

SProgressTexts ProgressTexts(const CLabelCatalogue& catalogue)
{
    auto text = [&catalogue](std::string_view key) { return catalogue.Lookup(key, kSectionSysMsg); };
    return {text(kMsgProgress), text(kMsgReading), text(kMsgProcessing)};
}

CElidingLabel* StatusLabel(const char* name, QWidget* parent)
{
    auto* label = new CElidingLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    // Long texts end in "..." rather than widening the window.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMinimumWidth(60);
    return label;
}

} // namespace

COrlanDlg::COrlanDlg(CLabelCatalogue catalogue, SStartOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_catalogue(std::move(catalogue)),
      m_options(std::move(options)),
      m_progress(ProgressTexts(m_catalogue))
{
    m_session.Receive().SetStatusTexts(LoadStatusTexts(m_catalogue));
    m_progress.applyPageButtons = [this](bool on) {
        if (m_currentView == nullptr)
            return false;
        SetPageButtons(*m_currentView, on);
        return true;
    };
    m_linkClock.start();

    BuildWindow();
    ApplyStartOptions();
    SelectFirstPage();

    connect(&m_port, &CSerialPort::portOpened, this, [this] { RefreshPortState(); });
    connect(&m_port, &CSerialPort::portClosed, this, [this](const QString& reason) {
        RefreshPortState();
        // A loss already says what is being done about it.
        if (m_linkHealth.State(m_linkClock.elapsed()) == CLinkHealth::EState::Closed)
            SetLinkText(reason.isEmpty() ? tr("Port closed") : reason);
    });
    connect(&m_portWatcher, &CPortWatcher::portsChanged, m_linkBar, &CLinkBar::RefreshPorts);
    // The status line, not the link text: the channel's closing reason comes after.
    connect(&m_reconnector, &CReconnector::statusText, this,
            [this](const QString& text) { m_status->SetFullText(text); });
    connect(&m_reconnector, &CReconnector::reconnected, this, [this] { RefreshPortState(); });
    m_reconnector.readWhole = [this] { ReloadAfterAsking(); };
    // Named, so a lag probe can tell the window's timers apart.
    m_portLamp.setObjectName(QStringLiteral("portLamp"));
    m_portLamp.setInterval(kPortLampMs);
    connect(&m_portLamp, &QTimer::timeout, this, [this] { RefreshPortState(); });
    m_portLamp.start();

    OpenPort();
    // The whole-configuration read runs as soon as the event loop starts.
    QTimer::singleShot(0, this, [this] { m_session.Reload(); });
}

COrlanDlg::~COrlanDlg()
{
    m_progress.changed = nullptr;
    m_progress.applyPageButtons = nullptr;
    m_link.Close();
    // The page views go before the pages they show.
    delete takeCentralWidget();
}

QString COrlanDlg::Text(std::string_view key, std::string_view section) const
{
    return QString::fromStdString(m_catalogue.Lookup(key, section));
}

void COrlanDlg::BuildWindow()
{
    setWindowTitle(QString::fromStdString(HeaderTitle(m_catalogue)));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildHeader());
    layout->addWidget(BuildCommandBar());
    auto* rule = new QFrame(central);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);

    m_splitter = new QSplitter(Qt::Horizontal, central);
    m_splitter->setObjectName(QStringLiteral("mainSplitter"));
    auto* navigationPanel = new QWidget(m_splitter);
    auto* navigationLayout = new QVBoxLayout(navigationPanel);
    navigationLayout->setContentsMargins(6, 6, 0, 0);
    navigationLayout->setSpacing(4);
    m_search = new CPageSearchBox(navigationPanel);
    m_search->setPlaceholderText(tr("Find a setting (Ctrl+F)"));
    m_search->setToolTip(tr("Find a page or a setting by its caption (Ctrl+F)"));
    navigationLayout->addWidget(m_search);
    m_navigation = new CNavigationBar(m_catalogue, navigationPanel);
    m_navigation->setMinimumWidth(200);
    navigationLayout->addWidget(m_navigation, 1);
    m_splitter->addWidget(navigationPanel);
    m_splitter->addWidget(BuildPageArea());
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({240, 960});
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);

    BuildStatusBar();
    CreatePageViews();
    m_search->SetEntrySource([this] {
        return BuildSearchEntries(m_pageOfKey, m_catalogue, [this](const CPage& page) { return Caption(page); });
    });
    connect(m_search, &CPageSearchBox::found, this, &COrlanDlg::ShowFound);
    connect(m_navigation, &CNavigationBar::itemChosen, this, [this](const QString& key) { ShowPage(key); });
    BuildMenus();
}

void COrlanDlg::BuildMenus()
{
    QMenu* link = menuBar()->addMenu(tr("&Port"));
    link->setObjectName(QStringLiteral("portMenu"));
    link->addAction(m_linkBar->ReconnectAction());
    link->addAction(m_linkBar->OtherPortAction());
    link->addSeparator();
    link->addAction(m_linkBar->ShowAllPortsAction());

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    // The navigation bar's context menu entry, visible here too.
    view->addAction(m_navigation->ShowAllPagesAction());
    view->addSeparator();
    auto addKeyed = [this, view](const char* name, const QString& text, const QKeySequence& keys, auto handler) {
        QAction* action = view->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText)));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    addKeyed("actionNextPage", tr("Next page"), QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { StepPage(1); });
    addKeyed("actionPreviousPage", tr("Previous page"), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
             [this] { StepPage(-1); });
    addKeyed("actionFind", tr("Find a setting"), QKeySequence(QKeySequence::Find), [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    addKeyed("actionSavePage", tr("Write the page to the terminal"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] {
        if (m_currentView != nullptr && m_currentView == PageViewOf(m_shownKey))
            m_currentView->WritePage();
    });
    menuBar()->addMenu(CreateLanguageMenu(this));
}

void COrlanDlg::StepPage(int step)
{
    // In the order the navigation shows its items, the subject folders' too.
    QStringList keys = m_navigation->ItemKeys();
    if (m_navigation->ShowsAllPages())
        keys += m_navigation->AllPagesKeys();
    const qsizetype count = keys.size();
    const qsizetype at = keys.indexOf(m_shownKey);
    for (qsizetype i = 1; i <= count; ++i) {
        const qsizetype next = ((at < 0 ? (step > 0 ? -1 : 0) : at) + step * i % count + count) % count;
        if (ShowPage(keys[next]))
            return;
    }
}

QWidget* COrlanDlg::BuildHeader()
{
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("header"));
    header->setAutoFillBackground(true);
    QPalette palette = header->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    header->setPalette(palette);

    auto* title = new QLabel(QString::fromStdString(HeaderTitle(m_catalogue)), header);
    // A narrow window cuts the title, not the link controls beside it.
    title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    title->setMinimumWidth(80);
    title->setObjectName(QStringLiteral("headerTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    // The unit's line under the title; the tool's own version apart and
    // small, so nobody takes it for the terminal's firmware.
    m_headerUnit = new QLabel(header);
    m_headerUnit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_headerUnit->setObjectName(QStringLiteral("headerUnit"));
    m_headerUnit->setTextFormat(Qt::PlainText);
    auto* version = new QLabel(tr("Orlan tool %1").arg(QString::fromLatin1(kOrlanVersion)), header);
    version->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    version->setObjectName(QStringLiteral("headerVersion"));
    version->setForegroundRole(QPalette::PlaceholderText);
    QFont versionFont = version->font();
    versionFont.setPointSizeF(versionFont.pointSizeF() * 0.85);
    version->setFont(versionFont);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(title);
    titles->addWidget(m_headerUnit);
    titles->addWidget(version);

    m_linkBar = new CLinkBar(m_catalogue, m_linkSettings, header);
    auto* layout = new QHBoxLayout(header);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->addLayout(titles, 1);
    layout->addWidget(m_linkBar, 0, Qt::AlignVCenter);

    connect(m_linkBar, &CLinkBar::portChosen, this, [this] { OnPortChosen(); });
    connect(m_linkBar, &CLinkBar::otherPortEntered, this, &COrlanDlg::OnOtherPort);
    connect(m_linkBar, &CLinkBar::reconnectRequested, this, &COrlanDlg::OnReconnect);
    connect(m_linkBar->ShowAllPortsAction(), &QAction::toggled, this,
            [](bool show) { CPreferences().setValue(QLatin1String(kShowAllPortsSetting), show); });
    connect(m_linkBar, &CLinkBar::parityChosen, this, [this] { ApplyParity(); });
    connect(m_linkBar, &CLinkBar::passwordEdited, this,
            [this](const QString& password) { m_session.SetPassword(password.toStdString()); });
    connect(m_linkBar, &CLinkBar::loginClicked, this,
            [this] { m_session.Login(m_catalogue.Lookup(kMsgHaveLogin, kSectionSysMsg)); });
    return header;
}

QWidget* COrlanDlg::BuildCommandBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("commandBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->setIconSize(QSize(18, 18));
    bar->setContentsMargins(8, 2, 8, 2);
    auto add = [this, bar](const char* name, std::string_view key, QStyle::StandardPixmap icon, auto handler) {
        QAction* action = bar->addAction(StyleIcon(icon), Text(key, kSectionSysBtn));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add("actionSetup", "SETUP", QStyle::SP_DialogApplyButton, [this] { OnSetup(); })
        ->setToolTip(tr("Bring the terminal into its setup mode"));
    QAction* reload = add("actionReload", "RELOAD", QStyle::SP_BrowserReload, [this] { ReloadAfterAsking(); });
    reload->setShortcut(QKeySequence(Qt::Key_F5));
    reload->setToolTip(tr("Read the whole configuration from the terminal (F5)"));
    add("actionRestart", "RESTART", QStyle::SP_MediaSkipBackward, [this] { OnRestartClicked(); })
        ->setToolTip(tr("Restart the terminal (asks first)"));
    bar->addSeparator();
    add("actionSave", "SAVE", QStyle::SP_DialogSaveButton, [this] { OnSaveProfile(); })
        ->setToolTip(tr("Save the pages' configuration as a profile file"));
    QAction* compare = bar->addAction(StyleIcon(QStyle::SP_FileDialogContentsView),
                                      tr("Compare with profile..."));
    compare->setObjectName(QStringLiteral("actionCompare"));
    compare->setToolTip(tr("Show how the terminal's configuration differs from a profile file"));
    connect(compare, &QAction::triggered, this, [this] { OnCompareProfile(); });
    add("actionExec", "EXEC", QStyle::SP_MediaPlay, [this] { OnExecuteProfile(); })
        ->setToolTip(tr("Send a profile file to the terminal"));
    bar->addSeparator();
    add("actionDefaults", "DEFAULTS", QStyle::SP_DialogResetButton, [this] { OnDefaultsClicked(); })
        ->setToolTip(tr("Reset the terminal to its factory settings (asks first)"));

    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    QAction* about = bar->addAction(StyleIcon(QStyle::SP_MessageBoxInformation), QString());
    about->setObjectName(QStringLiteral("actionAbout"));
    about->setToolTip(tr("About"));
    connect(about, &QAction::triggered, this, [this] { OnAbout(); });
    return bar;
}

QWidget* COrlanDlg::BuildPageArea()
{
    // Each page view carries its own heading.
    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("pageStack"));
    m_stack->setContentsMargins(12, 8, 12, 4);
    // Shown while no page is chosen.
    m_stack->addWidget(new QWidget(m_stack));
    return m_stack;
}

void COrlanDlg::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    m_status = StatusLabel("statusText", bar);
    m_secondStatus = StatusLabel("secondStatusText", bar);
    m_jobReport = StatusLabel("jobReport", bar);
    m_linkText = StatusLabel("linkText", bar);
    // The device in use and why a port failed matter most: room for them.
    m_linkText->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_linkText->setMaximumWidth(760);
    m_sysProgress = new CSysProgress(m_progress, bar);
    // Offered while the port does not open: why, and what to do about it.
    m_portDoctor = new QToolButton(bar);
    m_portDoctor->setObjectName(QStringLiteral("portDoctorButton"));
    m_portDoctor->setText(tr("Why?"));
    m_portDoctor->setToolTip(tr("Examine the port: permission, other programs using it, ModemManager"));
    m_portDoctor->setAutoRaise(true);
    m_portDoctor->hide();
    connect(m_portDoctor, &QToolButton::clicked, this, [this] { ShowPortDoctor(this, m_port.DevicePath()); });
    bar->addWidget(m_status, 3);
    bar->addWidget(m_secondStatus, 2);
    bar->addWidget(m_jobReport, 3);
    bar->addPermanentWidget(m_sysProgress);
    bar->addPermanentWidget(m_linkText);
    bar->addPermanentWidget(m_portDoctor);
}

void COrlanDlg::CreatePageViews()
{
    RegisterToolViews();
    const QStringList itemKeys = m_navigation->ItemKeys();
    for (const QString& key : itemKeys) {
        bool hasPage = false;
        for (const auto& page : m_session.Pages()) {
            if (QString::fromStdString(page->Info().navKey) == key) {
                m_pageOfKey[key] = page.get();
                hasPage = true;
                break;
            }
        }
        m_navigation->SetItemEnabled(key, hasPage);
    }

    // The pages no classic item selects, in the folders by subject under
    // their class names (which cannot clash with the TABS keys).
    std::vector<std::pair<QString, QString>> otherPages;
    for (const auto& page : m_session.Pages()) {
        const SPageInfo& info = page->Info();
        if (itemKeys.contains(QString::fromStdString(info.navKey)))
            continue;
        const QString key = QString::fromStdString(info.className);
        m_pageOfKey[key] = page.get();
        otherPages.emplace_back(key, Caption(*page));
    }
    m_navigation->SetAllPagesItems(std::move(otherPages));
    // Every page is in reach unless the classic four folders were chosen.
    m_navigation->SetShowAllPages(CPreferences().value(QLatin1String(kShowAllPagesSetting), true).toBool());
    connect(m_navigation, &CNavigationBar::showAllPagesChanged, this, [this](bool show) {
        CPreferences().setValue(QLatin1String(kShowAllPagesSetting), show);
        // A page of the folders that went away makes room for a classic one.
        if (!show && m_navigation->AllPagesKeys().contains(m_shownKey))
            SelectFirstPage();
    });

    // Views are made when first shown, but those that keep what the
    // terminal sends while hidden.
    for (const auto& [key, page] : m_pageOfKey) {
        if (IsMadeWithWindow(page->Info().className))
            EnsurePageView(key);
    }
}

CPageView* COrlanDlg::EnsurePageView(const QString& key)
{
    if (const auto made = m_pageViews.find(key); made != m_pageViews.end())
        return made->second;
    const auto found = m_pageOfKey.find(key);
    if (found == m_pageOfKey.end())
        return nullptr;
    CPage& page = *found->second;
    // The last camera picture saved is shown until a new one arrives.
    if (auto* mms = dynamic_cast<CPageMmsSetup*>(&page))
        mms->ShowPictureFile(QDir::current()
                                 .filePath(QString::fromLatin1(CPageMmsSetup::kPictureFile.data(),
                                                               CPageMmsSetup::kPictureFile.size()))
                                 .toStdString());
    CPageView* pageView = CreatePageView({page, m_session, m_catalogue, m_linkSettings, nullptr});
    if (pageView == nullptr)
        return nullptr;
    m_pageViews[key] = pageView;
    m_viewOfPage[&page] = pageView;
    if (!m_linkHealth.TerminalActionsAllowed())
        pageView->SetPageButtonsEnabled(false);
    // Generic views scroll; a page's own view fills the area itself.
    QWidget* shown = pageView;
    if (!HasOwnPageView(page.Info().className)) {
        auto* scroll = new QScrollArea(m_stack);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(pageView);
        shown = scroll;
    }
    m_stack->addWidget(shown);
    m_pageWidgets[key] = shown;
    connect(pageView, &CPageView::editsChanged, this, [this, key](bool edited) {
        m_navigation->SetItemEdited(key, edited);
    });
    return pageView;
}

bool COrlanDlg::ShowFound(const QString& key, const QString& fieldId)
{
    // A page no classic item lists is found too: its folder comes back.
    if (m_navigation->AllPagesKeys().contains(key) && !m_navigation->ShowsAllPages())
        m_navigation->SetShowAllPages(true);
    if (!ShowPage(key))
        return false;
    if (!fieldId.isEmpty())
        if (CPageView* view = PageViewOf(key))
            view->FocusField(fieldId.toStdString());
    return true;
}

void COrlanDlg::SelectFirstPage()
{
    const QString remembered = CPreferences().value(QLatin1String(kLastPageSetting)).toString();
    for (const QString& key : {m_options.firstPage, remembered, QString::fromLatin1(kFirstPageKey)}) {
        if (!key.isEmpty() && ShowPage(key))
            return;
    }
    for (const QString& key : m_navigation->ItemKeys()) {
        if (ShowPage(key))
            return;
    }
}

bool COrlanDlg::ShowPage(const QString& key)
{
    if (!m_navigation->IsItemEnabled(key) || EnsurePageView(key) == nullptr)
        return false;
    const auto found = m_pageWidgets.find(key);
    // The page that was current gets its buttons back.
    m_progress.EnablePageButtons(true);
    m_stack->setCurrentWidget(found->second);
    const auto page = m_pageOfKey.find(key);
    if (page != m_pageOfKey.end() && page->second->Info().becomesCurrent)
        m_currentView = PageViewOf(key);
    m_shownKey = key;
    m_navigation->MarkCurrent(key);
    return true;
}

CPageView* COrlanDlg::PageViewOf(const QString& key)
{
    return EnsurePageView(key);
}

QString COrlanDlg::StatusText() const
{
    return m_status->FullText();
}

QString COrlanDlg::SecondStatusText() const
{
    return m_secondStatus->FullText();
}

QString COrlanDlg::JobReportText() const
{
    return m_jobReport->FullText();
}

QString COrlanDlg::LinkText() const
{
    return m_linkText->FullText();
}

} // namespace orlan

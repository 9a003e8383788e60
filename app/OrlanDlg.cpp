// The main window's construction, layout and navigation.
#include "app/OrlanDlg.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/EditsGuard.h"
#include "app/ElidingLabel.h"
#include "app/JobReportLine.h"
#include "app/LanguageMenu.h"
#include "app/LinkBar.h"
#include "app/MessageCentre.h"
#include "app/NavigationBar.h"
#include "app/PageRegistry.h"
#include "app/PageSearch.h"
#include "app/PortController.h"
#include "app/PortDoctorDialog.h"
#include "app/ProfileController.h"
#include "app/SysProgress.h"
#include "console/StatusTexts.h"
#include "labels/CommonLabelKeys.h"
#include "tools/ConsoleTerminalPage.h"
#include "widgets/LazyIcons.h"
#include "widgets/PageView.h"
#include "OrlanVersion.h"

namespace orlan {

namespace {

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
        CPageView* current = m_pages != nullptr ? m_pages->CurrentView() : nullptr;
        if (current == nullptr)
            return false;
        m_pages->SetButtons(*current, on);
        return true;
    };

    BuildWindow();
    if (!m_ports->ApplyStartOptions(m_options))
        m_status->SetFullText(Text(kMsgNoUsb, kSectionSysMsg));
    m_session.SetPassword(m_linkBar->Password().toStdString());
    m_splitter->restoreState(CPreferences().value(QLatin1String(kSplitterSetting)).toByteArray());
    m_pages->SelectFirst();

    connect(&m_portWatcher, &CPortWatcher::portsChanged, m_linkBar, &CLinkBar::RefreshPorts);
    // The status line, not the link text: the channel's closing reason comes after.
    connect(&m_reconnector, &CReconnector::statusText, this,
            [this](const QString& text) { m_status->SetFullText(text); });
    m_reconnector.readWhole = [this] { ReloadAfterAsking(); };

    m_ports->Open();
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
    // Each page view carries its own heading.
    m_stack = new QStackedWidget(m_splitter);
    m_stack->setObjectName(QStringLiteral("pageStack"));
    m_stack->setContentsMargins(12, 8, 12, 4);
    // Shown while no page is chosen.
    m_stack->addWidget(new QWidget(m_stack));
    m_splitter->addWidget(m_stack);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({240, 960});
    m_splitter->setChildrenCollapsible(false);
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);

    BuildStatusBar();
    BuildParts();
    m_search->SetEntrySource([this] {
        return BuildSearchEntries(m_pages->PagesByKey(), m_catalogue,
                                  [this](const CPage& page) { return m_pages->Caption(page); });
    });
    connect(m_search, &CPageSearchBox::found, m_pages, &CPageRegistry::ShowFound);
    connect(m_navigation, &CNavigationBar::itemChosen, this, [this](const QString& key) { ShowPage(key); });
    BuildMenus();
}

void COrlanDlg::BuildParts()
{
    m_messages = new CMessageCentre(*this, m_catalogue);
    m_messages->showStatus = [this](const QString& text) { m_status->SetFullText(text); };
    m_pages = new CPageRegistry({m_session, m_catalogue, m_linkSettings, *m_navigation, *m_stack, m_progress},
                                m_options.firstPage, this);
    m_pages->buttonsAllowed = [this] { return m_ports == nullptr || m_ports->TerminalActionsAllowed(); };
    m_edits = new CEditsGuard(*this, *m_pages, m_session);
    m_reports = new CJobReportLine(*m_jobReport, *statusBar(), m_catalogue);
    m_profiles = new CProfileController({*this, m_session, m_catalogue, *m_messages, *m_reports});
    m_profiles->showStatus = m_messages->showStatus;
    m_ports = new CPortController(
        {m_link, m_reconnector, m_linkSettings, *m_linkBar, *m_linkText, *m_portDoctor, *m_edits, *m_messages}, this);
    connect(m_ports, &CPortController::opening, m_headerUnit, &QLabel::clear);
    connect(m_ports, &CPortController::switched, this, [this] {
        m_status->SetFullText({});
        m_secondStatus->SetFullText({});
    });
    connect(m_ports, &CPortController::terminalActionsChanged, this, &COrlanDlg::ApplyLinkToActions);
    connect(m_ports, &CPortController::reconnectAsked, this, &COrlanDlg::ReloadAfterAsking);
    m_pages->Register();
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
    addKeyed("actionNextPage", tr("Next page"), QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { m_pages->Step(1); });
    addKeyed("actionPreviousPage", tr("Previous page"), QKeySequence(Qt::CTRL | Qt::Key_PageUp),
             [this] { m_pages->Step(-1); });
    addKeyed("actionFind", tr("Find a setting"), QKeySequence(QKeySequence::Find), [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    addKeyed("actionSavePage", tr("Write the page to the terminal"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] {
        CPageView* current = m_pages->CurrentView();
        if (current != nullptr && current == PageViewOf(m_pages->ShownKey()))
            current->WritePage();
    });
    menuBar()->addMenu(CreateLanguageMenu(this));
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
    add("actionSave", "SAVE", QStyle::SP_DialogSaveButton, [this] { m_profiles->Save(); })
        ->setToolTip(tr("Save the pages' configuration as a profile file"));
    QAction* compare = bar->addAction(StyleIcon(QStyle::SP_FileDialogContentsView),
                                      tr("Compare with profile..."));
    compare->setObjectName(QStringLiteral("actionCompare"));
    compare->setToolTip(tr("Show how the terminal's configuration differs from a profile file"));
    connect(compare, &QAction::triggered, this, [this] { m_profiles->Compare(); });
    add("actionExec", "EXEC", QStyle::SP_MediaPlay, [this] { m_profiles->Execute(); })
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
    connect(about, &QAction::triggered, this, [this] {
        m_messages->Open(QMessageBox::Information,
                         tr("%1\nVersion %2\n\nConfigures GSM/GPRS alarm and telemetry terminals over their serial "
                            "console.\nLicence: GPL-3.0-or-later")
                             .arg(windowTitle(), QString::fromLatin1(kOrlanVersion)));
    });
    return bar;
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
    connect(m_portDoctor, &QToolButton::clicked, this, [this] { ShowPortDoctor(this, m_link.Port().DevicePath()); });
    bar->addWidget(m_status, 3);
    bar->addWidget(m_secondStatus, 2);
    bar->addWidget(m_jobReport, 3);
    bar->addPermanentWidget(m_sysProgress);
    bar->addPermanentWidget(m_linkText);
    bar->addPermanentWidget(m_portDoctor);
}

bool COrlanDlg::ShowPage(const QString& key)
{
    return m_pages->Show(key);
}

const QString& COrlanDlg::ShownPage() const
{
    return m_pages->ShownKey();
}

CPageView* COrlanDlg::CurrentPageView() const
{
    return m_pages->CurrentView();
}

CPageView* COrlanDlg::PageViewOf(const QString& key)
{
    return m_pages->ViewOf(key);
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

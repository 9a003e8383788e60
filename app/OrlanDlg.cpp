// The main window's construction: its widgets, its parts and how they are
// wired to each other.
#include "app/OrlanDlg.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppSettings.h"
#include "app/CommandBar.h"
#include "app/EditsGuard.h"
#include "app/JobReportLine.h"
#include "app/LanguageMenu.h"
#include "app/LinkBar.h"
#include "app/MessageCentre.h"
#include "app/NavigationBar.h"
#include "app/OfflineProfile.h"
#include "app/PageRegistry.h"
#include "app/PasswordKeeper.h"
#include "app/HistoryWindow.h"
#include "app/PageSearch.h"
#include "app/StatusOverviewView.h"
#include "app/PortController.h"
#include "app/PortDoctorDialog.h"
#include "app/ProfileController.h"
#include "app/ProfileVerification.h"
#include "app/StatusLine.h"
#include "app/WindowHeader.h"
#include "console/StatusTexts.h"
#include "labels/CommonLabelKeys.h"
#include "widgets/PageView.h"

namespace orlan {

namespace {

SProgressTexts ProgressTexts(const CLabelCatalogue& catalogue)
{
    auto text = [&catalogue](std::string_view key) { return catalogue.Lookup(key, kSectionSysMsg); };
    return {text(kMsgProgress), text(kMsgReading), text(kMsgProcessing)};
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
    m_progress.activity = [this] {
        if (m_session.Receive().SetupRequested())
            return EProgressActivity::Setup;
        if (m_session.Queue().Busy())
            return EProgressActivity::Writing;
        const CTerminalSession::EWholeRead read = m_session.WholeRead();
        if (read == CTerminalSession::EWholeRead::Settling || read == CTerminalSession::EWholeRead::Requested ||
            m_session.PageReadPending())
            return EProgressActivity::Reading;
        return EProgressActivity::Idle;
    };

    BuildWindow();
    if (!m_ports->ApplyStartOptions(m_options))
        m_status->Status(QString::fromStdString(m_catalogue.Lookup(kMsgNoUsb, kSectionSysMsg)));
    m_session.SetPassword(LinkBar().Password().toStdString());
    RecallPassword();
    m_splitter->restoreState(CPreferences().value(QLatin1String(kSplitterSetting)).toByteArray());
    m_pages->SelectFirst();

    connect(&m_portWatcher, &CPortWatcher::portsChanged, &LinkBar(), &CLinkBar::RefreshPorts);
    // The status line, not the link text: the channel's closing reason comes after.
    connect(&m_reconnector, &CReconnector::statusText, m_status, &CStatusLine::Status);
    m_reconnector.readWhole = [this] { m_commands->ReloadAfterAsking(); };

    m_ports->Open();
    // The whole-configuration read runs as soon as the event loop starts,
    // unless a profile file is to be shown instead.
    if (!m_options.profilePath.isEmpty() && m_offline->OpenFrom(m_options.profilePath)) {
        if (!m_options.firstPage.isEmpty())
            m_pages->Show(m_options.firstPage);
        return;
    }
    QTimer::singleShot(0, this, [this] { m_session.Reload(); });
}

void COrlanDlg::RecallPassword()
{
    const QString port = m_link.Port().DevicePath();
    const bool remembered = m_passwords->Remembers(port);
    LinkBar().SetRemembersPassword(remembered);
    // A password given on the command line wins over the keyring's.
    if (!remembered || m_options.password)
        return;
    m_passwords->Recall(port, [this, port](const QString& password) {
        if (m_link.Port().DevicePath() != port)
            return;  // another port was chosen meanwhile
        LinkBar().SetPassword(password);
        m_session.SetPassword(password.toStdString());
    });
}

void COrlanDlg::OnLoginSuccess()
{
    // The password that worked is the one to keep.
    if (LinkBar().RemembersPassword())
        m_passwords->Remember(m_link.Port().DevicePath(), LinkBar().Password());
}

void COrlanDlg::OnBeep()
{
    if (m_beepAction != nullptr && m_beepAction->isChecked())
        QApplication::beep();
}

COrlanDlg::~COrlanDlg()
{
    m_progress.changed = nullptr;
    m_progress.applyPageButtons = nullptr;
    m_progress.activity = nullptr;
    m_link.Close();
    // The page views go before the pages they show.
    delete takeCentralWidget();
}

CLinkBar& COrlanDlg::LinkBar() const
{
    return m_header->LinkBar();
}

void COrlanDlg::BuildWindow()
{
    setWindowTitle(QString::fromStdString(HeaderTitle(m_catalogue)));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_header = new CWindowHeader(m_catalogue, m_linkSettings, central);
    layout->addWidget(m_header);
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

    m_status = new CStatusLine(*statusBar(), m_progress);
    connect(&m_status->Doctor(), &QToolButton::clicked, this,
            [this] { ShowPortDoctor(this, m_link.Port().DevicePath()); });
    BuildParts();
    // Under the header, over the rule.
    layout->insertWidget(1, m_commands);
    layout->insertWidget(3, m_offline->CreateBanner(central));
    connect(m_stack, &QStackedWidget::currentChanged, m_offline, [this](int index) {
        // The registry names the key only after the stack has switched: the page by its view.
        const QWidget* shown = m_stack->widget(index);
        const CPage* page = nullptr;
        for (const auto& [key, view] : m_pages->Views()) {
            if (shown != nullptr && (view == shown || shown->isAncestorOf(view)))
                page = view->Page();
        }
        m_offline->PageShown(page);
    });

    CLinkBar& linkBar = LinkBar();
    connect(&linkBar, &CLinkBar::passwordEdited, this,
            [this](const QString& password) { m_session.SetPassword(password.toStdString()); });
    connect(&linkBar, &CLinkBar::loginClicked, this,
            [this] { m_session.Login(m_catalogue.Lookup(kMsgHaveLogin, kSectionSysMsg)); });
    m_search->SetEntrySource([this] {
        return BuildSearchEntries(m_pages->PagesByKey(), m_catalogue,
                                  [this](const CPage& page) { return m_pages->Caption(page); });
    });
    connect(m_search, &CPageSearchBox::found, m_pages, &CPageRegistry::ShowFound);
    connect(m_navigation, &CNavigationBar::itemChosen, m_pages, &CPageRegistry::Show);
    BuildMenus();
}

void COrlanDlg::BuildParts()
{
    m_messages = new CMessageCentre(*this, m_catalogue);
    m_messages->showStatus = [this](const QString& text) { m_status->Status(text); };
    m_pages = new CPageRegistry({m_session, m_catalogue, m_linkSettings, *m_navigation, *m_stack, m_progress},
                                m_options.firstPage, this);
    m_pages->buttonsAllowed = [this] { return m_ports == nullptr || m_ports->TerminalActionsAllowed(); };
    m_edits = new CEditsGuard(*this, *m_pages, m_session);
    m_reports = new CJobReportLine(m_status->JobReport(), *statusBar(), m_catalogue);
    m_profiles = new CProfileController({*this, m_session, m_catalogue, *m_messages, *m_reports});
    m_profiles->showStatus = m_messages->showStatus;
    m_profiles->Verification().showOutcome = [this](const QString& text, bool failed) {
        if (failed)
            m_status->StatusAsFailure(text);
        else
            m_status->StatusAnew(text);
    };
    m_ports = new CPortController({m_link, m_reconnector, m_linkSettings, LinkBar(), m_status->Link(),
                                   m_status->Doctor(), *m_edits, *m_messages},
                                  this);
    m_commands = new CCommandBar({m_session, m_catalogue, *m_messages, *m_profiles, *m_edits, *m_ports}, this);
    m_offline = new COfflineProfile({*this, m_session, m_catalogue, *m_messages, *m_edits, *m_profiles});
    m_offline->showStatus = m_messages->showStatus;
    connect(&m_link.Port(), &CSerialPort::portOpened, m_offline, &COfflineProfile::OnPortOpened);
    m_commands->askBeforeReading = [this](std::function<void()> read) { m_offline->AskBeforeReading(std::move(read)); };

    connect(m_ports, &CPortController::opening, m_header, &CWindowHeader::ClearUnit);
    connect(m_ports, &CPortController::switched, this, [this] {
        m_status->Status({});
        m_status->SecondStatus({});
        RecallPassword();
    });
    m_passwords = new CPasswordKeeper(this);
    connect(m_passwords, &CPasswordKeeper::unavailable, this, [this](const QString& why) { m_status->Status(why); });
    connect(&LinkBar(), &CLinkBar::rememberPasswordClicked, this, [this](bool on) {
        const QString port = m_link.Port().DevicePath();
        if (on)
            m_passwords->Remember(port, LinkBar().Password());
        else
            m_passwords->Forget(port);
    });
    connect(m_ports, &CPortController::terminalActionsChanged, this, &COrlanDlg::ApplyLinkToActions);
    connect(m_ports, &CPortController::reconnectAsked, m_commands, &CCommandBar::ReloadAfterAsking);
    m_pages->Register();
    m_pages->AddOverview(
        new CStatusOverviewView(m_session, m_catalogue, [this] { return m_link.Port().DevicePath(); }, m_stack));
    m_history.onError = [this](const std::string& why) { m_status->Status(QString::fromStdString(why)); };
}

void COrlanDlg::BuildMenus()
{
    CLinkBar& linkBar = LinkBar();
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    m_offline->FillMenu(*file);
    // Open beside SAVE on the command bar.
    if (auto* save = m_commands->findChild<QAction*>(QStringLiteral("actionSave"))) {
        QAction* open = file->findChild<QAction*>(QStringLiteral("actionOpenProfile"));
        open->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
        open->setToolTip(tr("Show a profile file in the pages, without a terminal (Ctrl+O)"));
        m_commands->insertAction(save, open);
    }
    QMenu* link = menuBar()->addMenu(tr("&Port"));
    link->setObjectName(QStringLiteral("portMenu"));
    link->addAction(linkBar.ReconnectAction());
    link->addAction(linkBar.OtherPortAction());
    link->addSeparator();
    link->addAction(linkBar.ShowAllPortsAction());

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    // The navigation bar's context menu entry, visible here too.
    view->addAction(m_navigation->ShowAllPagesAction());
    m_beepAction = view->addAction(tr("Beep on setup mode, login and the end of a read"));
    m_beepAction->setObjectName(QStringLiteral("actionBeep"));
    m_beepAction->setCheckable(true);
    m_beepAction->setChecked(CPreferences().value(QLatin1String(kBeepSetting), true).toBool());
    connect(m_beepAction, &QAction::toggled, this,
            [](bool on) { CPreferences().setValue(QLatin1String(kBeepSetting), on); });
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
    addKeyed("actionSavePage", tr("Write the page to the terminal"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W), [this] {
        CPageView* current = m_pages->CurrentView();
        if (current != nullptr && current == m_pages->ViewOf(m_pages->ShownKey()))
            current->WritePage(true);
    });
    view->addSeparator();
    QAction* history = view->addAction(tr("Configuration history..."));
    history->setObjectName(QStringLiteral("actionHistory"));
    connect(history, &QAction::triggered, this, [this] {
        ShowHistoryWindow(
            this, m_catalogue, [this](const QString& path) { m_offline->OpenAsking(path); },
            [this](const QString& path) {
                // The backup is the terminal as last read whole, never a
                // shown file's values or pages nobody read.
                const std::optional<std::string> terminal = m_offline->TerminalAsRead();
                const QString backup =
                    terminal ? tr("The terminal's configuration as last read is saved beside it first as a backup.")
                             : tr("No backup is saved: the terminal's configuration has not been read whole.");
                m_messages->Ask(QStringLiteral("restoreSnapshot"),
                                tr("Write the snapshot %1 to the terminal now?\n\nThe terminal is read again "
                                   "afterwards to check that it took effect.")
                                        .arg(QDir::toNativeSeparators(path))
                                    + QStringLiteral("\n\n") + backup,
                                [this, path, terminal](QMessageBox* box) {
                                    if (box->clickedButton() == box->button(QMessageBox::Yes))
                                        m_profiles->ExecuteFrom(path, terminal);
                                });
            });
    });
    menuBar()->addMenu(CreateLanguageMenu(this));
}

} // namespace orlan

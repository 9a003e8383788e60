#pragma once
// The main window: the view of the console session. It owns the serial
// channel with the session and every page, lays out the header, the
// command bar, the navigation, the page area and the status line, and
// composes the parts that do the work: the page registry, the port
// controller, the profile controller, the message centre, the
// unsaved-edits guard and the job report line. As the session's view it
// hands each report to the part it concerns. Nothing here waits: boxes and file choosers open
// without a nested event loop, so the receive path keeps running behind
// them.
#include <QMainWindow>
#include <QString>

#include <span>

#include "app/ProgressModel.h"
#include "app/StartOptions.h"
#include "labels/LabelCatalogue.h"
#include "link/PortWatcher.h"
#include "platform/RegSetting.h"
#include "session/TerminalSession.h"
#include "wiring/HistoryRecorder.h"
#include "wiring/Reconnector.h"
#include "wiring/TerminalLink.h"

class QAction;
class QSplitter;
class QTimer;
class QStackedWidget;

namespace orlan {

class CCommandBar;
class CEditsGuard;
class CJobReportLine;
class CLinkBar;
class CMessageCentre;
class CNavigationBar;
class COfflineProfile;
class CPageRegistry;
class CPasswordKeeper;
class CPageSearchBox;
class CPortController;
class CProfileController;
class CStatusLine;
class CWindowHeader;

class COrlanDlg final : public QMainWindow, public ISessionView {
    Q_OBJECT
public:
    // The navigation item of the console terminal.
    static constexpr char kConsoleItemKey[] = "PAGE_COMM_TOOL";
    static constexpr QSize kFirstStartSize{1200, 800};

    COrlanDlg(CLabelCatalogue catalogue, SStartOptions options, QWidget* parent = nullptr);
    ~COrlanDlg() override;

    // Shows the window as it was left, or maximised on a first run.
    void ShowAsRemembered();

    CTerminalSession& Session() { return m_session; }
    CProgressModel& Progress() { return m_progress; }
    CNavigationBar& Navigation() const { return *m_navigation; }
    CPageSearchBox& Search() const { return *m_search; }
    CLinkBar& LinkBar() const;
    CPageRegistry& Pages() const { return *m_pages; }
    const SStartOptions& Options() const { return m_options; }
    CProfileController& Profiles() const { return *m_profiles; }
    COfflineProfile& OfflineProfile() const { return *m_offline; }
    CStatusLine& Status() const { return *m_status; }
    int WholeReads() const { return m_wholeReads; }
    // Why the port is not open (kind None while it is or has not tried).
    LinkError PortError() const { return m_link.Port().LastError(); }

    // Where a camera picture goes: the file a page names, in the working
    // directory.
    void SavePicture(std::span<const uint8_t> jpeg, const QString& path);

Q_SIGNALS:
    void wholeReadCompleted();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // ISessionView
    void OnRawText(std::string_view chunk) override;
    void OnStatusText(const std::string& text) override;
    void OnSecondStatusText(const std::string& text) override;
    void OnProgressShow(int ticks) override { m_progress.Show(ticks); }
    void OnProgressShowLine(int ticks, const std::string& text) override { m_progress.ShowLine(ticks, text); }
    void OnProgressFinish() override { m_progress.Finish(); }
    // Setup mode entered, a login, the end of a read: the desktop's beep,
    // unless switched off in the View menu.
    void OnBeep() override;
    void OnLoginSuccess() override;
    void OnWholeReadComplete() override;
    void OnPictureComplete(std::span<const uint8_t> jpeg) override;
    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void OnValueRefused(const CPage& page, const std::string& fieldId, const std::string& why) override;
    void OnJobFinished(const std::string& name, const SJobReport& report) override;
    void OnPageJobFinished(const CPage& page, const SPageJobKind& kind, const std::string& name,
                           const SJobReport& report) override;
    void OnWholeReadFailed(const std::string& reason) override;
    void OnPageBusy(const CPage& page, bool busy) override;
    void OnRestart() override;

    void BuildWindow();
    void BuildParts();
    void BuildMenus();
    // Actions that need a terminal on or off as the link allows, and every
    // page view's own buttons.
    void ApplyLinkToActions(bool allowed);
    void StoreChoices();
    // The chosen port's remembered password from the keyring, and its check box.
    void RecallPassword();

    CLabelCatalogue m_catalogue;
    SStartOptions m_options;
    CRegSetting m_linkSettings;
    CTerminalLink m_link{*this};
    CTerminalSession& m_session{m_link.Session()};
    CProgressModel m_progress;
    // Adapters coming and going; the one in use reopened when it returns.
    CPortWatcher m_portWatcher;
    CReconnector m_reconnector{m_link, m_portWatcher};
    // Every complete whole read goes into the unit's configuration history.
    CHistoryRecorder m_history{m_session, [this] { return m_link.Port().DevicePath().toStdString(); }};

    // The parts, children of the window.
    CMessageCentre* m_messages = nullptr;
    CPageRegistry* m_pages = nullptr;
    CEditsGuard* m_edits = nullptr;
    CJobReportLine* m_reports = nullptr;
    CProfileController* m_profiles = nullptr;
    COfflineProfile* m_offline = nullptr;
    CPortController* m_ports = nullptr;
    CCommandBar* m_commands = nullptr;

    CWindowHeader* m_header = nullptr;
    CNavigationBar* m_navigation = nullptr;
    CPageSearchBox* m_search = nullptr;
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_stack = nullptr;
    CStatusLine* m_status = nullptr;

    // Closing was asked about and decided: the next close goes through.
    bool m_closeDecided = false;
    // While closing waits for a batch: gives up once the terminal is quiet.
    QTimer* m_closeWatch = nullptr;
    QAction* m_beepAction = nullptr;
    CPasswordKeeper* m_passwords = nullptr;
    int m_wholeReads = 0;
};

} // namespace orlan

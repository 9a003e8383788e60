#pragma once
// The main window: the view of the console session. It owns the serial
// channel, the session with every page, the page views and the console
// terminal view; shows the status texts, the progress and the job reports;
// and turns the user's clicks into session actions. Nothing here waits:
// message boxes and file choosers open without a nested event loop, so the
// receive path keeps running behind them.
#include <QMainWindow>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <span>

#include "app/LinkHealth.h"
#include "app/ProgressModel.h"
#include "app/StartOptions.h"
#include "session/TerminalSession.h"
#include "labels/LabelCatalogue.h"
#include "link/PortWatcher.h"
#include "wiring/Reconnector.h"
#include "platform/RegSetting.h"
#include "wiring/TerminalLink.h"

class QFileDialog;
class QLabel;
class QSplitter;
class QStackedWidget;
class QToolButton;

namespace orlan {

class CElidingLabel;
class CLinkBar;
class CNavigationBar;
class CPageSearchBox;
class CPageView;
class CSysProgress;

class COrlanDlg final : public QMainWindow, public ISessionView {
    Q_OBJECT
public:
    // The navigation item of the console terminal.
    static constexpr char kConsoleItemKey[] = "PAGE_COMM_TOOL";
    static constexpr int kConsoleBaudRate = CTerminalLink::kConsoleBaudRate;
    static constexpr int kPortLampMs = 1000;
    static constexpr QSize kFirstStartSize{1200, 800};

    COrlanDlg(CLabelCatalogue catalogue, SStartOptions options, QWidget* parent = nullptr);
    ~COrlanDlg() override;

    // Shows the window as it was left, or maximised on a first run.
    void ShowAsRemembered();

    CTerminalSession& Session() { return m_session; }
    CProgressModel& Progress() { return m_progress; }
    CNavigationBar& Navigation() const { return *m_navigation; }
    CPageSearchBox& Search() const { return *m_search; }
    CLinkBar& LinkBar() const { return *m_linkBar; }

    // Shows a navigation item's page as choosing it does; false when the
    // item is unknown or disabled.
    bool ShowPage(const QString& key);
    // Shows what the search found: the page, and the field in it when one
    // is named (a page of the all-pages folder opens that folder).
    bool ShowFound(const QString& key, const QString& fieldId);
    // The item on screen (the console terminal's too) and the page view the
    // page-button logic acts on (never the console terminal).
    const QString& ShownPage() const { return m_shownKey; }
    CPageView* CurrentPageView() const { return m_currentView; }
    // The page's view, made now if it was not shown before; null for an
    // unknown key.
    CPageView* PageViewOf(const QString& key);

    QString StatusText() const;
    QString SecondStatusText() const;
    QString JobReportText() const;
    QString LinkText() const;
    int WholeReads() const { return m_wholeReads; }
    // Why the port is not open (kind None while it is or has not tried).
    LinkError PortError() const { return m_port.LastError(); }

    // SAVE and EXEC once a file is chosen (the buttons open the chooser).
    // A name without extension gets ".txt". True when the file was written.
    bool SaveProfileTo(const QString& path);
    // With `backup`, the terminal's configuration (what SAVE would write)
    // is first saved beside the profile; when that fails nothing is sent.
    void ExecuteProfileFrom(const QString& path, bool backup = false);
    // "Compare with profile...": the differences between the profile the
    // pages make and the file's, in a dialog that offers to execute it.
    void CompareWithProfile(const QString& path);
    // Where a camera picture goes: "1.jpg" in the working directory.
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
    QWidget* BuildHeader();
    QWidget* BuildCommandBar();
    QWidget* BuildPageArea();
    void BuildStatusBar();
    void BuildMenus();
    void CreatePageViews();
    CPageView* EnsurePageView(const QString& key);
    void SelectFirstPage();

    void ApplyStartOptions();
    void OpenPort();
    void ApplyParity();
    void RefreshPortState();
    // Actions that need a terminal on or off as the link allows, and a
    // page view's own buttons (on only while the link allows too).
    void ApplyLinkToActions();
    // "Unit 100234 — memo" from the main parameters page; empty until read.
    void ShowConnectedUnit();
    void SetPageButtons(CPageView& view, bool on);
    void SetLinkText(const QString& text);
    void OnPortChosen();
    // Opens the port (an entry by number - 1, or a path) once unwritten
    // changes are settled.
    void SwitchPortAfterAsking(int index, const QString& path);
    void OnOtherPort(const QString& text);
    void OnReconnect();
    void OnSetup();
    void OnRestartClicked();
    void OnDefaultsClicked();
    // Next or previous navigation item that can be shown.
    void StepPage(int step);
    // A Yes/No question (buttons named from the catalogue, No the default)
    // opened without a nested loop; `answered` hears the button.
    QMessageBox* Ask(const QString& name, const QString& text, std::function<void(QMessageBox*)> answered);
    void ShowJobReport(const QString& summary, const SJobReport& report);
    QString LeftOutCaption(const SLeftOut& leftOut) const;
    // The caption a person knows a page by.
    QString Caption(const CPage& page) const;
    QFileDialog* ProfileDialog(bool save, std::string_view captionKey);
    void OnSaveProfile();
    void ChooseProfileToSave(std::function<void(const QString&)> saved = {});
    void OnExecuteProfile();
    void OnCompareProfile();
    void OnAbout();
    // Unwritten changes: the captions of the pages holding them, the
    // question before what would lose them, and writing them first.
    QStringList PagesWithEdits() const;
    void AskAboutEdits(const QString& name, const QString& before, std::function<void()> proceed);
    void WriteEditedPages(std::function<void()> then);
    // Runs `then` once the command queue has no job left (closing after a
    // profile's batch, going on after written changes).
    void RunWhenIdle(std::function<void()> then);
    // Read all, after asking about unwritten changes.
    void ReloadAfterAsking();
    void StoreLinkSettings();
    void StoreChoices();

    QString Text(std::string_view key, std::string_view section) const;
    // One box per kind at a time: while one is open it takes the new text
    // instead of another box opening, so a unit repeating a refusal cannot
    // stack boxes without end.
    QMessageBox* OpenMessage(const QString& kind, QMessageBox::Icon icon, const QString& text);
    QMessageBox* OpenMessage(QMessageBox::Icon icon, const QString& text) { return OpenMessage(text, icon, text); }
    void ShowFileFailure(const QString& path, const QString& why);

    CLabelCatalogue m_catalogue;
    SStartOptions m_options;
    CRegSetting m_linkSettings;
    CTerminalLink m_link{*this};
    CSerialPort& m_port{m_link.Port()};
    CTerminalSession& m_session{m_link.Session()};
    CProgressModel m_progress;
    // Adapters coming and going; the one in use reopened when it returns.
    CPortWatcher m_portWatcher;
    CReconnector m_reconnector{m_link, m_portWatcher};

    CLinkBar* m_linkBar = nullptr;
    CNavigationBar* m_navigation = nullptr;
    CPageSearchBox* m_search = nullptr;
    QSplitter* m_splitter = nullptr;
    QStackedWidget* m_stack = nullptr;
    CElidingLabel* m_status = nullptr;
    CElidingLabel* m_secondStatus = nullptr;
    CElidingLabel* m_jobReport = nullptr;
    CElidingLabel* m_linkText = nullptr;
    // The unit on the other end, as its last whole read named it.
    QLabel* m_headerUnit = nullptr;
    QToolButton* m_portDoctor = nullptr;
    CSysProgress* m_sysProgress = nullptr;

    std::map<QString, QWidget*> m_pageWidgets;  // navigation key -> its widget in the stack
    std::map<QString, CPageView*> m_pageViews;
    std::map<QString, CPage*> m_pageOfKey;
    std::map<const CPage*, CPageView*> m_viewOfPage;
    CPageView* m_currentView = nullptr;
    QString m_shownKey;

    // A port given for this run (a device path outside the list) and
    // whether the port choice is the user's, to be stored.
    QString m_overridePath;
    bool m_storePort = true;

    QTimer m_portLamp;
    CLinkHealth m_linkHealth;
    QElapsedTimer m_linkClock;
    // Closing was asked about and decided: the next close goes through.
    bool m_closeDecided = false;
    // The port entry open now, to go back to when a change is cancelled.
    int m_openPortIndex = -1;
    int m_wholeReads = 0;
    QPointer<QMessageBox> m_setupBox;
    std::map<QString, QPointer<QMessageBox>> m_messages;  // kind -> its open box
};

} // namespace orlan

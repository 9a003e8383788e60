#pragma once
// A profile file shown in the pages without a terminal: File > Open fills
// the pages from it, Save writes them back to it, Save as to another file
// (the complete profile or the classic twenty sections), recent files are
// remembered, and "Write to terminal" sends what the pages show (with a
// backup of the terminal as last read whole, when it was). While a
// file is shown the title and the status line say so; reading the terminal
// (which replaces what the pages show) asks first, and a complete read ends
// the showing.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "session/ProfileLoad.h"

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace orlan {

class CEditsGuard;
class CLabelCatalogue;
class CMessageCentre;
class CPage;
class CProfileController;
class CTerminalSession;
struct SValueChange;

class COfflineProfile final : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentLimit = 8;

    struct SParts {
        QWidget& window;
        CTerminalSession& session;
        const CLabelCatalogue& catalogue;
        CMessageCentre& messages;
        CEditsGuard& edits;
        CProfileController& profiles;
    };
    explicit COfflineProfile(SParts parts);

    // Where "Showing ..." goes (the status line).
    std::function<void(const QString&)> showStatus;

    // The File menu's entries: Open, Recent, Save, Save as, Write to terminal.
    void FillMenu(QMenu& menu);

    // Open asks about unsaved changes, then for a file.
    void Open();
    // Loads the file into the pages; false (and the pages as they were) when
    // it cannot be read.
    bool OpenFrom(const QString& path);
    // The same after asking about unsaved changes, as Open and the recent
    // files do (a file chosen elsewhere: a history snapshot).
    void OpenAsking(const QString& path);
    // To the shown file; with none shown, SAVE's own chooser.
    void Save();
    void SaveAs();
    // What Save as does with the chosen file; false when it was not written.
    bool SaveShownAs(const QString& path, EProfileScope scope);
    // The shown values to the terminal, asked first; the terminal's
    // configuration as last read whole is saved beside the file first, and
    // the run is checked like EXEC's.
    void WriteToTerminal();
    // The port (re)opened: the terminal on it may be another one, so its
    // last read no longer makes a backup.
    void OnPortOpened() { m_terminalRead.reset(); }
    // The terminal's configuration as last read whole, for a backup: while
    // a file is shown the pages hold the file, so the copy kept when it was
    // opened; nothing when the terminal was not read whole.
    std::optional<std::string> TerminalAsRead() const;
    // Reads the terminal, lists how its values differ from the shown file's
    // field by field, and shows the file again.
    void CompareWithTerminal();
    // A whole read failed: a comparison shows the file again.
    void OnReadFailed();
    // Write to terminal and Compare with terminal need the link.
    void SetTerminalActionsAllowed(bool allowed);
    // File > Export report: the pages as an HTML or PDF document.
    void ExportReport();
    // The report to `path`, PDF for a ".pdf" name, else HTML; false (and
    // said) when it could not be saved.
    bool ExportReportTo(const QString& path);
    // Before something replaces what the pages show: asks about a shown
    // profile (and its unsaved changes), then `proceed`; at once when none
    // is shown.
    void AskBeforeReading(std::function<void()> proceed);

    bool Shown() const { return !m_path.isEmpty(); }
    const QString& Path() const { return m_path; }
    // Whether the shown file holds a section for the page (always true
    // while no file is shown).
    bool HoldsPage(const CPage& page) const;
    QStringList Recent() const;
    // A line over the page area while a file is shown: which file, and for
    // a page the file has no section for, "Not in this profile".
    QLabel* CreateBanner(QWidget* parent);
    // The page on screen now (null: none, or no settings page).
    void PageShown(const CPage* page);

Q_SIGNALS:
    // A file is shown now, or none is any more.
    void shownChanged();

private:
    bool WriteShown(const QString& path, EProfileScope scope);
    void AcceptShownEdits();
    // Before Open: about a shown file's changes, or the pages' unwritten ones.
    void AskBeforeOpening(std::function<void()> proceed);
    void Forget();
    void Remember(const QString& path);
    void ShowState();
    void FillRecent(QMenu& menu);
    void UpdateBanner();
    void UpdateActions();
    // Why the pages cannot take a file now (a profile run, a read under way); empty: they can.
    QString Busy() const;
    void FinishCompare();
    // What Write to terminal does about a backup, for its question.
    QString BackupNote() const;
    void ShowChanges(const std::vector<SValueChange>& changes);
    void ShowFileAgain();

    SParts m_parts;
    QString m_baseTitle;
    QString m_path;
    bool m_classic = false;
    std::set<std::string> m_pagesInFile;
    QLabel* m_banner = nullptr;
    QAction* m_writeAction = nullptr;
    QAction* m_compareAction = nullptr;
    bool m_linkAllowed = true;
    const CPage* m_shownPage = nullptr;
    // While the terminal is read for a comparison: the shown file's pages as
    // a profile, loaded back afterwards.
    bool m_comparing = false;
    std::string m_shownBytes;
    // The terminal's configuration from its last whole read before a file
    // took the pages over: what Write to terminal backs up.
    std::optional<std::string> m_terminalRead;
};

} // namespace orlan

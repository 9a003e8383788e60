#pragma once
// Profiles: saving what the pages hold, executing a file on the terminal
// (with a backup of the terminal's configuration first), comparing a file
// with the terminal's configuration; the file choosers and what is said
// when a file cannot be read or written. Opening a profile into the pages
// without a terminal, recent profiles, Save as and writing to the terminal
// belong here too.
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "session/ProfileLoad.h"

class QFileDialog;
class QWidget;

namespace orlan {

class CJobReportLine;
class CLabelCatalogue;
class CMessageCentre;
class CProfileVerification;
class CTerminalSession;

class CProfileController final : public QObject {
    Q_OBJECT
public:
    struct SParts {
        QWidget& window;
        CTerminalSession& session;
        const CLabelCatalogue& catalogue;
        CMessageCentre& messages;
        const CJobReportLine& reports;
    };
    explicit CProfileController(SParts parts);

    // Where "Profile saved to ..." and a failure's full reason go.
    std::function<void(const QString&)> showStatus;

    // The buttons: SAVE (asking first when the pages hold no whole read),
    // EXEC and "Compare with profile...", each opening its chooser.
    void Save();
    void Execute();
    void Compare();
    // Saves a profile for the user to choose, then `saved` with its path.
    void ChooseFileToSave(std::function<void(const QString&)> saved = {});

    // What the buttons do once a file is chosen. A name without extension
    // gets ".txt"; true when the file was written.
    bool SaveTo(const QString& path, EProfileScope scope = EProfileScope::Complete);
    // SAVE while a profile file is shown: true when it saved that file.
    std::function<bool()> saveShown;
    // With `backup`, the terminal's configuration (what SAVE would write)
    // is first saved beside the profile; when that fails nothing is sent.
    // Once the run and the read after it have ended, the window says
    // whether every setting of the profile took effect.
    void ExecuteFrom(const QString& path, bool backup = false);
    // The same with the backup's bytes given (none: no backup).
    void ExecuteFrom(const QString& path, std::optional<std::string> backupBytes);
    // A backup of the terminal's configuration: `bytes`, saved beside `profilePath`.
    struct SBackup {
        QString profilePath;
        std::string bytes;
    };
    // The same with a profile the pages made (`name` saying whose values):
    // Write to terminal of a shown profile file.
    void ExecuteText(const std::string& profile, const QString& name, const std::optional<SBackup>& backup);
    // Whether runs took effect; the window hands it the session's reports.
    CProfileVerification& Verification() const { return *m_verification; }
    // The differences between the profile the pages make and the file's,
    // in a dialog that offers to execute it.
    void CompareWith(const QString& path);

    // The profile chooser, in the folder used last (SYSBTN caption key).
    QFileDialog* FileDialog(bool save, std::string_view captionKey);

private:
    void Status(const QString& text);
    // The backup (nothing is sent when it fails), then `run`, whose outcome
    // is checked after the read that follows it.
    void Start(std::string profile, const QString& name, const std::optional<SBackup>& backup,
               const std::function<bool()>& run);
    bool WriteBackup(const SBackup& backup);

    SParts m_parts;
    CProfileVerification* m_verification = nullptr;
};

} // namespace orlan

#pragma once
// The configuration history: the units kept in the user's data folder with
// their snapshots (when, from which port, after a read or a profile run), and
// what changed between the chosen snapshot and the one before it, or any
// other of the unit's. Files in the folder that are no snapshots are named
// at the bottom and skipped.
#include <QDialog>

#include <functional>

#include "platform/SnapshotFolder.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QTreeWidget;

namespace orlan {

class CLabelCatalogue;

class CHistoryWindow final : public QDialog {
    Q_OBJECT
public:
    // `root`: the history folder; empty for the user's.
    CHistoryWindow(const CLabelCatalogue& catalogue, QWidget* parent = nullptr, const QString& root = {});

    // Reads the folder again.
    void Reload();

    // What the window does with a chosen snapshot, once its profile is saved
    // to a file: shows it in the main window, or writes it to the terminal.
    std::function<void(const QString& profilePath)> openProfile;
    std::function<void(const QString& profilePath)> restoreProfile;
    // Where the chosen snapshot's profile is saved (a file dialog by
    // default; empty: not saved); `suggested` is a name for it.
    std::function<QString(const QString& suggested)> choosePath;
    QTreeWidget* Snapshots() const { return m_tree; }
    QPlainTextEdit* Changes() const { return m_changes; }

private:
    void ShowChanges();
    // The chosen snapshot's profile saved where the user says; empty when
    // none is chosen or it was not saved.
    QString SaveChosenProfile();
    const SUnitHistory* ChosenUnit(int* snapshot) const;

    const CLabelCatalogue& m_catalogue;  // the captions of what changed
    CSnapshotFolder m_folder;
    SHistory m_history;
    QTreeWidget* m_tree = nullptr;
    QComboBox* m_against = nullptr;
    QPlainTextEdit* m_changes = nullptr;
    QLabel* m_skipped = nullptr;
    QSpinBox* m_keepCount = nullptr;
    QSpinBox* m_keepDays = nullptr;
};

// Opens the window (one at a time), without blocking the window behind it;
// a snapshot it opens or restores goes to these.
void ShowHistoryWindow(QWidget* parent, const CLabelCatalogue& catalogue,
                       std::function<void(const QString&)> openProfile,
                       std::function<void(const QString&)> restoreProfile);

} // namespace orlan

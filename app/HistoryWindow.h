#pragma once
// The configuration history: the units kept in the user's data folder with
// their snapshots (when, from which port, after a read or a profile run), and
// what changed between the chosen snapshot and the one before it, or any
// other of the unit's. Files in the folder that are no snapshots are named
// at the bottom and skipped.
#include <QDialog>

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
    QTreeWidget* Snapshots() const { return m_tree; }
    QPlainTextEdit* Changes() const { return m_changes; }

private:
    void ShowChanges();
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

// Opens the window (one at a time), without blocking the window behind it.
void ShowHistoryWindow(QWidget* parent, const CLabelCatalogue& catalogue);

} // namespace orlan

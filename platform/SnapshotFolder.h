#pragma once
// The configuration history on disk: one folder per unit under the user's
// data folder ($XDG_DATA_HOME/orlan/history, else ~/.local/share/orlan/
// history), one file per snapshot, written whole and readable by the user
// alone. The format, the repeat test and the keeping rule are
// console/SnapshotStore.s.
#include <QString>

#include <string>
#include <vector>

#include "console/SnapshotStore.h"

namespace orlan {

struct SUnitHistory {
    std::string unitId;
    std::vector<SSnapshot> snapshots;  // oldest first
    std::vector<QString> files;        // each snapshot's file
};

struct SHistory {
    std::vector<SUnitHistory> units;  // by folder name
    // A file that is no snapshot, named with why: "skipped ...".
    std::vector<std::string> skipped;
};

// Where the keeping rule is remembered (count and age in days).
inline constexpr char kHistoryKeepCountSetting[] = "history/keepCount";
inline constexpr char kHistoryKeepDaysSetting[] = "history/keepDays";

class CSnapshotFolder {
public:
    // `root`: the history folder itself; empty for the user's.
    explicit CSnapshotFolder(QString root = {});

    static QString UserRoot();
    const QString& Root() const { return m_root; }

    // Keeps the snapshot unless it repeats the unit's newest, then lets the
    // rule prune. Empty on success (kept or repeated: `kept` says which),
    // else why the snapshot could not be written.
    std::string Store(const SSnapshot& snapshot, const SKeepRule& rule, bool* kept = nullptr);
    // Every unit's snapshots; files that are none are listed as skipped.
    SHistory Load() const;
    SUnitHistory LoadUnit(const std::string& unitId, std::vector<std::string>* skipped) const;

private:
    SUnitHistory LoadFolder(const QString& folder, std::vector<std::string>* skipped) const;
    QString m_root;
};

// The keeping rule as the user set it (defaults: 100 snapshots, no age).
SKeepRule RememberedKeepRule();

} // namespace orlan

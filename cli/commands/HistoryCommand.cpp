#include "cli/commands/HistoryCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/SafeFile.h"
#include "platform/SnapshotFolder.h"
#include "session/PageValueDiff.h"
#include "session/ProfileDiff.h"

namespace orlan {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The commands that changed since the snapshot before, "-" gone, "+" new,
// each under its section's title.
std::vector<std::string> Changes(const SSnapshot& before, const SSnapshot& after)
{
    std::vector<std::string> lines;
    for (const SSectionDiff& section : DiffProfiles(before.profile, after.profile)) {
        for (const std::string& line : section.lines)
            lines.push_back((section.title.empty() ? std::string() : section.title + ": ") + line);
    }
    return lines;
}

// The settings that changed, by page and field caption with both values.
std::vector<std::string> SettingChanges(const SSnapshot& before, const SSnapshot& after,
                                        const CLabelCatalogue& catalogue)
{
    std::vector<std::string> lines;
    for (const SValueChange& change : DiffProfileValues(before.profile, after.profile, catalogue))
        lines.push_back(ValueChangeText(change));
    return lines;
}

std::string UnitName(const std::string& unitId)
{
    return unitId.empty() ? std::string("(no unit id)") : unitId;
}

} // namespace

bool CHistoryCommand::Prepare()
{
    const CSnapshotFolder folder;
    SHistory history = folder.Load();
    for (const std::string& skipped : history.skipped)
        m_host.Progress(skipped);
    const std::string& only = m_host.Options().unit;
    if (!only.empty())
        std::erase_if(history.units, [&only](const SUnitHistory& unit) { return unit.unitId != only; });
    if (!only.empty() && history.units.empty()) {
        m_host.Finish(ECliExit::Usage, "no history of unit " + only + " in \"" + NativePath(folder.Root()) + "\"");
        return false;
    }

    std::string out;
    if (m_host.Options().json) {
        QJsonArray units;
        for (const SUnitHistory& unit : history.units) {
            QJsonArray snapshots;
            for (size_t i = 0; i < unit.snapshots.size(); ++i) {
                const SSnapshot& snapshot = unit.snapshots[i];
                QJsonArray changes;
                QJsonArray settings;
                if (i > 0) {
                    for (const std::string& line : Changes(unit.snapshots[i - 1], snapshot))
                        changes.append(Q(line));
                    for (const std::string& line : SettingChanges(unit.snapshots[i - 1], snapshot, m_host.Catalogue()))
                        settings.append(Q(line));
                }
                snapshots.append(QJsonObject{{QStringLiteral("time"), Q(IsoTime(snapshot.timeSecs))},
                                             {QStringLiteral("port"), Q(snapshot.port)},
                                             {QStringLiteral("source"), Q(snapshot.source)},
                                             {QStringLiteral("file"), unit.files[i]},
                                             {QStringLiteral("changes"), changes},
                                             {QStringLiteral("settings"), settings}});
            }
            units.append(QJsonObject{{QStringLiteral("unit"), Q(unit.unitId)}, {QStringLiteral("snapshots"), snapshots}});
        }
        out = QJsonDocument(units).toJson(QJsonDocument::Indented).toStdString();
    } else {
        if (history.units.empty())
            out = "no configuration history in \"" + NativePath(folder.Root()) + "\"\n";
        for (const SUnitHistory& unit : history.units) {
            out += "unit " + UnitName(unit.unitId) + ": " + std::to_string(unit.snapshots.size()) + " snapshot"
                   + (unit.snapshots.size() == 1 ? "" : "s") + "\n";
            for (size_t i = 0; i < unit.snapshots.size(); ++i) {
                const SSnapshot& snapshot = unit.snapshots[i];
                out += "  " + IsoTime(snapshot.timeSecs) + "  " + snapshot.source + "  " + snapshot.port + "\n";
                if (i == 0)
                    continue;
                const std::vector<std::string> settings =
                    SettingChanges(unit.snapshots[i - 1], snapshot, m_host.Catalogue());
                const std::vector<std::string> changes = Changes(unit.snapshots[i - 1], snapshot);
                if (changes.empty() && settings.empty())
                    out += "      no setting changed, only how the profile is laid out\n";
                for (const std::string& line : settings)
                    out += "      " + line + "\n";
                if (!changes.empty())
                    out += "      commands:\n";
                for (const std::string& line : changes)
                    out += "        " + line + "\n";
            }
        }
    }
    m_host.Finish(m_host.PrintOut(out) ? ECliExit::Ok : ECliExit::OutputFailed);
    return false;
}

} // namespace orlan

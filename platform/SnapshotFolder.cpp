#include "platform/SnapshotFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <algorithm>

#include "platform/PreferenceNames.h"
#include "platform/SafeFile.h"

namespace orlan {

namespace {

// A snapshot is a profile with a short header.
constexpr std::int64_t kMaxSnapshotBytes = kMaxProfileBytes + 4096;

} // namespace

CSnapshotFolder::CSnapshotFolder(QString root) : m_root(root.isEmpty() ? UserRoot() : std::move(root)) {}

QString CSnapshotFolder::UserRoot()
{
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    // The XDG rule: a relative path is to be ignored.
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/orlan/history");
}

std::string CSnapshotFolder::Store(const SSnapshot& snapshot, const SKeepRule& rule, bool* kept)
{
    if (kept != nullptr)
        *kept = false;
    const QString folder = m_root + QLatin1Char('/') + QString::fromStdString(UnitFolderName(snapshot.unitId));
    // The history holds SIM codes, like a profile: the folders are the user's alone.
    if (!QDir().mkpath(folder))
        return "the history folder \"" + NativePath(folder) + "\" cannot be made";
    QFile::setPermissions(m_root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    std::vector<std::string> ignored;
    SUnitHistory unit = LoadFolder(folder, &ignored);
    const std::optional<SSnapshot> newest =
        unit.snapshots.empty() ? std::nullopt : std::optional<SSnapshot>(unit.snapshots.back());
    if (RepeatsNewest(newest, snapshot))
        return {};

    int sequence = 1;
    QString path;
    do {
        path = folder + QLatin1Char('/') + QString::fromStdString(SnapshotFileName(snapshot.timeSecs, sequence++));
    } while (QFile::exists(path));
    if (std::string why = SaveFileSafely(NativePath(path), SnapshotBytes(snapshot),
                                         {ENewFileMode::Private, ELinkPolicy::Refuse});
        !why.empty())
        return why;
    if (kept != nullptr)
        *kept = true;

    unit.snapshots.push_back(snapshot);
    unit.files.push_back(path);
    for (size_t gone : SnapshotsToPrune(unit.snapshots, rule, snapshot.timeSecs))
        QFile::remove(unit.files[gone]);
    return {};
}

SUnitHistory CSnapshotFolder::LoadFolder(const QString& folder, std::vector<std::string>* skipped) const
{
    SUnitHistory unit;
    unit.unitId = UnitIdOfFolder(QDir(folder).dirName().toStdString());
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    struct SFound {
        SSnapshot snapshot;
        QString file;
    };
    std::vector<SFound> found;
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        // A save killed half-way leaves its temporary file: not a snapshot, not news.
        if (name.startsWith(QLatin1Char('.')))
            continue;
        std::string bytes;
        std::string why = ReadFileInChunks(NativePath(path), kMaxSnapshotBytes,
                                           [&bytes](std::string_view chunk) { bytes += chunk; });
        std::optional<SSnapshot> snapshot;
        if (why.empty())
            snapshot = ParseSnapshot(bytes, &why);
        if (!snapshot) {
            if (skipped != nullptr)
                skipped->push_back("skipped \"" + NativePath(path) + "\": " + why);
            continue;
        }
        found.push_back({std::move(*snapshot), path});
    }
    // By time, then by name (two of one second).
    std::stable_sort(found.begin(), found.end(),
                     [](const SFound& a, const SFound& b) { return a.snapshot.timeSecs < b.snapshot.timeSecs; });
    for (SFound& one : found) {
        unit.snapshots.push_back(std::move(one.snapshot));
        unit.files.push_back(one.file);
    }
    return unit;
}

SHistory CSnapshotFolder::Load() const
{
    SHistory history;
    const QDir root(m_root);
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        SUnitHistory unit = LoadFolder(root.filePath(name), &history.skipped);
        if (!unit.snapshots.empty())
            history.units.push_back(std::move(unit));
    }
    for (const QString& name : root.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        history.skipped.push_back("skipped \"" + NativePath(root.filePath(name)) + "\": not in a unit's folder");
    return history;
}

SUnitHistory CSnapshotFolder::LoadUnit(const std::string& unitId, std::vector<std::string>* skipped) const
{
    return LoadFolder(m_root + QLatin1Char('/') + QString::fromStdString(UnitFolderName(unitId)), skipped);
}

SKeepRule RememberedKeepRule()
{
    const QSettings settings(QString::fromLatin1(kOrganisationName), QString::fromLatin1(kApplicationName));
    SKeepRule rule;
    rule.count = static_cast<size_t>(std::max(0, settings.value(QLatin1String(kHistoryKeepCountSetting), 100).toInt()));
    rule.maxAgeDays = std::max(0, settings.value(QLatin1String(kHistoryKeepDaysSetting), 0).toInt());
    return rule;
}

} // namespace orlan

#pragma once
// The main window's files (profiles, the camera picture, screenshots)
// through the safe-save helper, with the reason when they fail: a failed
// save leaves the old file whole, and a profile is read in chunks through
// the profile reader, never whole into memory.
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <string>

#include <vector>

#include "console/ProfileReader.h"
#include "platform/SafeFile.h"

namespace orlan {

// Empty on success, else why not.
QString WriteFileSafely(const QString& path, QByteArrayView bytes, SSaveOptions options);
// Empty on success with the profile's lines in `lines`, else why not
// (missing, permission, not a regular file, larger than kMaxProfileBytes,
// or what the reader found wrong); with `text`, the file's bytes there too
// (to compare the terminal with them after the run).
QString ReadProfileFile(const QString& path, std::vector<SProfileLine>& lines, std::string* text = nullptr);
// The profile's text whole (for comparing), with the same limit.
QString ReadProfileText(const QString& path, std::string& text);
// Where EXEC keeps the terminal's configuration before a profile runs:
// beside the profile, "site-a.txt" giving "site-a.backup-20261208-0915.txt".
QString BackupPathFor(const QString& profilePath, const QDateTime& when);

} // namespace orlan

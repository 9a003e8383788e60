#pragma once
// The main window's files (profiles, the camera picture, screenshots)
// through the safe-save helper, with the reason when they fail: a failed
// save leaves the old file whole, and a profile is read in chunks through
// the profile reader, never whole into memory.
#include <QByteArrayView>
#include <QString>

#include <vector>

#include "console/ProfileReader.h"
#include "link/SafeFile.h"

namespace orlan {

// Empty on success, else why not.
QString WriteFileSafely(const QString& path, QByteArrayView bytes, SSaveOptions options);
// Empty on success with the profile's lines in `lines`, else why not
// (missing, permission, not a regular file, larger than kMaxProfileBytes,
// or what the reader found wrong).
QString ReadProfileFile(const QString& path, std::vector<SProfileLine>& lines);

} // namespace orlan

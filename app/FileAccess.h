#pragma once
// Whole-file reads and writes of the main window (profiles, the camera
// picture) with the reason when they fail. Writes go to a temporary file
// that replaces the target only when complete, so a failed save leaves the
// old file whole.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orlan {

// Profiles are short texts; a bigger file is not one.
inline constexpr qint64 kMaxProfileBytes = 8 * 1024 * 1024;

// Empty on success, else why not.
QString WriteFileAtomically(const QString& path, QByteArrayView bytes);
// Empty on success with the contents in `contents`, else why not.
QString ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& contents);

} // namespace orlan

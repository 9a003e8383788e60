#include "app/FileAccess.h"

#include <QFile>
#include <QSaveFile>

namespace orlan {

QString WriteFileAtomically(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString ReadWholeFile(const QString& path, qint64 maxBytes, QByteArray& contents)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    // Read one byte more than allowed to tell a full file from a cut one.
    contents = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    if (contents.size() > maxBytes) {
        contents.clear();
        return QStringLiteral("the file is larger than %1 bytes").arg(maxBytes);
    }
    return {};
}

} // namespace orlan

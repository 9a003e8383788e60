#include "app/FileAccess.h"

#include <QDir>
#include <QFileInfo>

#include <string>
#include <string_view>

namespace orlan {

QString WriteFileSafely(const QString& path, QByteArrayView bytes, SSaveOptions options)
{
    const std::string why = SaveFileSafely(
        NativePath(path), std::string_view(bytes.data(), static_cast<size_t>(bytes.size())), options);
    return QString::fromStdString(why);
}

QString ReadProfileFile(const QString& path, std::vector<SProfileLine>& lines, std::string* text)
{
    CProfileReader reader;
    std::string read;
    std::string why = ReadFileInChunks(NativePath(path), kMaxProfileBytes, [&](std::string_view bytes) {
        reader.Feed(bytes);
        if (text != nullptr)
            read.append(bytes);
    });
    if (why.empty()) {
        reader.Finish();
        why = reader.Error();
    }
    if (!why.empty())
        return QString::fromStdString(why);
    lines = reader.TakeLines();
    if (text != nullptr)
        *text = std::move(read);
    return {};
}

QString ReadProfileText(const QString& path, std::string& text)
{
    std::string read;
    const std::string why = ReadFileInChunks(NativePath(path), kMaxProfileBytes,
                                             [&read](std::string_view bytes) { read.append(bytes); });
    if (!why.empty())
        return QString::fromStdString(why);
    text = std::move(read);
    return {};
}

QString BackupPathFor(const QString& profilePath, const QDateTime& when)
{
    const QFileInfo profile(profilePath);
    const QString name = profile.completeBaseName().isEmpty() ? QStringLiteral("profile") : profile.completeBaseName();
    return profile.dir().filePath(name + QStringLiteral(".backup-") + when.toString(QStringLiteral("yyyyMMdd-HHmm")) +
                                  QStringLiteral(".txt"));
}

} // namespace orlan

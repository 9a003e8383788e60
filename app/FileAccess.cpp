#include "app/FileAccess.h"

#include <string>
#include <string_view>

namespace orlan {

QString WriteFileSafely(const QString& path, QByteArrayView bytes, SSaveOptions options)
{
    const std::string why = SaveFileSafely(
        NativePath(path), std::string_view(bytes.data(), static_cast<size_t>(bytes.size())), options);
    return QString::fromStdString(why);
}

QString ReadProfileFile(const QString& path, std::vector<SProfileLine>& lines)
{
    CProfileReader reader;
    std::string why = ReadFileInChunks(NativePath(path), kMaxProfileBytes,
                                       [&reader](std::string_view bytes) { reader.Feed(bytes); });
    if (why.empty()) {
        reader.Finish();
        why = reader.Error();
    }
    if (!why.empty())
        return QString::fromStdString(why);
    lines = reader.TakeLines();
    return {};
}

} // namespace orlan

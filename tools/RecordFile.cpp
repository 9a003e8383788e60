#include "tools/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "pages/logs/ExTmpRcdPage.h"

namespace orlan {

CRealtimeRecordFile::CRealtimeRecordFile(QString folder, QString fallback)
    : m_folder(folder.isEmpty() ? QDir::currentPath() : std::move(folder)), m_fallback(std::move(fallback))
{
    if (m_fallback.isEmpty())
        m_fallback = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool CRealtimeRecordFile::Open()
{
    Close();
    const QString name = QString::fromLatin1(CPageExTmpRcd::kLogFileName);
    QString folder = m_folder;
    if (!QFileInfo(folder).isWritable() && !m_fallback.isEmpty()) {
        QDir().mkpath(m_fallback);
        folder = m_fallback;
    }
    m_file.setFileName(QDir(folder).filePath(name));
    // Appending never truncates and creates the file when it is missing.
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        m_error.clear();
        return true;
    }
    m_error = m_file.errorString();
    return false;
}

void CRealtimeRecordFile::Close()
{
    if (m_file.isOpen())
        m_file.close();
}

bool CRealtimeRecordFile::Remove()
{
    Close();
    return !m_file.exists() || m_file.remove();
}

void CRealtimeRecordFile::Append(std::string_view bytes)
{
    if (!m_file.isOpen())
        return;
    // Written through, so the file opened in another program is current;
    // a failed write is the file's own business and loses only this line.
    m_file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    m_file.flush();
}

} // namespace orlan

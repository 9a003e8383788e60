#include "tools/RecordFile.h"

#include <QDir>
#include <QFile>
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
    const QString name = QString::fromLatin1(CPageExTmpRcd::kLogFileName);
    QString folder = m_folder;
    if (!QFileInfo(folder).isWritable() && !m_fallback.isEmpty()) {
        QDir().mkpath(m_fallback);
        folder = m_fallback;
    }
    m_file.SetPath(QDir(folder).filePath(name));
    return m_file.IsOpen();
}

void CRealtimeRecordFile::Close()
{
    m_file.Close();
}

bool CRealtimeRecordFile::Remove()
{
    m_file.Close();
    // The name itself goes, whatever it is: a link is removed, not followed.
    const QFileInfo entry(m_file.Path());
    return !(entry.exists() || entry.isSymLink()) || QFile::remove(m_file.Path());
}

} // namespace orlan

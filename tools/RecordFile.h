#pragma once
// The realtime page's running file "ex temp.csv": opened for appending
// without truncating (created when missing), written through after every
// line, closed only for a delete or at the end. It sits in the working
// directory; where that folder cannot be written, in the user's data folder
// instead. Uses Qt Core only.
#include <QFile>
#include <QString>

#include "pages/logs/RecordFile.h"

namespace orlan {

class CRealtimeRecordFile final : public IRecordFile {
public:
    // `folder`: where the file belongs (the working directory); `fallback`:
    // where it goes when that folder cannot be written (empty: the user's
    // data folder).
    explicit CRealtimeRecordFile(QString folder = {}, QString fallback = {});

    // Opens the file as at start; false when it cannot be opened (then it
    // receives nothing).
    bool Open();
    void Close();
    // Closes and deletes the file; false when it stays.
    bool Remove();

    bool IsOpen() const override { return m_file.isOpen(); }
    void Append(std::string_view bytes) override;

    // The file's path (where it is or would be).
    QString Path() const { return m_file.fileName(); }
    // Why it could not be opened; empty while it is open.
    QString Error() const { return m_error; }

private:
    QString m_folder;
    QString m_fallback;
    QFile m_file;
    QString m_error;
};

} // namespace orlan

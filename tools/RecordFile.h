#pragma once
// The realtime page's running file "ex temp.csv" (a CRunningFile: opened for
// appending with the first sample, never truncated, no link, FIFO or device,
// written through after every line). It sits in the working directory;
// where that folder cannot be written, in the user's data folder instead.
// Uses Qt Core only.
#include <QString>

#include "platform/RunningFile.h"

namespace orlan {

class CRealtimeRecordFile final : public IRecordFile {
public:
    // `folder`: where the file belongs (the working directory); `fallback`:
    // where it goes when that folder cannot be written (empty: the user's
    // data folder).
    explicit CRealtimeRecordFile(QString folder = {}, QString fallback = {});

    // Chooses the file's place as at start; the file itself is opened when
    // the first sample comes. False when the place is already known to fail.
    bool Open();
    void Close();
    // Closes and deletes the file; false when it stays.
    bool Remove();

    bool IsOpen() const override { return m_file.IsOpen(); }
    void Append(std::string_view bytes) override { m_file.Append(bytes); }

    // The file's path (where it is or would be).
    QString Path() const { return m_file.Path(); }
    // Why it could not be opened or written; empty while all is well.
    QString Error() const { return m_file.Error(); }

private:
    QString m_folder;
    QString m_fallback;
    CRunningFile m_file;
};

} // namespace orlan

#pragma once
// A running file the tool appends to as records arrive ("ex temp.csv"):
// opened like every other file of the tool (no link followed, no FIFO or
// device, never blocking) and only when the first line is to be written, so
// a run that never writes leaves no empty file behind. Written through after
// every line; a line that cannot be written is lost alone.
#include <QFile>
#include <QString>

#include "pages/logs/RecordFile.h"

namespace orlan {

class CRunningFile final : public IRecordFile {
public:
    CRunningFile() = default;
    explicit CRunningFile(QString path) : m_path(std::move(path)) {}

    // Closes, and takes lines for `path` from now on.
    void SetPath(QString path);
    QString Path() const { return m_path; }
    // Opens now, as the first line would; false (and Error()) when refused.
    bool Open();
    void Close();

    // Takes lines: open, or not tried yet. False once opening failed, until
    // SetPath or Open is called again.
    bool IsOpen() const override { return m_file.isOpen() || !m_failed; }
    void Append(std::string_view bytes) override;
    // Why it was refused or the last line was not written; empty when fine.
    const QString& Error() const { return m_error; }

private:
    QString m_path;
    QFile m_file;
    bool m_failed = false;
    QString m_error;
};

} // namespace orlan

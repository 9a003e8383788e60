#pragma once
// The port doctor's findings for one port, in a dialog the status bar offers
// when a port fails to open. Non-modal: the receive path keeps running.
#include <QDialog>
#include <QString>

class QGridLayout;
class QLabel;

namespace orlan {

class CPortDoctorDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CPortDoctorDialog(const QString& devicePath, QWidget* parent = nullptr);

    // Examines the port again (after the user joined a group or closed a program).
    void Examine();
    // The findings as the CLI prints them, for pasting into a report.
    const QString& FindingsAsText() const { return m_text; }

private:
    QString m_devicePath;
    QString m_text;
    QLabel* m_heading = nullptr;
    QGridLayout* m_lines = nullptr;
};

// Opens (or raises) the doctor for `devicePath` beside `parent`; it deletes
// itself when closed.
void ShowPortDoctor(QWidget* parent, const QString& devicePath);

} // namespace orlan

#pragma once
// The main window against orlan-sim: a private home (settings, working
// directory), the shipped catalogue, the simulator with its input log, and
// the window's message boxes.
#include <QDir>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

#include "app/OrlanDlg.h"
#include "app/PageRegistry.h"
#include "app/ProfileController.h"
#include "app/StatusLine.h"
#include "e2e/SimProcess.h"
#include "labels/LabelCatalogue.h"

namespace orlan::test {

// The temporary folder that is HOME, XDG_CONFIG_HOME and the working
// directory of the whole test run.
const QString& PrivateHome();
// Forgets every stored setting of the window and the link.
void ForgetSettings();

CLabelCatalogue ShippedCatalogue();
std::string CatalogueText(std::string_view key, std::string_view section);

// Start options that never look for real adapters.
SStartOptions TestOptions();
// The same on a port with nothing behind it: nothing real is opened.
SStartOptions OfflineOptions();

// Lines the simulator received, from its --log file.
class CSimLog {
public:
    CSimLog();
    const QString& Path() const { return m_path; }
    QStringList Lines() const;
    bool Contains(const QString& line) const { return Lines().contains(line); }

private:
    QString m_path;
};

// A simulator (unpaced unless told otherwise, logging its input) and the
// window talking to it.
struct SWindowUnderTest {
    explicit SWindowUnderTest(QStringList simOptions, std::optional<QString> password = std::nullopt);
    ~SWindowUnderTest();

    bool WaitForWholeRead(int reads = 1);

    CSimLog log;
    CSimProcess sim;
    std::unique_ptr<COrlanDlg> window;
};

// Texts of the window's open message boxes.
QStringList MessageTexts(const QWidget& window);
// Closes them as the user's OK does.
void CloseMessages(QWidget& window);
// Clicks a button of the open question box of that object name; false
// when no such box is open.
bool Answer(QWidget& window, const QString& boxName, QMessageBox::StandardButton button);

} // namespace orlan::test

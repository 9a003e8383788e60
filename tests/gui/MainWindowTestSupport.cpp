#include "MainWindowTestSupport.h"

#include <QAbstractButton>
#include <QFile>
#include <QSettings>
#include <QTemporaryFile>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "app/AppSettings.h"
#include "support/QtTestSupport.h"

namespace orlan::test {

namespace {

// Set up before main() and so before anything reads a setting: the tests
// never touch the user's settings and pictures land in the temporary folder.
class CPrivateHome {
public:
    CPrivateHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orlan-gui-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_dir = pattern;
        const std::string config = pattern + "/config";
        std::filesystem::create_directories(config);
        setenv("HOME", pattern.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        if (chdir(pattern.c_str()) != 0)
            std::abort();
        m_path = QString::fromStdString(pattern);
    }
    ~CPrivateHome()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

    const QString& Path() const { return m_path; }

private:
    std::filesystem::path m_dir;
    QString m_path;
};

CPrivateHome g_home;

} // namespace

const QString& PrivateHome()
{
    return g_home.Path();
}

void ForgetSettings()
{
    CPreferences().clear();
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("orlan"), QStringLiteral("link")).clear();
}

CLabelCatalogue ShippedCatalogue()
{
    CLabelCatalogue catalogue;
    catalogue.Bind(ORLAN_SOURCE_DIR "/gsm.ini");
    return catalogue;
}

std::string CatalogueText(std::string_view key, std::string_view section)
{
    static const CLabelCatalogue catalogue = ShippedCatalogue();
    return catalogue.Lookup(key, section);
}

SStartOptions TestOptions()
{
    SStartOptions options;
    options.deviceLister = [] { return QList<SerialDeviceInfo>{}; };
    return options;
}

SStartOptions OfflineOptions()
{
    SStartOptions options = TestOptions();
    options.port = PortInput{199, {}};
    return options;
}

CSimLog::CSimLog()
{
    QTemporaryFile file(PrivateHome() + QStringLiteral("/sim-XXXXXX.log"));
    file.setAutoRemove(false);
    if (file.open())
        m_path = file.fileName();
}

QStringList CSimLog::Lines() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

SWindowUnderTest::SWindowUnderTest(QStringList simOptions, std::optional<QString> password)
    : sim(simOptions << QStringLiteral("--log") << log.Path())
{
    if (sim.Device().isEmpty())
        return;
    SStartOptions options = TestOptions();
    options.port = PortInput{0, sim.Device()};
    options.password = std::move(password);
    window = std::make_unique<COrlanDlg>(ShippedCatalogue(), options);
    window->resize(1200, 800);
    window->show();
}

SWindowUnderTest::~SWindowUnderTest()
{
    window.reset();
    ForgetSettings();
}

bool SWindowUnderTest::WaitForWholeRead(int reads)
{
    return window && PumpUntil([this, reads] { return window->WholeReads() >= reads; }, std::chrono::seconds(30));
}

QStringList MessageTexts(const QWidget& window)
{
    QStringList texts;
    for (const QMessageBox* box : window.findChildren<QMessageBox*>()) {
        if (box->isVisible())
            texts.append(box->text());
    }
    return texts;
}

bool Answer(QWidget& window, const QString& boxName, QMessageBox::StandardButton button)
{
    for (QMessageBox* box : window.findChildren<QMessageBox*>(boxName)) {
        if (box->isVisible() && box->button(button) != nullptr) {
            box->button(button)->click();
            return true;
        }
    }
    return false;
}

void CloseMessages(QWidget& window)
{
    for (QMessageBox* box : window.findChildren<QMessageBox*>()) {
        if (box->isVisible())
            box->done(QMessageBox::Ok);
    }
}

} // namespace orlan::test

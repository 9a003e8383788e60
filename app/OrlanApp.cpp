#include "app/OrlanApp.h"

#include <QDir>

#include <cstdio>
#include <memory>
#include <utility>

#include "app/AppIcons.h"
#include "app/AppSettings.h"
#include "app/CatalogueTranslator.h"
#include "app/OrlanDlg.h"
#include "app/ScreenshotMode.h"
#include "app/StartOptions.h"
#include "labels/LabelCatalogue.h"
#include "platform/ProgramCatalogue.h"
#include "widgets/FirstPaint.h"
#include "OrlanVersion.h"

namespace orlan {

COrlanApp::COrlanApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QString::fromLatin1(kOrganisationName));
    setApplicationName(QString::fromLatin1(kApplicationName));
    setApplicationVersion(QString::fromLatin1(kOrlanVersion));
    // The installed desktop entry's name (cmake/Packaging.cmake).
    setDesktopFileName(QStringLiteral("io.github.orlantool.orlan"));
    setWindowIcon(AppIcon());
}

int COrlanApp::Run(const SStartOptions& options)
{
    std::string catalogueWarning;
    CLabelCatalogue catalogue = OpenProgramCatalogue(&catalogueWarning);
    if (!catalogueWarning.empty())
        std::fprintf(stderr, "orlan: %s\n", catalogueWarning.c_str());
    // Installed before the window exists: every text is read as it is built.
    CCatalogueTranslator toolTexts(catalogue);
    installTranslator(&toolTexts);
    COrlanDlg window(std::move(catalogue), options);
    std::unique_ptr<CScreenshotMode> screenshot;
    if (options.exitWhenShown) {
        new CFirstPaintWatch(window, [] {
            std::puts("shown");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
        window.ShowAsRemembered();
    } else if (options.screenshotPath.isEmpty()) {
        window.ShowAsRemembered();
    } else {
        screenshot = std::make_unique<CScreenshotMode>(window, options.screenshotPath);
        screenshot->finished = [](int status) { QCoreApplication::exit(status); };
    }
    return exec();
}

} // namespace orlan

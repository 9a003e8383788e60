#pragma once
// The label catalogue a program binds to: gsm.ini of the working directory,
// else the one installed with the program (or copied beside it) in the
// remembered language, the system's language or English
// (link/CatalogueChoice.h).
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>

#include <algorithm>
#include <system_error>

#include "labels/LabelCatalogue.h"
#include "link/CatalogueChoice.h"
#include "link/PreferenceNames.h"

namespace orlan {

inline std::string RememberedCatalogueLanguage()
{
    const QSettings preferences(QString::fromLatin1(kOrganisationName), QString::fromLatin1(kApplicationName));
    return preferences.value(QString::fromLatin1(kLanguageSetting)).toString().toStdString();
}

inline std::filesystem::path ProgramCataloguePath()
{
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    const std::filesystem::path workingDir = QDir::currentPath().toStdString();
    const auto isFile = [](const std::filesystem::path& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    };
    const SCatalogueChoice choice = ChooseCatalogue(
        isFile(workingDir / kCatalogueFileName), RememberedCatalogueLanguage(), QLocale::system().name().toStdString(),
        [&](std::string_view language) {
            const auto candidates = InstalledCatalogueCandidates(exeDir, language);
            return std::any_of(candidates.begin(), candidates.end(), isFile);
        });
    return ResolveCataloguePath(workingDir, InstalledCatalogueCandidates(exeDir, choice.language));
}

inline CLabelCatalogue OpenProgramCatalogue()
{
    CLabelCatalogue catalogue;
    catalogue.Bind(ProgramCataloguePath());
    return catalogue;
}

} // namespace orlan

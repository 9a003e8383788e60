#pragma once
// The label catalogue a program binds to: gsm.ini of the working directory,
// else the one installed with the program (or copied beside it) in the
// remembered language, the system's language or English
// (platform/CatalogueChoice.h).
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>

#include <algorithm>
#include <system_error>

#include "labels/LabelCatalogue.h"
#include "platform/CatalogueChoice.h"
#include "platform/PreferenceNames.h"

namespace orlan {

inline std::string RememberedCatalogueLanguage()
{
    const QSettings preferences(QString::fromLatin1(kOrganisationName), QString::fromLatin1(kApplicationName));
    return preferences.value(QString::fromLatin1(kLanguageSetting)).toString().toStdString();
}

// `useWorkingDirectory` false: the installed catalogue only.
inline std::filesystem::path ProgramCataloguePath(bool useWorkingDirectory = true)
{
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    const std::filesystem::path workingDir = QDir::currentPath().toStdString();
    const auto isFile = [](const std::filesystem::path& path) {
        std::error_code error;
        return std::filesystem::is_regular_file(path, error);
    };
    const bool workingHasOne = useWorkingDirectory && isFile(workingDir / kCatalogueFileName);
    const SCatalogueChoice choice = ChooseCatalogue(
        workingHasOne, RememberedCatalogueLanguage(), QLocale::system().name().toStdString(),
        [&](std::string_view language) {
            const auto candidates = InstalledCatalogueCandidates(exeDir, language);
            return std::any_of(candidates.begin(), candidates.end(), isFile);
        });
    const auto installed = InstalledCatalogueCandidates(exeDir, choice.language);
    if (workingHasOne)
        return ResolveCataloguePath(workingDir, installed);
    const auto found = std::find_if(installed.begin(), installed.end(), isFile);
    return found != installed.end() ? *found : workingDir / kCatalogueFileName;
}

// The program's catalogue. A working directory's gsm.ini that cannot be
// read or holds no section is no catalogue: the installed one is used, and
// `warning` says so (for standard error or the status line).
inline CLabelCatalogue OpenProgramCatalogue(std::string* warning = nullptr)
{
    CLabelCatalogue catalogue;
    const std::filesystem::path path = ProgramCataloguePath();
    const bool readable = catalogue.Bind(path);
    if (path.parent_path() != std::filesystem::path(QDir::currentPath().toStdString())
        || (readable && catalogue.SectionCount() > 0))
        return catalogue;
    const std::filesystem::path installed = ProgramCataloguePath(false);
    if (installed == path)
        return catalogue;  // a build tree run in its own folder: nothing else to take
    if (warning != nullptr)
        *warning = path.string() + (readable ? " holds no section" : " cannot be read")
                   + "; the installed catalogue " + installed.string() + " is used instead";
    catalogue.Bind(installed);
    return catalogue;
}

} // namespace orlan

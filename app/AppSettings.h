#pragma once
// The user's choices the window remembers between runs (window geometry,
// the last page shown, the last profile folder, the language). The link
// settings have a store of their own (platform/RegSetting.h); the password is
// kept nowhere.
#include <QSettings>

#include "platform/PreferenceNames.h"

namespace orlan {

inline constexpr char kGeometrySetting[] = "window/geometry";
inline constexpr char kSplitterSetting[] = "window/splitter";
inline constexpr char kLastPageSetting[] = "ui/lastPage";
inline constexpr char kShowAllPortsSetting[] = "link/showAllPorts";
inline constexpr char kProfileFolderSetting[] = "profiles/lastFolder";
inline constexpr char kExecBackupSetting[] = "profiles/backupBeforeExec";
inline constexpr char kBeepSetting[] = "ui/beep";

class CPreferences final : public QSettings {
public:
    CPreferences() : QSettings(QString::fromLatin1(kOrganisationName), QString::fromLatin1(kApplicationName)) {}
};

} // namespace orlan

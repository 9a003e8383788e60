#pragma once
// The profile files the verbs read and write: how they are saved, how a
// failure is worded, and the checks made before the port opens.
#include <string>

#include "cli/CliHost.h"
#include "platform/SafeFile.h"

namespace orlan {

// A profile holds the SIM PIN and PUK; the user named the file.
inline constexpr SSaveOptions kProfileSave{ENewFileMode::Private, ELinkPolicy::WriteThrough};

std::string ProfileFailure(const std::string& path, const std::string& why);

// False (the run finished) when the file is to be saved and cannot be:
// the save is tried up to its temporary file, which goes again, so a
// profile that cannot be saved is refused before the read, not after it.
bool ProfileCanBeSaved(ICliHost& host, const std::string& path);
// False (the run finished) when `output` is the profile itself under any
// spelling: written over, the profile would be gone before it is read.
bool SparesProfile(ICliHost& host, const std::string& output);
// The file whole into `text`; false (the run finished) when it cannot be read.
bool ReadProfileText(ICliHost& host, std::string& text);
// The same for another file.
bool ReadProfileFile(ICliHost& host, const std::string& path, std::string& text);

} // namespace orlan

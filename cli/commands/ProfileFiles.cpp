#include "cli/commands/ProfileFiles.h"

namespace orlan {

std::string ProfileFailure(const std::string& path, const std::string& why)
{
    return "Open the profile failed! (" + path + ": " + why + ")";
}

bool ProfileCanBeSaved(ICliHost& host, const std::string& path)
{
    if (path.empty())
        return true;
    CSafeFile probe;
    if (probe.Open(path, kProfileSave))
        return true;
    host.Finish(ECliExit::ProfileFailed, ProfileFailure(path, probe.Error()));
    return false;
}

bool SparesProfile(ICliHost& host, const std::string& output)
{
    const std::string& profile = host.Options().profilePath;
    if (output.empty() || !SameFile(output, profile))
        return true;
    host.Finish(ECliExit::Usage,
                "\"" + output + "\" is the profile \"" + profile + "\" itself; choose another file, nothing was sent");
    return false;
}

bool ReadProfileText(ICliHost& host, std::string& text)
{
    return ReadProfileFile(host, host.Options().profilePath, text);
}

bool ReadProfileFile(ICliHost& host, const std::string& path, std::string& text)
{
    const std::string why =
        ReadFileInChunks(path, kMaxProfileBytes, [&text](std::string_view bytes) { text += bytes; });
    if (why.empty())
        return true;
    host.Finish(ECliExit::ProfileFailed, ProfileFailure(path, why));
    return false;
}

} // namespace orlan

#pragma once
// Where the realtime page's running CSV goes. The page hands over each line
// as it is to stand in the file; opening, reopening after a delete and what
// happens on errors are the owner's (the desktop view's file, the CLI's).
#include <string_view>

namespace orlan {

class IRecordFile {
public:
    virtual ~IRecordFile() = default;
    // A file that could not be opened receives nothing.
    virtual bool IsOpen() const = 0;
    virtual void Append(std::string_view bytes) = 0;
};

} // namespace orlan

#pragma once
// Every file the tools write (profiles, pictures, exports, logs) goes through
// here, so that a save can neither be turned against the user nor lose the
// old file:
// - the data goes to a temporary file with an unpredictable name beside the
//   target, created exclusively and never through a link, and is flushed to
//   disk before it replaces the target; the folder is flushed after;
// - a device, a FIFO, a socket or a folder is refused, never replaced;
// - a symbolic link is written through to its target only when the user
//   chose the path, the link is theirs and it does not lie in a folder that
//   others may write (where anyone could have planted it);
// - an existing file keeps its mode; new files get the mode asked for;
// - a killed save leaves a ".NAME.orlan-tmp-XXXXXX" behind, which the next
//   save of NAME removes.
// Reads refuse what is not a regular file without blocking on it, and files
// above a size limit, and hand the bytes over in chunks.
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <memory>
class QSaveFile;
#endif

namespace orlan {

// Profiles are a page of text; the desktop tool and the CLI share this limit.
inline constexpr std::int64_t kMaxProfileBytes = 16 * 1024 * 1024;

enum class ENewFileMode {
    Private,  // 0600: profiles hold the SIM PIN and PUK
    Shared,   // 0666 less the umask: pictures, exports, logs
};

enum class ELinkPolicy {
    WriteThrough,  // the user chose this path: a sound link of theirs is followed
    Refuse,        // a name the tool chose itself: a link there is not followed
};

struct SSaveOptions {
    ENewFileMode newMode = ENewFileMode::Private;
    ELinkPolicy links = ELinkPolicy::WriteThrough;
};

// One save: Open checks the target and creates the temporary file, Write
// appends, Commit puts it in the target's place. Anything short of a
// successful Commit (a failure, Cancel, the destructor) removes the
// temporary file and leaves the target as it was.
class CSafeFile {
public:
    CSafeFile();
    ~CSafeFile();
    CSafeFile(const CSafeFile&) = delete;
    CSafeFile& operator=(const CSafeFile&) = delete;

    // `path` as the file system spells it (NativePath for a QString).
    bool Open(const std::string& path, SSaveOptions options = {});
    bool Write(std::string_view bytes);
    bool Commit();
    void Cancel();

    bool IsOpen() const;
    // Why the last step failed, for the user ("its folder does not exist").
    const std::string& Error() const { return m_error; }

private:
    bool Fail(std::string why);

    std::string m_error;
#ifdef _WIN32
    std::unique_ptr<QSaveFile> m_file;
#else
    bool OpenIn(const std::string& path, SSaveOptions options, int depth);
    int m_dir = -1;
    int m_fd = -1;
    std::string m_name;  // the target's name in m_dir
    std::string m_temp;  // the temporary file's name in m_dir
#endif
};

// The whole save in one call: empty on success, else why not.
std::string SaveFileSafely(const std::string& path, std::string_view bytes, SSaveOptions options = {});

// Reads a regular file of at most `maxBytes` in chunks; empty on success,
// else why not ("does not exist", "is a FIFO, not a regular file", ...).
// Chunks already handed over stay handed over when a later read fails.
std::string ReadFileInChunks(const std::string& path, std::int64_t maxBytes,
                             const std::function<void(std::string_view)>& chunk);

// Whether two paths lead to one file (device and inode, so links and other
// spellings count); false when either does not exist.
bool SameFile(const std::string& a, const std::string& b);

// Opens a file for appending as the tool's running files are: created when
// missing, never truncated, never through a symbolic link and never a FIFO,
// device or folder, without blocking. The descriptor, or -1 and `why`.
// Not on Windows (-1, "not supported").
int OpenForAppending(const std::string& path, std::string& why);

// A size as the reasons print it: "16 MiB", "512 bytes".
std::string SizeText(std::int64_t bytes);

// A path of the Qt side as the file system spells it.
std::string NativePath(const QString& path);

} // namespace orlan

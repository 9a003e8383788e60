#include "platform/SafeFile.h"

#include <QFile>

#include <system_error>

#ifdef _WIN32
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#else
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orlan {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

} // namespace

std::string SizeText(std::int64_t bytes)
{
    constexpr std::int64_t kKiB = 1024;
    constexpr std::int64_t kMiB = kKiB * kKiB;
    if (bytes >= kMiB && bytes % kMiB == 0)
        return std::to_string(bytes / kMiB) + " MiB";
    if (bytes >= kKiB && bytes % kKiB == 0)
        return std::to_string(bytes / kKiB) + " KiB";
    return std::to_string(bytes) + " bytes";
}

std::string SaveFileSafely(const std::string& path, std::string_view bytes, SSaveOptions options)
{
    CSafeFile file;
    if (!file.Open(path, options) || !file.Write(bytes) || !file.Commit())
        return file.Error();
    return {};
}

bool CSafeFile::Fail(std::string why)
{
    Cancel();
    m_error = std::move(why);
    return false;
}

#ifdef _WIN32

// Windows has neither O_NOFOLLOW nor sticky folders: QSaveFile's own
// temporary file and replace, with the same refusals of what is not a file.
CSafeFile::CSafeFile() = default;

CSafeFile::~CSafeFile()
{
    Cancel();
}

bool CSafeFile::Open(const std::string& path, SSaveOptions options)
{
    Cancel();
    m_error.clear();
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (info.isSymLink() && options.links == ELinkPolicy::Refuse)
        return Fail("is a symbolic link; not followed");
    if (info.exists() && info.isDir())
        return Fail("is a folder, not a regular file");
    if (info.exists() && !info.isFile())
        return Fail("is not a regular file");
    if (!info.absoluteDir().exists())
        return Fail("its folder does not exist");
    m_file = std::make_unique<QSaveFile>(name);
    if (!m_file->open(QIODevice::WriteOnly))
        return Fail(m_file->errorString().toStdString());
    return true;
}

bool CSafeFile::Write(std::string_view bytes)
{
    if (!IsOpen())
        return Fail(m_error.empty() ? "the file is not open" : m_error);
    const auto size = static_cast<qint64>(bytes.size());
    if (m_file->write(bytes.data(), size) != size)
        return Fail(m_file->errorString().toStdString());
    return true;
}

bool CSafeFile::Commit()
{
    if (!IsOpen())
        return Fail(m_error.empty() ? "the file is not open" : m_error);
    if (!m_file->commit())
        return Fail(m_file->errorString().toStdString());
    m_file.reset();
    return true;
}

void CSafeFile::Cancel()
{
    if (m_file)
        m_file->cancelWriting();
    m_file.reset();
}

bool CSafeFile::IsOpen() const
{
    return m_file && m_file->isOpen();
}

std::string ReadFileInChunks(const std::string& path, std::int64_t maxBytes,
                             const std::function<void(std::string_view)>& chunk)
{
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (!info.exists())
        return "does not exist";
    if (!info.isFile())
        return info.isDir() ? "is a folder, not a regular file" : "is not a regular file";
    if (info.size() > maxBytes)
        return "is larger than " + SizeText(maxBytes);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString().toStdString();
    std::int64_t total = 0;
    for (;;) {
        const QByteArray bytes = file.read(kReadChunk);
        if (file.error() != QFileDevice::NoError)
            return file.errorString().toStdString();
        if (bytes.isEmpty())
            return {};
        total += bytes.size();
        if (total > maxBytes)
            return "is larger than " + SizeText(maxBytes);
        chunk(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
}

bool SameFile(const std::string& a, const std::string& b)
{
    const QString first = QFileInfo(QString::fromStdString(a)).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(QString::fromStdString(b)).canonicalFilePath();
}

int OpenForAppending(const std::string&, std::string& why)
{
    why = "not supported";
    return -1;
}

std::string NativePath(const QString& path)
{
    return path.toStdString();
}

#else

namespace {

constexpr std::string_view kTempMark = ".orlan-tmp-";
constexpr std::size_t kTempRandomLength = 6;
// A name has at most 255 bytes: room for the dot, the mark and the random part.
constexpr std::size_t kMaxNameInTemp = 200;
// A save takes well under this; an older temporary file was left by a save
// that was killed.
constexpr std::time_t kStaleSeconds = 60;
constexpr int kCreateAttempts = 64;

std::string ErrnoText(int error)
{
    switch (error) {
    case ENOENT:
        return "does not exist";
    case EACCES:
    case EPERM:
        return "permission denied";
    case ENOSPC:
    case EDQUOT:
        return "the disk is full";
    case EFBIG:
        return "the file would be larger than this system allows";
    case EROFS:
        return "the file system is read-only";
    default:
        return std::generic_category().message(error);
    }
}

std::string NotRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return "is a folder, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device, not a regular file";
    if (S_ISFIFO(mode))
        return "is a FIFO (named pipe), not a regular file";
    if (S_ISSOCK(mode))
        return "is a socket, not a regular file";
    return "is not a regular file";
}

std::string TempPrefix(const std::string& name)
{
    return "." + name.substr(0, kMaxNameInTemp) + std::string(kTempMark);
}

std::string RandomSuffix()
{
    static constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;  // the system's entropy source: the name cannot be guessed
    std::string suffix;
    for (std::size_t i = 0; i < kTempRandomLength; ++i)
        suffix += kAlphabet[device() % kAlphabet.size()];
    return suffix;
}

// Temporary files of earlier saves of the same name that were killed: ours,
// regular, and old enough that no save of this name is still writing them.
void RemoveStaleTemporaries(int dir, const std::string& prefix)
{
    const int listFd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return;
    DIR* listing = ::fdopendir(listFd);
    if (listing == nullptr) {
        ::close(listFd);
        return;
    }
    std::vector<std::string> stale;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix) || name.size() != prefix.size() + kTempRandomLength)
            continue;
        struct stat info {};
        if (::fstatat(dir, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && now - info.st_mtime >= kStaleSeconds)
            stale.emplace_back(name);
    }
    ::closedir(listing);
    for (const std::string& name : stale)
        ::unlinkat(dir, name.c_str(), 0);
}

struct SSplitPath {
    std::string folder;
    std::string name;
};

SSplitPath SplitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

} // namespace

CSafeFile::CSafeFile() = default;

CSafeFile::~CSafeFile()
{
    Cancel();
}

bool CSafeFile::Open(const std::string& path, SSaveOptions options)
{
    Cancel();
    m_error.clear();
    return OpenIn(path, options, 0);
}

bool CSafeFile::OpenIn(const std::string& path, SSaveOptions options, int depth)
{
    const SSplitPath split = SplitPath(path);
    if (split.name.empty() || split.name == "." || split.name == "..")
        return Fail("is a folder, not a regular file");
    // Everything below is relative to the folder opened once, so a folder
    // renamed or replaced meanwhile cannot redirect the save.
    m_dir = ::open(split.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dir < 0) {
        const int error = errno;
        if (error == ENOENT)
            return Fail("its folder does not exist");
        if (error == ENOTDIR)
            return Fail("its folder is not a folder");
        return Fail("its folder cannot be opened: " + ErrnoText(error));
    }
    m_name = split.name;

    struct stat target {};
    bool exists = true;
    if (::fstatat(m_dir, m_name.c_str(), &target, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            return Fail(ErrnoText(errno));
        exists = false;
    }
    if (exists && S_ISLNK(target.st_mode)) {
        if (options.links == ELinkPolicy::Refuse || depth > 0)
            return Fail("is a symbolic link; not followed");
        struct stat folder {};
        if (::fstat(m_dir, &folder) != 0)
            return Fail(ErrnoText(errno));
        if ((folder.st_mode & (S_ISVTX | S_IWOTH)) != 0)
            return Fail("is a symbolic link in a folder that others may write (anyone could have planted it); "
                        "not followed");
        if (target.st_uid != ::geteuid() && target.st_uid != 0)
            return Fail("is a symbolic link of another user; not followed");
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            const int error = errno;
            return Fail(error == ENOENT ? "is a symbolic link to nothing; not followed" : ErrnoText(error));
        }
        const std::string real(resolved);
        std::free(resolved);
        Cancel();
        return OpenIn(real, options, depth + 1);
    }
    if (exists && !S_ISREG(target.st_mode))
        return Fail(NotRegular(target.st_mode));
    // Replacing by rename would get round a file the user may not write.
    if (exists && ::faccessat(m_dir, m_name.c_str(), W_OK, AT_EACCESS) != 0)
        return Fail(ErrnoText(errno));

    const std::string prefix = TempPrefix(m_name);
    RemoveStaleTemporaries(m_dir, prefix);
    // An existing file's mode is set below; until then nobody else may read.
    const mode_t createMode = !exists && options.newMode == ENewFileMode::Shared ? 0666 : 0600;
    for (int attempt = 0; attempt < kCreateAttempts && m_fd < 0; ++attempt) {
        std::string temp = prefix + RandomSuffix();
        const int fd = ::openat(m_dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        if (fd >= 0) {
            m_fd = fd;
            m_temp = std::move(temp);
        } else if (errno != EEXIST) {
            const int error = errno;
            return Fail(error == EACCES ? "its folder cannot be written: permission denied" : ErrnoText(error));
        }
    }
    if (m_fd < 0)
        return Fail("no temporary file could be created beside it");
    if (exists) {
        if ((target.st_uid != ::geteuid() || target.st_gid != ::getegid())
            && ::fchown(m_fd, target.st_uid, target.st_gid) != 0) {
            // Only root may give a file away; otherwise the one who saves owns it.
        }
        if (::fchmod(m_fd, target.st_mode & 0777) != 0)
            return Fail(ErrnoText(errno));
    }
    return true;
}

bool CSafeFile::Write(std::string_view bytes)
{
    if (m_fd < 0)
        return Fail(m_error.empty() ? "the file is not open" : m_error);
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Fail(ErrnoText(written < 0 ? errno : ENOSPC));
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool CSafeFile::Commit()
{
    if (m_fd < 0)
        return Fail(m_error.empty() ? "the file is not open" : m_error);
    // The data is on disk before it takes the old file's place.
    if (::fsync(m_fd) != 0)
        return Fail(ErrnoText(errno));
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return Fail(ErrnoText(errno));
    if (::renameat(m_dir, m_temp.c_str(), m_dir, m_name.c_str()) != 0)
        return Fail(ErrnoText(errno));
    m_temp.clear();
    // The rename itself is durable once the folder is; the new file is in
    // place either way, so a folder that cannot be flushed is no failure.
    ::fsync(m_dir);
    ::close(m_dir);
    m_dir = -1;
    m_error.clear();
    return true;
}

void CSafeFile::Cancel()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty() && m_dir >= 0)
        ::unlinkat(m_dir, m_temp.c_str(), 0);
    m_temp.clear();
    if (m_dir >= 0)
        ::close(m_dir);
    m_dir = -1;
}

bool CSafeFile::IsOpen() const
{
    return m_fd >= 0;
}

std::string ReadFileInChunks(const std::string& path, std::int64_t maxBytes,
                             const std::function<void(std::string_view)>& chunk)
{
    // Looked at before opening: opening a FIFO or a serial device blocks or
    // acts on the line.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return ErrnoText(errno);
    if (!S_ISREG(info.st_mode))
        return NotRegular(info.st_mode);
    // O_NONBLOCK: should a FIFO take the file's place meanwhile, the open
    // does not wait for a writer, and fstat refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return ErrnoText(errno);
    const auto reason = [fd](std::string why) {
        ::close(fd);
        return why;
    };
    if (::fstat(fd, &info) != 0)
        return reason(ErrnoText(errno));
    if (!S_ISREG(info.st_mode))
        return reason(NotRegular(info.st_mode));
    if (info.st_size > maxBytes)
        return reason("is larger than " + SizeText(maxBytes));
    std::string buffer(kReadChunk, '\0');
    std::int64_t total = 0;
    for (;;) {
        const ssize_t count = ::read(fd, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return reason(ErrnoText(errno));
        if (count == 0)
            break;
        total += count;
        if (total > maxBytes)  // it grew while being read
            return reason("is larger than " + SizeText(maxBytes));
        chunk(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
    }
    return reason({});
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}

int OpenForAppending(const std::string& path, std::string& why)
{
    // O_NONBLOCK: a FIFO planted under the name does not hold the open up;
    // fstat then refuses it.
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        // ENXIO: a FIFO nobody reads, or a device without its hardware.
        why = error == ELOOP   ? "is a symbolic link; not followed"
              : error == ENXIO ? "is a FIFO or a device, not a regular file"
                               : ErrnoText(error);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        why = ErrnoText(errno);
    else if (!S_ISREG(info.st_mode))
        why = NotRegular(info.st_mode);
    else
        return fd;
    ::close(fd);
    return -1;
}

std::string NativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

#endif

} // namespace orlan

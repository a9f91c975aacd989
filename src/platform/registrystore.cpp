// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registrystore.h"

#include "platform/registrytext.h"
#include "platform/winerror.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr const char* FileName = "registry.reg";
// Only the holder of the lock writes it, so one fixed name is enough.
constexpr const char* TempName = "registry.reg.tmp";
constexpr const char* LockName = "registry.reg.lock";
constexpr std::size_t MaxFileBytes = 64 << 20;

LONG StatusFromErrno(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

// The folder, opened, and locked through a lock file of its own until this object ends.
// A file rather than the folder itself is locked because NFS takes exclusive locks only on
// files open for writing.
class LockedFolder {
public:
    LockedFolder() = default;
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;
    ~LockedFolder()
    {
        if (lock >= 0)
            close(lock);
        if (dir >= 0)
            close(dir);
    }

    // 0 or the errno of the failure; the folder may be open although the lock failed.
    int Open(const std::string& path)
    {
        dir = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0)
            return errno;
        lock = openat(dir, LockName, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lock < 0)
            return errno;
        while (flock(lock, LOCK_EX) != 0)
            if (errno != EINTR)
                return errno;
        return 0;
    }

    int dir = -1;
    int lock = -1;
};

// mkdir -p, new folders private to the user.
int MakeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (slash == std::string::npos)
            return 0;
    }
}

// 0 or an errno; EFBIG when the file is larger than any store we write.
int ReadAll(int fd, std::string& text)
{
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        if (text.size() + static_cast<std::size_t>(got) > MaxFileBytes)
            return EFBIG;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

int WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t put = write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return errno;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

std::string BadFileName(int attempt)
{
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    std::string name = std::string(FileName) + ".bad-" + stamp;
    return attempt == 0 ? name : name + "-" + std::to_string(attempt + 1);
}

// Keeps the user's file under a new name; ERROR_BADDB when it cannot be moved, so that
// nothing is ever written over it.
LONG MoveAside(int dir, const RegistryTextError& error)
{
    std::string folder = RegistryStoreFolder();
    std::fprintf(stderr, "phonoduct: %s/%s is not a REGEDIT4 file (line %d: %s); ",
                 folder.c_str(), FileName, error.Line, error.Reason.c_str());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = BadFileName(attempt);
        if (renameat2(dir, FileName, dir, name.c_str(), RENAME_NOREPLACE) == 0) {
            std::fprintf(stderr, "moved it to %s/%s\n", folder.c_str(), name.c_str());
            return ERROR_SUCCESS;
        }
        if (errno != EEXIST)
            break;
    }
    std::fprintf(stderr, "it could not be moved aside: %s\n", std::strerror(errno));
    return ERROR_BADDB;
}

LONG LoadTree(int dir, RegistryTree& tree)
{
    tree = {};
    int fd = openat(dir, FileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ERROR_SUCCESS : StatusFromErrno(errno);
    std::string text;
    int err = ReadAll(fd, text);
    close(fd);
    RegistryTextError error;
    if (err == EFBIG)
        error = {0, "larger than any store"};
    else if (err != 0)
        return StatusFromErrno(err);
    else if (ParseRegistryText(text, tree, error))
        return ERROR_SUCCESS;
    tree = {};
    return MoveAside(dir, error);
}

// Temporary file, fsync, rename, fsync of the folder: a crash leaves the old or the new file.
LONG SaveTree(int dir, const RegistryTree& tree)
{
    int fd = openat(dir, TempName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return StatusFromErrno(errno);
    int err = WriteAll(fd, FormatRegistryText(tree));
    if (err == 0 && fsync(fd) != 0)
        err = errno;
    if (close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && renameat(dir, TempName, dir, FileName) != 0)
        err = errno;
    if (err != 0) {
        unlinkat(dir, TempName, 0);
        return StatusFromErrno(err);
    }
    return fsync(dir) == 0 ? ERROR_SUCCESS : StatusFromErrno(errno);
}
}

std::string RegistryStoreFolder()
{
    // A relative XDG_CONFIG_HOME is ignored, as the base-directory rules ask.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/phonoduct";
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/phonoduct";
}

LONG ReadRegistryStore(RegistryTree& tree)
{
    tree = {};
    LockedFolder folder;
    int err = folder.Open(RegistryStoreFolder());
    if (folder.dir < 0)
        return err == ENOENT ? ERROR_SUCCESS : StatusFromErrno(err);
    // Unlocked (in a folder we may not write) the file is still whole, since it is only ever
    // replaced by a rename; and a bad one cannot be moved there anyway.
    return LoadTree(folder.dir, tree);
}

LONG ChangeRegistryStore(const std::function<LONG(RegistryTree&)>& change)
{
    std::string path = RegistryStoreFolder();
    LockedFolder folder;
    int err = MakeFolders(path);
    if (err == 0)
        err = folder.Open(path);
    if (err != 0)
        return StatusFromErrno(err);
    RegistryTree tree;
    LONG status = LoadTree(folder.dir, tree);
    if (status != ERROR_SUCCESS)
        return status;
    RegistryTree before = tree;
    status = change(tree);
    if (status != ERROR_SUCCESS || tree == before)
        return status;
    return SaveTree(folder.dir, tree);
}

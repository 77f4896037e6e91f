// POSIX file operations with durable writes and the cut-off hook for tests.
#include "state/file_ops.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

int32_t fileOpCount;
int32_t fileOpStopAt;
int32_t fileOpFailOnce;

void resetFileOps() {
    fileOpCount = 0;
    fileOpStopAt = 0;
    fileOpFailOnce = 0;
}

namespace {

// Counts one operation; false when the hook says it fails.
bool operationAllowed() {
    ++fileOpCount;
    if (fileOpStopAt <= 0) return true;
    if (fileOpFailOnce) return fileOpCount != fileOpStopAt;
    return fileOpCount < fileOpStopAt;
}

bool writeAll(int fd, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Opens a regular file for reading; -1 for anything else. O_NONBLOCK keeps a
// pipe in the file's place from stopping the game.
int openRegularFile(const char* path) {
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

size_t readFileInto(const char* path, void* buffer, size_t size) {
    int fd = openRegularFile(path);
    if (fd < 0) return 0;
    uint8_t* bytes = static_cast<uint8_t*>(buffer);
    size_t got = 0;
    while (got < size) {
        ssize_t n = ::read(fd, bytes + got, size - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    return got;
}

bool fileReadable(const char* path) {
    int fd = openRegularFile(path);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool pathExists(const char* path) {
    struct stat info;
    return ::lstat(path, &info) == 0;
}

bool isRegularFile(const char* path) {
    struct stat info;
    return ::lstat(path, &info) == 0 && S_ISREG(info.st_mode);
}

bool isFolder(const char* path) {
    struct stat info;
    return ::lstat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeFileDurably(const char* path, const void* data, size_t size) {
    if (!removeFile(path) || !operationAllowed()) return false;
    int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    if (!operationAllowed()) {
        // A write cut off in the middle leaves a torn file behind.
        writeAll(fd, bytes, size / 2);
        ::close(fd);
        return false;
    }
    if (!writeAll(fd, bytes, size)) {
        ::close(fd);
        return false;
    }
    if (!operationAllowed() || ::fsync(fd) != 0) {
        ::close(fd);
        return false;
    }
    if (!operationAllowed()) {
        ::close(fd);
        return false;
    }
    return ::close(fd) == 0;
}

bool renameFile(const char* from, const char* to) {
    if (!operationAllowed()) return false;
    return ::rename(from, to) == 0;
}

namespace {

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path) == 0 ? 0 : -1; }

}  // namespace

bool removeFile(const char* path) {
    if (!operationAllowed()) return false;
    if (::unlink(path) == 0 || errno == ENOENT) return true;
    if (errno != EISDIR && errno != EPERM) return false;
    // A folder in the way of one of our names goes with all it holds; links
    // inside are removed, never followed, and no other file system is entered.
    return ::nftw(path, removeEntry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT) == 0 && !pathExists(path);
}

bool syncFolder(const char* path) {
    if (!operationAllowed()) return false;
    int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems refuse fsync on folders; their entries are then as
    // durable as the system makes them.
    bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return ok;
}

bool ensureFolder(const char* path) {
    struct stat info;
    if (::stat(path, &info) == 0) return S_ISDIR(info.st_mode);
    if (!operationAllowed()) return false;
    if (::mkdir(path, 0755) != 0 && errno != EEXIST) return false;
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

void forceTextEnd(char* text, size_t width) {
    if (width == 0) return;
    if (std::memchr(text, '\0', width) == nullptr) text[width - 1] = '\0';
}

int32_t clampToRange(int32_t value, int32_t lowest, int32_t highest) {
    if (value < lowest) return lowest;
    if (value > highest) return highest;
    return value;
}

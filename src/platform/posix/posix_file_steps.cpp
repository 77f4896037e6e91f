// SPDX-License-Identifier: GPL-2.0-or-later
// The file steps on POSIX systems (Linux, and the browser's file system,
// which emscripten gives the same calls).
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

#include "platform/posix/posix_file_steps.h"

namespace {

bool writeAll(int fd, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
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

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    return ::remove(path) == 0 ? 0 : -1;
}


FileRead readFileStep(const char* path, void* buffer, size_t size) {
    FileRead result;
    struct stat info;
    if (::lstat(path, &info) != 0) {
        result.outcome = errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Unreadable;
        return result;
    }
    result.outcome = ReadOutcome::Unreadable;
    // O_NONBLOCK keeps a pipe in the file's place from stopping the game.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return result;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return result;
    }
    uint8_t* bytes = static_cast<uint8_t*>(buffer);
    size_t got = 0;
    bool failed = false;
    while (got < size) {
        const ssize_t n = ::read(fd, bytes + got, size - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            failed = true;
            break;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (failed) return result;
    result.outcome = ReadOutcome::Read;
    result.length = got;
    return result;
}

NameKind nameKindStep(const char* path) {
    struct stat info;
    if (::lstat(path, &info) != 0) return NameKind::Missing;
    if (S_ISREG(info.st_mode)) return NameKind::File;
    if (S_ISDIR(info.st_mode)) return NameKind::Folder;
    return NameKind::Other;
}

FileHandle createNewStep(const char* path) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    return fd < 0 ? NO_FILE : fd;
}

bool writeStep(FileHandle file, const void* bytes, size_t size) {
    return writeAll(static_cast<int>(file), static_cast<const uint8_t*>(bytes), size);
}

bool flushStep(FileHandle file) { return ::fsync(static_cast<int>(file)) == 0; }

bool closeStep(FileHandle file) { return ::close(static_cast<int>(file)) == 0; }

bool renameStep(const char* from, const char* to) { return ::rename(from, to) == 0; }

bool removeStep(const char* path) {
    if (::unlink(path) == 0 || errno == ENOENT) return true;
    if (errno != EISDIR && errno != EPERM) return false;
    // A folder in the way of one of our names goes with all it holds; links
    // inside are removed, never followed, and no other file system is entered.
    return ::nftw(path, removeEntry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT) == 0 &&
           nameKindStep(path) == NameKind::Missing;
}

bool syncFolderStep(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    // Some file systems refuse fsync on folders; their entries are then as
    // durable as the system makes them.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return ok;
}

bool makeFolderStep(const char* path) {
    struct stat info;
    if (::mkdir(path, 0755) != 0 && errno != EEXIST) return false;
    // A link to a folder serves as the folder.
    return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

const FileSteps posixFileSteps{readFileStep, nameKindStep, createNewStep, writeStep,  flushStep,
                              closeStep,    renameStep,   removeStep,    syncFolderStep, makeFolderStep};

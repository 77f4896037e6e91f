// SPDX-License-Identifier: GPL-2.0-or-later
// The test helpers of test_platform.h on POSIX systems.
#include "support/test_platform.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace testing_support {

namespace fs = std::filesystem;

std::string makeTempFolder(const char* prefix) {
    std::string pattern = "/tmp/" + std::string(prefix) + "-XXXXXX";
    const char* folder = mkdtemp(pattern.data());
    return folder != nullptr ? folder : "";
}

bool enterFolder(const std::string& folder) { return chdir(folder.c_str()) == 0; }

long processNumber() { return static_cast<long>(getpid()); }

bool linkFolder(const std::string& target, const std::string& name) {
    std::error_code error;
    fs::create_directory_symlink(target, name, error);
    return !error;
}

bool linkFile(const std::string& target, const std::string& name) {
    std::error_code error;
    fs::create_symlink(target, name, error);
    return !error;
}

bool makeSymlink(const std::string& target, const std::string& name, std::string& why) {
    std::error_code error;
    fs::create_symlink(target, name, error);
    why = error.message();
    return !error;
}

bool isSymlinkTo(const std::string& name, const std::string& target) {
    struct stat info;
    if (lstat(name.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return false;
    std::error_code error;
    return fs::read_symlink(name, error) == target;
}

bool makePipe(const std::string& path) { return mkfifo(path.c_str(), 0644) == 0; }

void makeUnreadable(const std::string& path) { chmod(path.c_str(), 0); }

void makeReadable(const std::string& path) { chmod(path.c_str(), 0644); }

bool stillUnreadable(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0777) == 0;
}

bool unreadableCanBeReplaced() { return true; }

int runWhereUnreadable(const std::string& folder, int (*check)()) {
    // Root reads everything: the check runs as an ordinary user.
    if (geteuid() != 0) return check();
    chmod(folder.c_str(), 0777);
    chmod("savedat", 0777);
    const pid_t child = fork();
    if (child < 0) return 1;
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

ChildProcess startChild(const char*, void (*work)()) {
    ChildProcess child;
    const pid_t pid = fork();
    if (pid == 0) {
        work();
        _exit(0);
    }
    child.id = pid;
    return child;
}

void killChild(ChildProcess& child) {
    if (child.id <= 0) return;
    kill(static_cast<pid_t>(child.id), SIGKILL);
    waitpid(static_cast<pid_t>(child.id), nullptr, 0);
    child.id = -1;
}

namespace {
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}
}  // namespace

int runProgram(const std::string& folder, const std::string& program, const std::vector<std::string>& arguments,
               const std::string& outPath, const std::string& errPath) {
    std::string command = "cd " + quoted(folder) + " && " + quoted(program);
    for (const std::string& argument : arguments) command += " " + quoted(argument);
    command += " > " + quoted(outPath) + " 2> " + quoted(errPath);
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support

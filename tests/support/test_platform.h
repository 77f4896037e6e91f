// SPDX-License-Identifier: GPL-2.0-or-later
// What the tests ask of the system beyond the game's own files: temporary
// folders, links, files that cannot be read, a second process and named
// pipes. POSIX gives them in test_platform.cpp, Windows in
// tests/windows/support/test_platform_win32.cpp.
#pragma once
#include <string>
#include <vector>

namespace testing_support {

// A new empty folder in the system's temporary folder; "" on failure.
std::string makeTempFolder(const char* prefix);
// Makes `folder` the working folder; false when it cannot.
bool enterFolder(const std::string& folder);
// A number of this process, for names no other test process takes.
long processNumber();

// Makes `name` show the folder `target` with everything in it (a link, or on
// Windows a folder of hard links to its files).
bool linkFolder(const std::string& target, const std::string& name);
// Makes `name` show the file `target` (a link, or on Windows a hard link).
bool linkFile(const std::string& target, const std::string& name);
// A symbolic link at `name` to `target` (which need not exist). False where
// the system makes none; `why` then says why.
bool makeSymlink(const std::string& target, const std::string& name, std::string& why);
// Whether `name` is a symbolic link to `target`.
bool isSymlinkTo(const std::string& name, const std::string& target);
// A named pipe at `path`; false where the file system has none.
bool makePipe(const std::string& path);

// A file the game cannot read though it is there: mode 000 on POSIX (read by
// a test run as root only through runWhereUnreadable), held open without
// sharing on Windows, as another program holding it would.
void makeUnreadable(const std::string& path);
void makeReadable(const std::string& path);
// Whether the file is still unreadable as made so.
bool stillUnreadable(const std::string& path);
// Whether the game can replace an unreadable file with one it wrote: on
// Windows a file held open by another program cannot be replaced.
bool unreadableCanBeReplaced();
// Runs `check` where unreadable files cannot be read (as an ordinary user
// when the tests run as root) and gives its code: 2 when there is no
// ordinary user to run as.
int runWhereUnreadable(const std::string& folder, int (*check)());

// A second process running `work` (which never returns) in the working
// folder; `name` tells it apart from any other the test starts.
struct ChildProcess {
    long long id = -1;
};
ChildProcess startChild(const char* name, void (*work)());
// Kills the process at once (no clean-up of any kind) and waits for its end.
void killChild(ChildProcess& child);

// Runs `program` (without the .exe on Windows) with `arguments` in `folder`,
// its output into the two files; the exit code, or -1 when it did not end.
int runProgram(const std::string& folder, const std::string& program, const std::vector<std::string>& arguments,
               const std::string& outPath, const std::string& errPath);

}  // namespace testing_support

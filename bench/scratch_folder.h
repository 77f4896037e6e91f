// SPDX-License-Identifier: GPL-2.0-or-later
// A temporary working folder for a benchmark that writes files: data/ of the
// folder it starts in is linked into it, and the folder goes, with whatever
// was written there, when the benchmark ends.
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/kabubench-XXXXXX";
        if (getcwd(previous_, sizeof previous_) == nullptr || mkdtemp(pattern) == nullptr) std::abort();
        folder_ = pattern;
        std::error_code error;
        std::filesystem::create_directory_symlink(std::filesystem::path(previous_) / "data",
                                                  folder_ + "/data", error);
        if (chdir(folder_.c_str()) != 0) std::abort();
    }
    ~ScratchFolder() {
        if (chdir(previous_) != 0) std::abort();
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    char previous_[4096];
    std::string folder_;
};

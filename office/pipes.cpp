// SPDX-License-Identifier: MIT
#include "office/pipes.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace office {

std::vector<std::string> strangersPipes(const std::string& folder) {
    const std::string prefix = "OSL_PIPE_" + std::to_string(::getuid()) + "_";
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        struct stat st {};
        if (entry.path().filename().string().rfind(prefix, 0) == 0 &&
            ::lstat(entry.path().c_str(), &st) == 0 && st.st_uid != ::getuid())
            found.push_back(entry.path().string());
    }
    return found;
}

} // namespace office

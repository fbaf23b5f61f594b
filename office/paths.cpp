// SPDX-License-Identifier: MIT
// The names LibreOffice gives a document's lock file and a profile folder: plain path
// arithmetic, the same on every system.
#include "office/host.h"
#include "office/processes.h"

#include <cctype>
#include <filesystem>
#include <string_view>

namespace office {

namespace fs = std::filesystem;

std::string profileUrl(const std::string& profileDir) {
    // As LibreOffice's own conversion (osl::FileBase::getFileURLFromSystemPath) writes it, so
    // that the address equals the one the office writes into its lock files.
    static const std::string_view plain = "-._~!$&'()*+,/:=@";
    std::string url = "file://";
    for (const char ch : fs::absolute(profileDir).lexically_normal().string()) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte < 0x80 && std::isalnum(byte)) || plain.find(ch) != std::string_view::npos) {
            url += ch;
        } else {
            static const char hex[] = "0123456789ABCDEF";
            url += {'%', hex[byte >> 4], hex[byte & 15]};
        }
    }
    return url;
}

std::string lockFilePath(const std::string& path) {
    const fs::path p(path);
    return (p.parent_path() / (".~lock." + p.filename().string() + "#")).string();
}

} // namespace office

// SPDX-License-Identifier: MIT
#include "office/host.h"

#include "office/processes.h"

#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace office {

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::string hostName() {
    char name[256] = {};
    ::gethostname(name, sizeof name - 1);
    return name;
}

// Fields of ".~lock.NAME#": office user (often empty),os user,host,date,profile url;
std::vector<std::string> lockFields(const std::string& text) {
    std::vector<std::string> fields;
    std::string field;
    for (char ch : text) {
        if (ch == ',' || ch == ';') {
            fields.push_back(field);
            field.clear();
        } else if (ch != '\n' && ch != '\r') {
            field += ch;
        }
    }
    return fields;
}

bool liveLock(const fs::path& file, const std::string& ownProfileUrl) {
    const fs::path lock = lockFilePath(file.string());
    std::error_code ec;
    if (!fs::exists(lock, ec))
        return false;
    const std::string text = readAll(lock);
    // An office that ended between creating its lock and writing it leaves an empty file;
    // whether someone holds the document is then told by its open descriptors alone.
    if (text.empty())
        return false;
    const auto fields = lockFields(text);
    if (fields.size() < 5)
        return true; // a lock we cannot read is taken at its word
    const std::string& host = fields[2];
    const std::string& profile = fields[4];
    if (host != hostName())
        return true; // held on another machine: cannot be checked, so it counts
    if (!ownProfileUrl.empty() && profile == ownProfileUrl)
        return false; // ours: our office holds the file open while the lock is live
    return officeRunsOn(profile);
}

} // namespace

std::string CurrentUserName() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
        result->pw_name && *result->pw_name)
        return result->pw_name;
    return "Unknown";
}

std::string lockFilePath(const std::string& path) {
    const fs::path p(path);
    return (p.parent_path() / (".~lock." + p.filename().string() + "#")).string();
}

bool FileInUse(const std::string& path, const std::string& ownProfileUrl) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    return liveLock(path, ownProfileUrl) || openElsewhere(path);
}

} // namespace office

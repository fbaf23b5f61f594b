// SPDX-License-Identifier: MIT
#include "office/host.h"

#include "office/log.h"
#include "office/processes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace office {

namespace fs = std::filesystem;

namespace {

// A lock file is a few dozen bytes; what lies beyond this is not LibreOffice's.
constexpr size_t lockReadLimit = 4096;

// The text of a lock file, or nothing when the name is not a regular file of its own: a
// link, a named pipe (a plain read would wait for a writer for ever), a device, a folder.
// Such a name is no lock, whoever put it there.
std::optional<std::string> readLock(const fs::path& lock) {
    const int fd = ::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            qCInfo(kcOffice) << "lock" << lock.c_str() << "refused:"
                             << (errno == ELOOP ? "a symbolic link" : strerror(errno));
        return std::nullopt;
    }
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::string text(regular ? lockReadLimit : 0, '\0');
    size_t used = 0;
    while (used < text.size()) {
        const ssize_t got = ::read(fd, text.data() + used, text.size() - used);
        if (got <= 0)
            break;
        used += size_t(got);
    }
    ::close(fd);
    if (!regular) {
        qCInfo(kcOffice) << "lock" << lock.c_str() << "refused: not a regular file";
        return std::nullopt;
    }
    text.resize(used);
    return text;
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
    const std::optional<std::string> text = readLock(lockFilePath(file.string()));
    // An office that ended between creating its lock and writing it leaves an empty file;
    // whether someone holds the document is then told by its open descriptors alone.
    if (!text || text->empty())
        return false;
    const auto fields = lockFields(*text);
    if (fields.size() < 5)
        return true; // a lock we cannot read is taken at its word
    const std::string& user = fields[1];
    const std::string& host = fields[2];
    const std::string& profile = fields[4];
    if (host != hostName())
        return true; // held on another machine: cannot be checked, so it counts
    if (user != CurrentUserName())
        return true; // another account's office, whose processes are not asked: it counts
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

bool FileInUse(const std::string& path, const std::string& ownProfileUrl) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    return liveLock(path, ownProfileUrl) || openElsewhere(path);
}

std::string replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::string() : std::strerror(errno);
}

void giveUsersMode(const std::string& path) {
    const mode_t mask = ::umask(077);
    ::umask(mask);
    std::error_code ignored;
    fs::permissions(path, fs::perms(0666 & ~mask), ignored);
}

} // namespace office

// SPDX-License-Identifier: MIT
#include "office/private_folder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace office {

namespace fs = std::filesystem;

std::string makePrivateFolder(const std::string& dir) {
    const fs::path folder = fs::absolute(dir).lexically_normal();
    const uid_t user = ::geteuid();
    fs::path way;
    for (auto part = folder.begin(); part != folder.end(); ++part) {
        way /= *part;
        if (part->empty())
            continue; // a trailing separator
        struct stat st {};
        bool made = false;
        if (::lstat(way.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return way.string() + " cannot be examined: " + strerror(errno);
            if (::mkdir(way.c_str(), 0700) != 0 && errno != EEXIST)
                return "cannot make " + way.string() + ": " + strerror(errno);
            made = true;
            if (::lstat(way.c_str(), &st) != 0)
                return way.string() + " cannot be examined: " + strerror(errno);
        }
        const bool own = way == folder || made; // the calculator's: the user's alone
        if (S_ISLNK(st.st_mode)) {
            if (own)
                return way.string() + " is a symbolic link, not a folder";
            if (st.st_uid != 0 && st.st_uid != user)
                return way.string() + " is a link of user " + std::to_string(st.st_uid);
            if (::stat(way.c_str(), &st) != 0)
                return way.string() + " leads nowhere";
        }
        if (!S_ISDIR(st.st_mode))
            return way.string() + " is not a folder";
        if (own ? st.st_uid != user : st.st_uid != 0 && st.st_uid != user)
            return way.string() + " belongs to user " + std::to_string(st.st_uid);
        if (way == folder && (st.st_mode & 077) != 0 && ::chmod(way.c_str(), 0700) != 0)
            return "cannot take the permissions of group and others off " + way.string();
    }
    return {};
}

} // namespace office

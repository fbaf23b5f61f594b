// SPDX-License-Identifier: MIT
#include "office/processes.h"

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace office {

namespace fs = std::filesystem;

namespace {

const std::string profileOption = "-env:UserInstallation=";

// An office's command line is a few hundred bytes; what lies beyond this is no office's.
constexpr std::streamsize commandLineLimit = 64 * 1024;

// A file of a process that may end while it is read: an istreambuf_iterator would throw then
// (the read fails with ESRCH); a failed read gives what was read.
std::string readAll(const fs::path& p, std::streamsize limit = -1) {
    std::ifstream in(p, std::ios::binary);
    if (limit < 0) {
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    std::string text(size_t(limit), '\0');
    in.read(text.data(), limit);
    text.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
    return text;
}

// Calls `visit` with the folder of each process in /proc until it returns true; `own`: only
// the user's own processes.
bool anyProcess(const std::function<bool(pid_t, const fs::path&)>& visit, bool own = false) {
    std::error_code ec;
    const uid_t user = ::geteuid();
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        struct stat st {};
        if (own && (::stat(entry.path().c_str(), &st) != 0 || st.st_uid != user))
            continue;
        if (visit(static_cast<pid_t>(std::stol(name)), entry.path()))
            return true;
    }
    return false;
}

// The command line of an office process, NUL-separated; empty for any other process. Only the
// user's own processes are asked: any account can start a process whose command line names
// this user's profile, to pass for the user's office.
std::string officeCommandLine(const fs::path& process) {
    std::string cmdline = readAll(process / "cmdline", commandLineLimit);
    if (cmdline.find("soffice.bin") == std::string::npos)
        cmdline.clear();
    return cmdline;
}

} // namespace

bool processAlive(pid_t pid) {
    if (pid <= 0 || ::kill(pid, 0) != 0)
        return false;
    const std::string stat = readAll("/proc/" + std::to_string(pid) + "/stat");
    const auto paren = stat.rfind(')');
    return paren == std::string::npos || paren + 2 >= stat.size() ||
           (stat[paren + 2] != 'Z' && stat[paren + 2] != 'X');
}

bool isOfficeOn(pid_t pid, const std::string& profileUrl) {
    const fs::path process = "/proc/" + std::to_string(pid);
    struct stat st {};
    if (pid <= 0 || ::stat(process.c_str(), &st) != 0 || st.st_uid != ::geteuid())
        return false;
    const std::string wanted = profileOption + profileUrl;
    const std::string cmdline = officeCommandLine(process);
    for (size_t pos = 0; pos < cmdline.size();) {
        size_t end = cmdline.find('\0', pos);
        if (end == std::string::npos)
            end = cmdline.size();
        if (cmdline.compare(pos, end - pos, wanted) == 0)
            return processAlive(pid);
        pos = end + 1;
    }
    return false;
}

pid_t findOfficeProcess(const std::string& profileUrl) {
    pid_t found = 0;
    anyProcess(
        [&](pid_t pid, const fs::path&) {
            found = isOfficeOn(pid, profileUrl) ? pid : 0;
            return found != 0;
        },
        true);
    return found;
}

bool officeRunsOn(const std::string& profileUrl) {
    const std::string wanted = profileOption + profileUrl + '\0';
    const char* home = std::getenv("HOME");
    const bool isDefault =
        profileUrl == office::profileUrl(std::string(home ? home : "") + "/.config/libreoffice/4");
    return anyProcess(
        [&](pid_t, const fs::path& process) {
            const std::string cmdline = officeCommandLine(process);
            if (cmdline.empty())
                return false;
            const bool hasProfile = cmdline.find(profileOption) != std::string::npos;
            return cmdline.find(wanted) != std::string::npos || (isDefault && !hasProfile);
        },
        true);
}

bool openElsewhere(const std::string& path) {
    std::error_code ec;
    const fs::path target = fs::canonical(path, ec);
    if (ec)
        return false;
    const pid_t self = ::getpid();
    return anyProcess([&](pid_t pid, const fs::path& process) {
        if (pid == self)
            return false;
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(process / "fd", fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) == target)
                return true;
        }
        return false;
    });
}

std::vector<std::string> socketsOf(pid_t pid) {
    std::set<std::string> inodes; // "socket:[INODE]" in the process's descriptors
    std::error_code ec;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        const std::string target = fs::read_symlink(fd.path(), ec).string();
        if (target.rfind("socket:[", 0) == 0)
            inodes.insert(target.substr(8, target.size() - 9));
    }
    // Num RefCount Protocol Flags Type St Inode Path
    std::istringstream table(readAll("/proc/net/unix"));
    std::set<std::string> paths;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string skip, inode, path;
        for (int i = 0; i < 6; ++i)
            fields >> skip;
        fields >> inode >> path;
        if (inodes.count(inode) && path.rfind('/', 0) == 0)
            paths.insert(path);
    }
    return {paths.begin(), paths.end()};
}

} // namespace office

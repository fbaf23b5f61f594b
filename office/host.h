// SPDX-License-Identifier: MIT
// What the office layer asks of the operating system: the user's name and whether a file is
// in use by another program.
#pragma once

#include <string>

namespace office {

// The login name from the user database, "Unknown" when it cannot be had.
std::string CurrentUserName();

// True when the file exists and is in use: another process holds it open, or LibreOffice's
// lock file beside it (".~lock.NAME#") names a holder that still runs. A stale lock, left
// by an office that has ended, does not count. `ownProfileUrl` is the calculator's own office
// profile, whose lock is only live while that office has the file open.
bool FileInUse(const std::string& path, const std::string& ownProfileUrl = {});

// Gives the file `from` the name `to` in one step, replacing a file of that name; the reason
// when it cannot, else empty.
std::string replaceFile(const std::string& from, const std::string& to);

// Gives a file the calculator made the permissions of any new file of the user's: on Linux
// what the user's umask leaves of 0666 (a file system without modes keeps its own).
void giveUsersMode(const std::string& path);

// The lock file LibreOffice writes beside an open document.
std::string lockFilePath(const std::string& path);

} // namespace office

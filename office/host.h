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

// The lock file LibreOffice writes beside an open document.
std::string lockFilePath(const std::string& path);

} // namespace office

// SPDX-License-Identifier: MIT
// The office profile's folder, which holds the office's settings and macros: the user's alone.
// Plain C++, shared by the Qt side of the office layer and the plugin.
#pragma once

#include <string>

namespace office {

// Makes the folder, and the missing ones on the way to it, open to the user alone (0700), and
// checks the way: every folder on it that exists belongs to root or to the user, and the folder
// itself and each one made on the way is a real folder (no symbolic link) of the user's own.
// Another account's folder on the way (one made first in a shared XDG_CACHE_HOME on a terminal
// server) or a link put where a folder is made would hand that account the profile. Takes the
// permissions of group and others off the folder itself. Gives why the folder is refused,
// empty when it may be used.
std::string makePrivateFolder(const std::string& dir);

} // namespace office

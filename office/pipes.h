// SPDX-License-Identifier: MIT
// The sockets of LibreOffice's pipes, /tmp/OSL_PIPE_<uid>_<name> (in /var/tmp when /tmp cannot
// be written), named after the user's id: anyone may make a file of such a name first.
#pragma once

#include <string>
#include <vector>

namespace office {

// The folders the office makes its pipes in.
inline constexpr const char* pipeFolders[] = {"/tmp", "/var/tmp"};

// The entries of `folder` named as the user's office pipes ("OSL_PIPE_<uid>_...") that belong
// to another account.
std::vector<std::string> strangersPipes(const std::string& folder);

} // namespace office

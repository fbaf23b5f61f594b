// SPDX-License-Identifier: MIT
// The office's profile address and what the process table says about running offices and
// open files. Plain C++ over /proc, shared by the Qt side of the office layer and the plugin.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace office {

// The address an office takes in -env:UserInstallation= for a profile folder.
std::string profileUrl(const std::string& profileDir);

// Running: neither gone nor a zombie that waits for a parent to reap it.
bool processAlive(pid_t pid);

// A running office process of the user's started on the profile, 0 when there is none.
pid_t findOfficeProcess(const std::string& profileUrl);
// Whether the process is a running office of the user's started on the profile.
bool isOfficeOn(pid_t pid, const std::string& profileUrl);

// An office process of the user's that uses the profile; one started without a profile counts
// for the user's default profile. Other accounts' processes are not asked.
bool officeRunsOn(const std::string& profileUrl);

// Another process that has the file open.
bool openElsewhere(const std::string& path);

// The sockets in the file system that the process has open: for an office, its pipes.
std::vector<std::string> socketsOf(pid_t pid);

} // namespace office

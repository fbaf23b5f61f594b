// SPDX-License-Identifier: MIT
// Finds and loads the office plugin kc_office_uno at run time. Without LibreOffice the
// plugin cannot be loaded (its UNO libraries are missing) and the calculator goes on
// without an office suite.
#pragma once

#include "office/suite.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace office {

// Folders searched for the plugin: $KC_OFFICE_PLUGIN_DIR alone when it is set; otherwise the
// executable's folder, the plugin's install folder relative to it (../lib/kabinet-calc, or
// ../lib/<multiarch>/kabinet-calc), the install folder, and the build tree for a program
// that runs from the build tree.
QStringList pluginSearchPath();

// The profile folder of the calculator's own office process, in the user's own folder (0700)
// of the cache folder, its name carrying a random part made once for the user.
QString defaultProfileDir();

// The suite from the plugin, or nullptr when no usable office is found or the plugin cannot be
// loaded. The office is looked for (office_locator.h) unless the options name its program
// folder; its URE libraries are loaded first, and the plugin runs on them. The libraries stay
// loaded for the rest of the process.
std::unique_ptr<Suite> loadSuite(const SuiteOptions& options, QString* error = nullptr);

// The same with the default options (the calculator's private profile).
std::unique_ptr<Suite> loadSuite();

} // namespace office

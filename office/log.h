// SPDX-License-Identifier: MIT
// The office layer's diagnostics: why an office could not be found, started or used.
// The user sees the fixed messages only; the causes go here, silent by default.
// Turn them on with QT_LOGGING_RULES="kc.office.info=true".
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(kcOffice)

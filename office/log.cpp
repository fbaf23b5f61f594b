// SPDX-License-Identifier: MIT
#include "office/log.h"

// Debug and info messages are off unless QT_LOGGING_RULES enables them.
Q_LOGGING_CATEGORY(kcOffice, "kc.office", QtWarningMsg)

// SPDX-License-Identifier: MIT
// A library that uses the resources, as the window does.
#include "kc_resources.h"

#include <QFile>

bool resourcesUserFinds(const QString& path) {
    return QFile::exists(path);
}

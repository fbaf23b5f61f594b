// SPDX-License-Identifier: MIT
#include "kc_resources.h"

#include <QDir>

#include <algorithm>

namespace kc::resources {

QStringList pictureNames() {
    QStringList names = QDir(":/pictures").entryList(QDir::Files, QDir::Name);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString& name) { return name.contains(u'@'); }),
                names.end());
    return names;
}

} // namespace kc::resources

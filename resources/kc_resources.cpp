// SPDX-License-Identifier: MIT
#include "kc_resources.h"

#include <QDir>

namespace kc::resources {

QStringList pictureNames() {
    return QDir(":/pictures").entryList(QDir::Files, QDir::Name);
}

} // namespace kc::resources

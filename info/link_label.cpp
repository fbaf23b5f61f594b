#include "info/link_label.h"

namespace info {

// Placeholder until the link table lands.
LinkLabel::LinkLabel(const QString& name, QWidget* parent)
    : QLabel(parent) {
    setObjectName(name);
    setText(name);
    setCursor(Qt::PointingHandCursor);
}

} // namespace info

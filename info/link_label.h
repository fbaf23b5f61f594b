// A link label: hand cursor, hover colours and underline, and a click that opens the
// seller's web page or a new mail message.
#pragma once

#include <QLabel>

namespace info {

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    // name is the label's object name ("LabelVedramo", "LabelStendShop", ...); it decides the
    // caption, the hint, the target and the hover pair.
    explicit LinkLabel(const QString& name, QWidget* parent = nullptr);
};

} // namespace info

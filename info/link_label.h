// SPDX-License-Identifier: MIT
// A link label: hand cursor, hover colours and underline, and a click that opens the
// seller's web page or a new mail message. It takes the keyboard focus with Tab, shows it with
// the platform's focus frame, and Enter or Space opens it; screen readers see it as a link.
#pragma once

#include "info/qt_compat.h"

#include <QLabel>
#include <QUrl>

namespace info {

struct Link;

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    // The label of one row of the links' table (info/links.h).
    explicit LinkLabel(const Link& link, QWidget* parent = nullptr);

    // What a left click opens; empty for the labels that open nothing.
    QUrl target() const;
    // Opens the target, as a click does.
    void activate();
    // The colour the label stands on where that is not its panel's (the logo under the contact
    // labels); its colours are chosen to read on it. An invalid colour means the panel's.
    void setBackdrop(const QColor& colour);

  protected:
    void enterEvent(qt::EnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void applyLook();
    void setFontStyle(bool bold, bool underline);

    const Link* link_;
    QColor backdrop_;
    bool hovered_ = false;
    bool pressed_ = false;
};

} // namespace info

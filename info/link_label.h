// SPDX-License-Identifier: MIT
// A link label: hand cursor, hover colours and underline, and a click that opens the
// seller's web page or a new mail message. It takes the keyboard focus with Tab, shows it with
// the platform's focus frame, and Enter or Space opens it; screen readers see it as a link.
#pragma once

#include "info/qt_compat.h"

#include <QLabel>
#include <QUrl>

#include <span>
#include <string_view>

namespace info {

// Contact labels stand in white on the logo; the others are drawn in the highlight colour.
enum class Pair { Contact, Blue };

// What a click opens: the site with a path, a new mail message, or nothing.
enum class Opens { Site, Mail, Nothing };

// How the caption shows: as written, in capitals, or never (the label stays hidden).
enum class Show { AsWritten, Capitals, Never };

// One link label of the window: where it stands, what it shows and what a click on it opens.
struct Link {
    std::string_view name;  // the label's object name, "LabelVedramo"
    std::string_view panel; // the panel it stands on
    int x, y;
    bool rightAligned;     // stands with its right edge at x (the contact labels on the logo)
    std::string_view item; // the control the link belongs to; empty for a link of its panel
    std::string_view caption;
    std::string_view hint;
    Opens opens;
    std::string_view argument; // path after the site address, or what follows "?subject="
    Pair pair;
    Show show = Show::AsWritten;
};

// Every link label in creation order.
std::span<const Link> links();

// The link label of this name, or nullptr.
const Link* findLink(std::string_view name);

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    // The label of one row of links().
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

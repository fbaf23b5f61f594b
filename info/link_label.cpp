// SPDX-License-Identifier: MIT
#include "info/link_label.h"

#include "info/contrast.h"
#include "info/links.h"
#include "info/seller.h"

#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <string_view>

namespace info {

namespace {

QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// What screen readers see: a link named by its caption, described by its hint, that opens.
class LinkAccessible : public QAccessibleWidget {
  public:
    explicit LinkAccessible(LinkLabel* label)
        : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const LinkLabel*>(widget());
        if (t == QAccessible::Name)
            return label->text();
        if (t == QAccessible::Description)
            return label->toolTip();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<LinkLabel*>(widget())->activate();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* linkAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<LinkLabel*>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(const Link& link, QWidget* parent)
    : QLabel(parent)
    , link_(&link) {
    static const bool accessibleOnce = (QAccessible::installFactory(linkAccessible), true);
    Q_UNUSED(accessibleOnce);
    setObjectName(qstr(link.name));
    setText(link.show == Show::Capitals ? qstr(link.caption).toUpper() : qstr(link.caption));
    setToolTip(qstr(link.hint));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    if (link.pair == Pair::Contact)
        setFontStyle(true, false);
    applyLook();
    if (link.show == Show::Never)
        hide(); // kept in the layout, never shown
}

QUrl LinkLabel::target() const {
    switch (link_->opens) {
    case Opens::Site:
        return QUrl(qstr(seller::siteUrl) + qstr(link_->argument));
    case Opens::Mail:
        // Cyrillic and blanks stay as they are; QUrl encodes them when the URL goes out.
        return QUrl("mailto:" + qstr(link_->caption) + "?subject=" + qstr(link_->argument));
    case Opens::Nothing:
        break;
    }
    return {};
}

// The normal look: white bold contact labels, highlight-coloured others. Hovered: underlined,
// in the highlight colour (contact) or pure red (others). Other style flags are kept.
// A colour that reads less than 3 : 1 on what the label stands on (the highlight of a dark
// scheme) gives way to the scheme's link colour, or to itself made lighter or darker, at 4.5 : 1.
void LinkLabel::applyLook() {
    constexpr double keep = keptLinkContrast;
    constexpr double want = textContrast;
    const QPalette& scheme = palette();
    const QColor ground =
        backdrop_.isValid() ? backdrop_ : scheme.color(QPalette::Active, QPalette::Window);
    const QColor link = scheme.color(QPalette::Active, QPalette::Link);
    const QColor highlight =
        readableOn(scheme.color(QPalette::Active, QPalette::Highlight), ground, keep, want, link);
    const bool contact = link_->pair == Pair::Contact;
    const bool lit = hovered_ || hasFocus(); // the keyboard focus looks like the mouse over it
    const QColor colour =
        contact ? (lit ? highlight : QColor(Qt::white))
                : (lit ? readableOn(QColor(255, 0, 0), ground, keep, want) : highlight);
    if (palette().color(QPalette::WindowText) != colour) {
        QPalette p; // only the text colour is the label's own
        p.setColor(QPalette::WindowText, colour);
        setPalette(p);
    }
    if (font().underline() != hovered_)
        setFontStyle(font().bold(), hovered_);
}

void LinkLabel::setBackdrop(const QColor& colour) {
    backdrop_ = colour;
    applyLook();
}

// Sets only the style flags on the label, so that family and size still follow the window.
void LinkLabel::setFontStyle(bool bold, bool underline) {
    const QFont current = font();
    QFont style;
    style.setBold(bold);
    style.setItalic(current.italic());
    style.setStrikeOut(current.strikeOut());
    style.setUnderline(underline);
    setFont(style);
}

void LinkLabel::enterEvent(qt::EnterEvent* event) {
    hovered_ = true;
    applyLook();
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    hovered_ = false;
    applyLook();
    QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(qt::position(*event));
    pressed_ = false;
    if (click)
        activate();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::activate() {
    if (const QUrl url = target(); url.isValid())
        QDesktopServices::openUrl(url); // no browser or mail client: nothing to report
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this); // the platform's focus frame round the caption
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void LinkLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        applyLook(); // the highlight colour follows the system's
    QLabel::changeEvent(event);
}

} // namespace info

// SPDX-License-Identifier: MIT
// Qt reports a changed description to the accessibility bus (AT-SPI) as a PropertyChange
// signal. Qt 6.4 puts the object itself where AT-SPI carries the new text, and Orca, which
// speaks that text, fails on it and says nothing. Besides Qt's own report the signal goes out
// once more, as AT-SPI defines it: on the connection of Qt's bridge (named "a11y"), so that it
// comes from the program, for the object's path there, with the description as its value.
// Qt 6.8 and later have an announcement for such news instead.
#include "window/accessibility_notice.h"

#include <QAccessible>
#include <QWidget>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#endif

namespace window {

void noticeDescription(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (!a)
        return;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    QDBusConnection bridge(QStringLiteral("a11y")); // connected while a screen reader listens
    if (!bridge.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(a)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    signal << QStringLiteral("accessible-description") << 0 << 0
           << QVariant::fromValue(QDBusVariant(a->text(QAccessible::Description))) << QVariantMap();
    bridge.send(signal);
#else
    QAccessibleAnnouncementEvent news(w, a->text(QAccessible::Description));
    QAccessible::updateAccessibility(&news);
#endif
}

} // namespace window

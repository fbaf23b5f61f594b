// SPDX-License-Identifier: MIT
// The results told without moving the focus. Qt 6.8 and later announce them. Before 6.8 there
// is no announcement: the results become the description of the focused button, which screen
// readers speak when it changes, and the button has its own back once they are withdrawn.
#include "access/access.h"

#include <QWidget>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) && defined(KC_ATSPI)
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#endif

namespace accessibility {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

void tellResults(QWidget* holder, const QString& results) {
    if (results.isEmpty())
        return;
    QAccessibleAnnouncementEvent news(holder, results);
    QAccessible::updateAccessibility(&news);
}

#else

namespace {

constexpr const char* ownDescription = "access.ownDescription"; // kept while results stand

// Qt 5.15 and 6.4 (Debian 12) report a changed description to the accessibility bus with the
// object's path where AT-SPI carries the new text, and Orca, which speaks that text, fails on it
// and says nothing. The signal goes out once more as AT-SPI defines it, on the connection of
// Qt's bridge (named "a11y", connected while a screen reader listens), so that it comes from the
// program, for the object's path there. Windows' screen readers hear the description change
// through Qt's UI Automation.
void sendDescription([[maybe_unused]] QWidget* w) {
#ifdef KC_ATSPI
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    QDBusConnection bridge(QStringLiteral("a11y"));
    if (!a || !bridge.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(QAccessible::uniqueId(a)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    signal << QStringLiteral("accessible-description") << 0 << 0
           << QVariant::fromValue(QDBusVariant(a->text(QAccessible::Description))) << QVariantMap();
    bridge.send(signal);
#endif
}

} // namespace

void tellResults(QWidget* holder, const QString& results) {
    for (QWidget* w : holder->window()->findChildren<QWidget*>()) {
        const QVariant own = w->property(ownDescription);
        if (own.isValid() && (w != holder || results.isEmpty())) {
            w->setAccessibleDescription(own.toString());
            w->setProperty(ownDescription, QVariant());
        }
    }
    if (results.isEmpty())
        return;
    if (!holder->property(ownDescription).isValid())
        holder->setProperty(ownDescription, holder->accessibleDescription());
    holder->setAccessibleDescription(results); // Qt tells a change only
    sendDescription(holder);                   // told also when the results are as before
}

#endif

} // namespace accessibility

// SPDX-License-Identifier: MIT
// The entry rules; the one place where presses, clicks and typed characters reach the controls.
#include "estimate/count.h"
#include "window/entry_rules.h"
#include "window/main_window.h"
#include "window/qt_compat.h"
#include "window/widgets.h"

#include "info/topics.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The character a key press types, as a character-message would carry it: Ctrl with a letter
// types a control character; keys that move or delete type nothing.
QChar typedCharacter(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    if ((e->modifiers() & Qt::ControlModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
        return QChar(e->key() - Qt::Key_A + 1);
    const QString text = e->text();
    return text.isEmpty() ? QChar() : text.front();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Presses, clicks and typed characters

bool TMain::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        // Any button, before the control toggles; only the left button ever toggles it.
        if (qobject_cast<QAbstractButton*>(watched))
            showPressTopic(watched);
        break;
    case QEvent::MouseButtonDblClick:
        // The second press of a double click shows the topic again but toggles nothing more.
        if (qobject_cast<QAbstractButton*>(watched)) {
            showPressTopic(watched);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto* me = static_cast<QMouseEvent*>(e);
        if (edit && me->button() == Qt::LeftButton &&
            edit->rect().contains(window::qt::position(*me))) {
            const std::string name = edit->objectName().toStdString();
            if (info::selectsAllOnClick(name))
                edit->selectAll();
            info::showTopic(name, doc_);
        }
        break;
    }
    case QEvent::KeyPress:
        if (countEdits_.contains(watched)) {
            QChar key = typedCharacter(static_cast<QKeyEvent*>(e));
            if (!key.isNull()) {
                EditStendSKeyPress(watched, key);
                if (key.isNull())
                    return true; // discarded before it reaches the field
            }
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

void TMain::showPressTopic(QObject* control) {
    const QString name = control->objectName();
    if (!name.isEmpty()) // the section switches have none: they write theirs when they toggle
        info::showTopic(name.toStdString(), doc_);
}

// ---------------------------------------------------------------------------------------------
// Entry rules

void TMain::EditStendSKeyPress(QObject*, QChar& key) {
    if (!window::passesCountFilter(key))
        key = QChar();
}

void TMain::EditStendSChange(QObject* sender) {
    auto* edit = qobject_cast<QLineEdit*>(sender);
    // Read the text itself: a correction made by an earlier handler has already changed it.
    if (!estimate::readCount(edit->text().toStdString()))
        edit->setText(QStringLiteral("0"));
}

void TMain::EditSquareChange(QObject*) {
    auto* square = control<QLineEdit>(QStringLiteral("EditSquare"));
    const QLocale locale = QLocale::system();
    std::optional<double> area = window::readArea(square->text(), locale);
    if (!area) {
        square->setText(QStringLiteral("0")); // runs this rule once more, on "0"
        area = window::readArea(square->text(), locale);
    }
    const window::AreaCounts counts = window::areaCounts(area.value_or(0.0));
    control<QLineEdit>(QStringLiteral("EditMebelMest"))->setText(counts.studyPlaces);
    control<QLineEdit>(QStringLiteral("EditStendS"))->setText(counts.stands);
    control<QLineEdit>(QStringLiteral("EditStendL"))->setText(counts.slogans);
    control<QLineEdit>(QStringLiteral("EditStendP"))->setText(counts.agitation);
}

// SPDX-License-Identifier: MIT
// The interfaces screen readers get for the calculator's window: its containers' roles, its
// line edits and its level sliders.
#include "access/access.h"

#include "estimate/config.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QSlider>

#include <vector>

namespace accessibility {

namespace {

constexpr int percentPerLevel = estimate::percentPerLevel;

// Qt 5.15 and 6.4 (Debian 12) give each offset of a line edit an attribute run of no length, and
// Orca then drops the value's last character, or a one-digit value altogether ("0,0" for
// "0,00"). Qt 6.8 (Debian 13) is read whole without this: there the edits keep Qt's interface.
// This one gives the whole text as one run, and otherwise does as Qt's: text, caret and
// selection, editable through the interface unless read-only.
constexpr bool wholeRuns = QT_VERSION < QT_VERSION_CHECK(6, 8, 0);

class EditAccessible : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface {
  public:
    explicit EditAccessible(QLineEdit* edit)
        : QAccessibleWidget(edit, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return edit()->text();
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
        } else if (!edit()->isReadOnly()) {
            edit()->setText(text); // the change handler applies the entry rules
        }
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.readOnly = edit()->isReadOnly();
        s.selectableText = true;
        return s;
    }

    // Text: no styles inside an edit, so one run covers the whole text.
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        Q_UNUSED(offset);
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset)
            return {};
        return edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(edit()->text().size()); }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (index != 0 || !edit()->hasSelectedText())
            return;
        *startOffset = edit()->selectionStart();
        *endOffset = *startOffset + int(edit()->selectedText().size());
    }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int index) override {
        if (index == 0)
            edit()->deselect();
    }
    void setSelection(int index, int startOffset, int endOffset) override {
        if (index == 0)
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    // Measured from the caret, which already accounts for the edit's scrolling.
    QRect characterRect(int offset) const override {
        const QString t = edit()->text();
        if (offset < 0 || offset >= t.size())
            return {};
        const QFontMetrics fm(edit()->font());
        const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.center().x() + fm.horizontalAdvance(t.left(offset)) -
                      fm.horizontalAdvance(t.left(edit()->cursorPosition()));
        const QRect r(x, caret.top(), fm.horizontalAdvance(t.at(offset)), fm.height());
        return QRect(edit()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        edit()->setCursorPosition(endIndex);
        edit()->setCursorPosition(startIndex);
    }

    // Editable text.
    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, {});
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        if (!edit()->isReadOnly())
            edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
    }

  private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

// A level slider: its value is the percentage its position stands for, on a scale from 0 to 100
// (Orca 48 adds a slider's share of its range, and reckons it from zero: with the scale from
// 10 it said "10 11 percent").
class LevelAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit LevelAccessible(QSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(percent(slider()->value())) + u'%';
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return percent(slider()->value()); }
    void setCurrentValue(const QVariant& value) override {
        slider()->setValue((value.toInt() + percentPerLevel / 2) / percentPerLevel);
    }
    QVariant maximumValue() const override { return percent(slider()->maximum()); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return percent(slider()->singleStep()); }

  private:
    static int percent(int position) { return position * percentPerLevel; }
    QSlider* slider() const { return static_cast<QSlider*>(widget()); }
};

std::vector<ClassRole>& roles() {
    static std::vector<ClassRole> r;
    return r;
}

QAccessible::Role roleOf(const char* className) {
    for (const ClassRole& r : roles())
        if (qstrcmp(r.className, className) == 0)
            return r.role;
    return QAccessible::NoRole;
}

QAccessibleInterface* interfaceOf(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) // the application object is asked too
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (roleOf(w->window()->metaObject()->className()) != QAccessible::Window)
        return nullptr;
    const QByteArray name = className.toLatin1();
    if (const QAccessible::Role role = roleOf(name.constData()); role != QAccessible::NoRole)
        return new QAccessibleWidget(w, role);
    if (className == QLatin1String("QSlider"))
        return new LevelAccessible(static_cast<QSlider*>(w));
    if (wholeRuns && className == QLatin1String("QLineEdit"))
        return new EditAccessible(static_cast<QLineEdit*>(w));
    return nullptr;
}

} // namespace

void install(std::span<const ClassRole> classes) {
    if (!roles().empty())
        return;
    roles().assign(classes.begin(), classes.end());
    QAccessible::installFactory(interfaceOf);
}

} // namespace accessibility

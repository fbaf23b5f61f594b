// SPDX-License-Identifier: MIT
// Small widgets the layout is built from: the bevelled panel, the radio group and the typing
// limit of the edits.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QStringList>
#include <QValidator>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;

namespace window {

// A panel with a raised outer and a lowered inner bevel.
class BevelPanel : public QFrame {
    Q_OBJECT
  public:
    explicit BevelPanel(QWidget* parent = nullptr);
};

// A captioned frame whose radio items are spread evenly over its columns and height, one row
// per item in each column. Item indexes run from 0; -1 means no item is selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& caption, int columns, const QStringList& items,
               QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    QString itemCaption(int index) const;
    int itemCount() const;
    QButtonGroup* buttons() const { return buttons_; }

  protected:
    void resizeEvent(QResizeEvent* e) override;
    // The frame starts at the middle of the caption line, and the caption interrupts it.
    void paintEvent(QPaintEvent* e) override;

  private:
    void arrange();

    QButtonGroup* buttons_;
    int columns_;
};

// The typing limit of an edit. It holds back the user's typing, pasting and dropping only: what
// the user inserts is cut to the room the limit leaves (perhaps to nothing), while a text that
// the program sets is taken whole; the user may then shorten it but not lengthen it. Which
// characters an edit keeps is left to its change handler.
class TypingLimit : public QValidator {
    Q_OBJECT
  public:
    TypingLimit(QLineEdit* edit, int limit);
    State validate(QString& input, int& pos) const override;

  private:
    QLineEdit* edit_;
    int limit_;
    QString before_; // the text before the edit being validated
};

// Checks or clears a radio button; clearing may leave its group without a selection.
void setRadioChecked(QAbstractButton* button, bool checked);

} // namespace window

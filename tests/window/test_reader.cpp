// SPDX-License-Identifier: MIT
// What a screen reader is told as the user works: the results after "Рассчитать", edits that
// read their values whole, sliders that give percentages, and the description panel entered
// at its title.
#include "window/layout.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QTextEdit>

#include <utility>

namespace {

QString utf8(const char* s) {
    return QString::fromUtf8(s);
}

// Space on "Рассчитать" tells the results once, on the button: from Qt 6.8 by an announcement
// alone (the bus check hears it), so the button keeps its description; before, as the button's
// description, the result fields' texts in order. "Сброс" leaves every button its own.
TEST_F(WindowTest, TheEstimateIsToldOnceOnTheFocusedButton) {
    const auto description = [&](const char* name) {
        return QAccessible::queryAccessibleInterface(widget(name))->text(QAccessible::Description);
    };
    const QString hint = description("ButtonCalc");
    edit("EditSquare")->setText("50");
    chooseItem("RGClass", 1);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    widget("ButtonCalc")->setFocus();
    QTest::keyClick(widget("ButtonCalc"), Qt::Key_Space);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    EXPECT_EQ(description("ButtonCalc"), hint);
#else
    const QString told = description("ButtonCalc");
    qsizetype at = 0;
    for (const window::ControlSpec& row : window::controls()) {
        if (row.kind != window::Kind::ResultEdit)
            continue;
        const QString value = edit(row.name)->text().trimmed();
        EXPECT_FALSE(value.isEmpty()) << row.name;
        at = told.indexOf(value, at);
        EXPECT_GE(at, 0) << row.name << ": " << told.toStdString();
    }
#endif
    click(widget("ButtonClear"));
    EXPECT_EQ(description("ButtonCalc"), hint);
    EXPECT_EQ(description("ButtonClear"), utf8("Нажмите, чтобы очистить все данные"));
}

// Before Qt 6.8 an edit's text comes as one attribute run, so that it is read whole; from 6.8
// the edits keep Qt's interface, which Orca reads whole (scripts/orca-run).
const char* const kWholeValues[] = {"5", "25", "0,42 м3", "85 кг", "1 дней", " 146 000 руб."};

TEST_F(WindowTest, AnEditsTextIsOneRun) {
    if (QT_VERSION >= QT_VERSION_CHECK(6, 8, 0))
        GTEST_SKIP() << "Qt's own edit interface";
    for (const char* name : {"EditVolume", "EditStendL", "EditSquare"}) {
        for (const char* value : kWholeValues) {
            edit(name)->blockSignals(true); // the text as it is, not as the entry rules make it
            edit(name)->setText(utf8(value));
            edit(name)->blockSignals(false);
            SCOPED_TRACE(std::string(name) + " '" + value + "'");
            QAccessibleTextInterface* text =
                QAccessible::queryAccessibleInterface(widget(name))->textInterface();
            const int n = text->characterCount();
            ASSERT_EQ(n, utf8(value).size());
            EXPECT_EQ(text->text(0, n), utf8(value));
            for (int offset = 0; offset < n; ++offset) {
                int start = -1, end = -1;
                text->attributes(offset, &start, &end);
                EXPECT_EQ(start, 0);
                EXPECT_EQ(end, n);
            }
        }
    }
}

// A level slider tells the percentage that its label shows.
TEST_F(WindowTest, ASliderTellsItsPercentage) {
    for (const auto& [track, caption] : {std::pair{"TrackMebel", "LabelMebelComfort"},
                                         {"TrackComp", "LabelCompTeh"},
                                         {"TrackTeh", "LabelTehComplect"}}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget(track));
        QAccessibleValueInterface* value = a->valueInterface();
        ASSERT_NE(value, nullptr) << track;
        EXPECT_EQ(value->minimumValue().toInt(), 0);
        EXPECT_EQ(value->maximumValue().toInt(), 100);
        EXPECT_EQ(value->minimumStepSize().toInt(), 10);
        for (int position : {1, 4, 10}) {
            slider(track)->setValue(position);
            const QString shown = label(caption)->text().section(u'=', 1).trimmed();
            EXPECT_EQ(QString::number(value->currentValue().toInt()) + u'%', shown) << track;
            EXPECT_EQ(a->text(QAccessible::Value), shown) << track;
        }
        value->setCurrentValue(70);
        EXPECT_EQ(slider(track)->value(), 7);
    }
}

// After each writer the description panel's caret stands at the start, where reading begins.
TEST_F(WindowTest, TheDescriptionIsEnteredAtItsTitle) {
    auto* text = get<QTextEdit>("RichEdit");
    const auto caretAfter = [&](auto write) {
        write();
        QCoreApplication::processEvents();
        return text->textCursor().position();
    };
    EXPECT_EQ(caretAfter([] {}), 0);
    EXPECT_EQ(caretAfter([&] { click(widget("ButtonCalc")); }), 0);
    EXPECT_EQ(caretAfter([&] { click(box("CB3d")); }), 0);
    EXPECT_EQ(caretAfter([&] { slider("TrackTeh")->setValue(3); }), 0);
    EXPECT_GT(text->document()->characterCount(), 100);
}

} // namespace

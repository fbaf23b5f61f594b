// SPDX-License-Identifier: MIT
// The entry rules: the area rule, the key filter, the typing limits and the count correction.
#include "window_fixture.h"

#include "window/entry_rules.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

// "@" in a test text stands for the locale's decimal separator, "~" for the other one.
QString localised(const char* text) {
    const QString point = QLocale::system().decimalPoint();
    const QString other = point == u"," ? QStringLiteral(".") : QStringLiteral(",");
    return QString::fromUtf8(text).replace(u'@', point).replace(u'~', other);
}

struct AreaCase {
    const char* area;      // set into EditSquare
    const char* shownAs;   // its text afterwards
    const char* counts[4]; // EditMebelMest, EditStendS, EditStendL, EditStendP
};
void PrintTo(const AreaCase& c, std::ostream* os) {
    *os << c.area;
}

class AreaRuleTest : public WindowTest, public ::testing::WithParamInterface<AreaCase> {};

const char* const kDerived[] = {"EditMebelMest", "EditStendS", "EditStendL", "EditStendP"};

TEST_P(AreaRuleTest, DerivesTheFourCounts) {
    const AreaCase& c = GetParam();
    edit("EditSquare")->setText(localised(c.area));
    EXPECT_EQ(edit("EditSquare")->text(), localised(c.shownAs));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(edit(kDerived[i])->text(), QString::fromUtf8(c.counts[i])) << kDerived[i];
}

INSTANTIATE_TEST_SUITE_P(
    Areas, AreaRuleTest,
    ::testing::Values(AreaCase{"10", "10", {"7", "5", "3", "8"}},
                      AreaCase{"50", "50", {"33", "11", "7", "18"}},
                      AreaCase{"100", "100", {"67", "15", "10", "25"}},
                      AreaCase{"6@25", "6@25", {"4", "4", "2", "6"}}, // slogans 2.5 -> 2
                      AreaCase{"0@75", "0@75", {"0", "1", "1", "2"}}, // places 0.5 -> 0
                      AreaCase{"10000", "10000", {"6667", "150", "100", "250"}},
                      AreaCase{"abc", "0", {"0", "0", "0", "0"}},
                      AreaCase{"", "0", {"0", "0", "0", "0"}},
                      AreaCase{"-4", "0", {"0", "0", "0", "0"}},
                      AreaCase{"6~25", "0", {"0", "0", "0", "0"}}, // the other separator
                      AreaCase{"1e3", "1e3", {"667", "47", "32", "79"}},
                      AreaCase{"inf", "0", {"0", "0", "0", "0"}}));

// Typed key by key: every text on the way reads as a number, so the counts follow each key.
class AreaTypingTest : public AreaRuleTest {};

TEST_P(AreaTypingTest, TypingGivesTheSameCounts) {
    const AreaCase& c = GetParam();
    const QString area = localised(c.area);
    typeOver(edit("EditSquare"), area);
    EXPECT_EQ(edit("EditSquare")->text(), area);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(edit(kDerived[i])->text(), QString::fromUtf8(c.counts[i])) << kDerived[i];
}

INSTANTIATE_TEST_SUITE_P(Areas, AreaTypingTest,
                         ::testing::Values(AreaCase{"10", "10", {"7", "5", "3", "8"}},
                                           AreaCase{"6@25", "6@25", {"4", "4", "2", "6"}},
                                           AreaCase{"0@75", "0@75", {"0", "1", "1", "2"}},
                                           AreaCase{
                                               "10000", "10000", {"6667", "150", "100", "250"}}));

TEST_F(WindowTest, AreaLettersTypedBecomeZeroAtOnce) {
    edit("EditSquare")->setText("10");
    typeOver(edit("EditSquare"), "a");
    EXPECT_EQ(edit("EditSquare")->text(), "0");
    EXPECT_EQ(edit("EditStendS")->text(), "0");
    QTest::keyClicks(edit("EditSquare"), "b");
    EXPECT_EQ(edit("EditSquare")->text(), "0");
}

TEST_F(WindowTest, AreaEmptiedByBackspaceBecomesZero) {
    QLineEdit* square = edit("EditSquare");
    square->setText("7");
    square->setFocus();
    square->end(false);
    QTest::keyClick(square, Qt::Key_Backspace);
    EXPECT_EQ(square->text(), "0");
    EXPECT_EQ(edit("EditMebelMest")->text(), "0");
}

TEST_F(WindowTest, AreaTypingIsLimitedToNineCharacters) {
    typeOver(edit("EditSquare"), "1234567890");
    EXPECT_EQ(edit("EditSquare")->text(), "123456789");
    EXPECT_EQ(edit("EditMebelMest")->text(), "82304526");
}

struct Typing {
    const char* field;
    const char* before; // set by the program
    const char* keys;   // typed at the end of the text; "\b" is Backspace
    const char* after;
};
void PrintTo(const Typing& c, std::ostream* os) {
    *os << c.field << " " << c.before << " + keys";
}

class CountTypingTest : public WindowTest, public ::testing::WithParamInterface<Typing> {};

TEST_P(CountTypingTest, KeyFilterAndCorrection) {
    const Typing& t = GetParam();
    QLineEdit* e = edit(t.field);
    e->setText(QString::fromUtf8(t.before));
    e->setFocus();
    e->end(false);
    for (const char* k = t.keys; *k; ++k) {
        if (*k == '\b')
            QTest::keyClick(e, Qt::Key_Backspace);
        else
            QTest::keyClick(e, *k);
    }
    EXPECT_EQ(e->text(), QString::fromUtf8(t.after));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CountTypingTest,
    ::testing::Values(Typing{"EditStendS", "1", "a", "1"}, Typing{"EditStendS", "1", "-", "1"},
                      Typing{"EditStendS", "1", ",", "1"}, Typing{"EditStendS", "1", ".", "1"},
                      Typing{"EditStendS", "1", " ", "1"}, Typing{"EditStendS", "1", "2", "12"},
                      Typing{"EditStendS", "12", "3", "12"},  // limit 2
                      Typing{"EditStendS", "5", "\b", "0"},   // emptied: "0" at once
                      Typing{"EditStendS", "0", "\b5", "05"}, // "0" after Backspace, then 5
                      Typing{"EditPlakatA4", "99", "9", "999"},
                      Typing{"EditPlakatA4", "999", "9", "999"},
                      Typing{"EditCompStudent", "3", "4", "3"},     // limit 1
                      Typing{"EditCompStudent", "3", "\b7", "0"},   // "0" fills it
                      Typing{"EditMebelMest", "6667", "1", "6667"}, // a program-set long text
                      Typing{"EditMebelMest", "6667", "\b", "666"},
                      Typing{"EditMebelMest", "6667", "\b1", "666"},
                      Typing{"EditMebelMest", "6667", "\b\b1", "661"},
                      Typing{"EditVitrinManeken", "0", "x7", "07"}));

TEST_F(WindowTest, ZeroFiveTypedStaysZeroFive) {
    typeOver(edit("EditStendS"), "05");
    EXPECT_EQ(edit("EditStendS")->text(), "05");
}

TEST_F(WindowTest, DeleteKeyWorksInCountEdits) {
    QLineEdit* e = edit("EditPlakatA3");
    e->setText("123");
    e->setFocus();
    e->setCursorPosition(0);
    QTest::keyClick(e, Qt::Key_Delete);
    EXPECT_EQ(e->text(), "23");
}

struct Paste {
    const char* clipboard;
    const char* after; // EditPlakatA2 held "7", all of it selected
};
void PrintTo(const Paste& c, std::ostream* os) {
    *os << "paste \"" << c.clipboard << '"';
}

class CountPasteTest : public WindowTest, public ::testing::WithParamInterface<Paste> {};

TEST_P(CountPasteTest, PastingGoesThroughTheRules) {
    QLineEdit* e = edit("EditPlakatA2");
    QGuiApplication::clipboard()->setText(QString::fromUtf8(GetParam().clipboard));
    for (int way = 0; way < 3; ++way) {
        e->setText("7");
        e->setFocus();
        e->selectAll();
        if (way == 0)
            e->paste(); // the context menu
        else if (way == 1)
            QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);
        else // Ctrl+V is a control character: the key filter drops it
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
        const QString expected =
            way == 2 ? QStringLiteral("7") : QString::fromUtf8(GetParam().after);
        EXPECT_EQ(e->text(), expected) << "way " << way;
    }
}

INSTANTIATE_TEST_SUITE_P(Clipboard, CountPasteTest,
                         ::testing::Values(Paste{"42", "42"}, Paste{"abc", "0"}, Paste{"4a", "0"},
                                           Paste{"-3", "0"}, Paste{"1234", "123"},
                                           Paste{"12ab", "0"}, Paste{"", "0"}));

TEST_F(WindowTest, ProgramSetTextsAreCorrected) {
    for (const char* text : {"", "abc", "-1", " 5", "99999999999"}) {
        edit("EditVitrinPusto")->setText(QString::fromUtf8(text));
        EXPECT_EQ(edit("EditVitrinPusto")->text(), "0") << '"' << text << '"';
    }
    edit("EditVitrinPusto")->setText("007");
    EXPECT_EQ(edit("EditVitrinPusto")->text(), "007");
}

} // namespace

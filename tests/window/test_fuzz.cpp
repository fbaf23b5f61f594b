// SPDX-License-Identifier: MIT
// Random typing and pasting into every edit: the entry rules hold after each step.
#include "window_fixture.h"

#include "estimate/count.h"
#include "window/entry_rules.h"

#include <QClipboard>
#include <QGuiApplication>

#include <random>

namespace {

struct Field {
    const char* name;
    int limit;
};

const Field kCounts[] = {{"EditStendS", 2},      {"EditStendL", 2},        {"EditStendP", 2},
                         {"EditPlakatA4", 3},    {"EditPlakatA3", 3},      {"EditPlakatA2", 3},
                         {"EditVitrinPusto", 2}, {"EditVitrinManeken", 2}, {"EditMebelMest", 3},
                         {"EditCompStudent", 1}};

const QString kAlphabet = QStringLiteral("0123456789012345abz -+,.e\t");

class Fuzzer {
  public:
    Fuzzer(WindowTest& t, unsigned seed)
        : t_(t)
        , rng_(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QString randomText() {
        QString s;
        for (int n = pick(6); n > 0; --n)
            s += kAlphabet[pick(int(kAlphabet.size()))];
        return s;
    }

    // One user action on one edit; returns a description for failure messages.
    std::string act(QLineEdit* e) {
        e->setFocus();
        switch (pick(9)) {
        case 0:
        case 1:
        case 2: {
            const QChar c = kAlphabet[pick(int(kAlphabet.size()))];
            QTest::keyClick(e, c.toLatin1());
            return std::string("type '") + c.toLatin1() + "'";
        }
        case 3:
            QTest::keyClick(e, Qt::Key_Backspace);
            return "Backspace";
        case 4:
            QTest::keyClick(e, Qt::Key_Delete);
            return "Delete";
        case 5:
            e->setCursorPosition(pick(int(e->text().size()) + 1));
            return "move";
        case 6:
            e->setSelection(pick(int(e->text().size()) + 1), pick(3));
            return "select";
        case 7: {
            const QString text = randomText();
            QGuiApplication::clipboard()->setText(text);
            if (pick(2))
                e->paste();
            else
                QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier);
            return "paste \"" + text.toStdString() + "\"";
        }
        default:
            QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
            return "Ctrl+V";
        }
    }

    void checkInvariants(const std::string& step) {
        // A paste may leave a sign ("+45"), which still reads as a count.
        for (const Field& f : kCounts) {
            const QString text = t_.edit(f.name)->text();
            ASSERT_TRUE(estimate::readCount(text.toStdString()).has_value())
                << f.name << " \"" << text.toStdString() << "\" after " << step;
        }
        const QString area = t_.edit("EditSquare")->text();
        const auto value = window::readArea(area, QLocale::system());
        ASSERT_TRUE(value.has_value()) << "area \"" << area.toStdString() << "\" after " << step;
        ASSERT_LE(area.size(), 9) << step;
    }

    void checkAreaCounts(const std::string& step) {
        const auto value = window::readArea(t_.edit("EditSquare")->text(), QLocale::system());
        const window::AreaCounts c = window::areaCounts(*value);
        // A count too large to read as a whole number is corrected to "0" like any other.
        const auto shown = [](const QString& count) {
            return estimate::readCount(count.toStdString()) ? count : QStringLiteral("0");
        };
        ASSERT_EQ(t_.edit("EditMebelMest")->text(), shown(c.studyPlaces)) << step;
        ASSERT_EQ(t_.edit("EditStendS")->text(), shown(c.stands)) << step;
        ASSERT_EQ(t_.edit("EditStendL")->text(), shown(c.slogans)) << step;
        ASSERT_EQ(t_.edit("EditStendP")->text(), shown(c.agitation)) << step;
    }

  private:
    WindowTest& t_;
    std::mt19937 rng_;
};

TEST_F(WindowTest, RandomTypingAndPastingKeepsTheEntryRules) {
    Fuzzer f(*this, 20240611);
    // The window opens with "0,00" whatever the locale; start from a text the locale reads.
    edit("EditSquare")->setText(QLocale::system().toString(0.0, 'f', 2));
    for (int sequence = 0; sequence < 3000; ++sequence) {
        const bool area = f.pick(4) == 0;
        const Field& field = kCounts[f.pick(int(std::size(kCounts)))];
        QLineEdit* e = area ? edit("EditSquare") : edit(field.name);
        const int before = int(e->text().size());
        bool changed = false; // the area rule has run in this sequence
        for (int steps = 1 + f.pick(6); steps > 0; --steps) {
            const QString previous = e->text();
            const std::string step = std::to_string(sequence) + ": " +
                                     (area ? "EditSquare" : field.name) + " " + f.act(e);
            f.checkInvariants(step);
            if (HasFatalFailure())
                return;
            changed = changed || e->text() != previous;
            if (area && changed) {
                f.checkAreaCounts(step);
                if (HasFatalFailure())
                    return;
            } else {
                // The user never lengthens a count past its limit (or past a longer program text).
                ASSERT_LE(e->text().size(), std::max(field.limit, before)) << step;
            }
        }
    }
}

} // namespace

// SPDX-License-Identifier: MIT
// Presses and clicks: topics before toggling, which buttons toggle, double clicks, edits.
#include "window_fixture.h"

#include "info/topics.h"

namespace {

// What the document shows after the control's topic, or nothing when it has none.
struct TopicOf {
    estimate::DescriptionDocument doc; // before exists: it is written while exists is set
    bool exists;
    explicit TopicOf(const char* name)
        : exists(info::showTopic(name, doc)) {}
};

struct PressCase {
    const char* control;
    Qt::MouseButton button;
};
void PrintTo(const PressCase& c, std::ostream* os) {
    *os << c.control << " button " << int(c.button);
}

class PressTest : public WindowTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressTest, RightAndMiddlePressesShowTheTopicButNeverToggle) {
    const PressCase& c = GetParam();
    auto* b = get<QAbstractButton>(c.control);
    const bool before = b->isChecked();
    const auto config = w->readConfig();
    QTest::mouseClick(b, c.button, {}, QPoint(6, b->height() / 2));
    EXPECT_EQ(b->isChecked(), before);
    EXPECT_EQ(w->readConfig(), config);
    const TopicOf topic(c.control);
    if (topic.exists) {
        EXPECT_EQ(doc().paragraphs(), topic.doc.paragraphs());
    }
}

INSTANTIATE_TEST_SUITE_P(Buttons, PressTest,
                         ::testing::Values(PressCase{"CB3d", Qt::RightButton},
                                           PressCase{"CB3d", Qt::MiddleButton},
                                           PressCase{"RBStendPlastic", Qt::RightButton},
                                           PressCase{"RBCompNetProvod", Qt::MiddleButton},
                                           PressCase{"CBMebel", Qt::RightButton}));

TEST_F(WindowTest, LeftPressShowsTheTopicBeforeTheToggle) {
    QCheckBox* b = box("CBTehFilm");
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_FALSE(b->isChecked());
    const TopicOf topic("CBTehFilm");
    if (topic.exists) {
        EXPECT_EQ(doc().paragraphs(), topic.doc.paragraphs());
    }
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_TRUE(b->isChecked());
}

TEST_F(WindowTest, DoubleClickTogglesOnce) {
    for (const char* name : {"CBVitrinEB", "CBStend", "RBMebelParta"}) {
        auto* b = get<QAbstractButton>(name);
        const bool before = b->isChecked();
        const QPoint at(6, b->height() / 2);
        QTest::mousePress(b, Qt::LeftButton, {}, at);
        QTest::mouseRelease(b, Qt::LeftButton, {}, at);
        QTest::mouseDClick(b, Qt::LeftButton, {}, at);
        QTest::mouseRelease(b, Qt::LeftButton, {}, at);
        EXPECT_NE(b->isChecked(), before) << name;
    }
}

TEST_F(WindowTest, SectionSwitchShowsItsOwnTopicNotAPressTopic) {
    click(box("CBPlakat"));
    EXPECT_EQ(doc().picture(), "PPER");
    EXPECT_EQ(firstText(), "Панель расчета плакатов и перекидных систем ВЫКЛЮЧЕНА");
}

TEST_F(WindowTest, MouseTickOfAssemblyShowsThePressPictureThenTheText) {
    click(box("CBSborka"));
    const TopicOf press("CBSborka");
    if (press.exists) {
        EXPECT_EQ(doc().picture(), press.doc.picture());
    }
    EXPECT_EQ(firstText(), "Сборка и установка кабинета под ключ");
}

TEST_F(WindowTest, KeyboardToggleShowsNoPressTopic) {
    QCheckBox* b = box("CBCompTV");
    doc().clear();
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_TRUE(b->isChecked());
    EXPECT_TRUE(doc().paragraphs().empty());
}

struct EditClick {
    const char* edit;
    bool selectsAll;
};
void PrintTo(const EditClick& c, std::ostream* os) {
    *os << c.edit;
}

class EditClickTest : public WindowTest, public ::testing::WithParamInterface<EditClick> {};

TEST_P(EditClickTest, ClickShowsTheTopicAndSelectsTheCountOfThree) {
    QLineEdit* e = edit(GetParam().edit);
    if (!e->isReadOnly())
        e->setText("12");
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 3, e->height() / 2));
    EXPECT_EQ(e->hasSelectedText(), GetParam().selectsAll);
    const TopicOf topic(GetParam().edit);
    if (topic.exists) {
        EXPECT_EQ(doc().paragraphs(), topic.doc.paragraphs());
    }
    EXPECT_EQ(e->text(), e->isReadOnly() ? QString() : QStringLiteral("12"));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditClickTest,
    ::testing::Values(EditClick{"EditVitrinPusto", true}, EditClick{"EditVitrinManeken", true},
                      EditClick{"EditCompStudent", true}, EditClick{"EditStendS", false},
                      EditClick{"EditSquare", false}, EditClick{"EditPrice", false}));

} // namespace

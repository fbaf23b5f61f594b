// SPDX-License-Identifier: MIT
// Every topic pressed or clicked through its real control in the real window, offscreen.
#include "topic_shapes.h"

#include "info/topics.h"
#include "window/main_window.h"
#include "window/qt_compat.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using estimate::DescriptionDocument;
using namespace info_test;

namespace {

// One window for the whole suite: topics do not depend on the inputs, and each test puts back
// what it toggles.
class WindowTopic : public testing::TestWithParam<Shape> {
  protected:
    static void SetUpTestSuite() {
        main = new TMain;
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
    }
    static void TearDownTestSuite() {
        delete main;
        main = nullptr;
    }

    QWidget* widget() const {
        QWidget* w = main->control(
            QString::fromUtf8(GetParam().control.data(), qsizetype(GetParam().control.size())));
        EXPECT_NE(w, nullptr) << GetParam().control;
        return w;
    }
    QAbstractButton* button() const { return qobject_cast<QAbstractButton*>(widget()); }
    QLineEdit* edit() const { return qobject_cast<QLineEdit*>(widget()); }
    bool isEdit() const { return GetParam().handler.ends_with("Click"); }

    static const DescriptionDocument& doc() { return main->description(); }
    // The document as the catalogue writes it.
    DescriptionDocument expected() const {
        DescriptionDocument d;
        info::showTopic(GetParam().control, d);
        return d;
    }
    // Puts a known text and picture into the panel, the way the estimate does.
    static void showSomethingElse() { main->ButtonCalcClick(); }

    static inline TMain* main = nullptr;
};

// Check boxes and radio buttons show their topic on a press; edits on a click.
class ButtonTopic : public WindowTopic {};
class EditTopic : public WindowTopic {};

std::vector<Shape> shapesOf(bool edits) {
    std::vector<Shape> out;
    for (const Shape& s : shapes)
        if (s.handler.ends_with("Click") == edits)
            out.push_back(s);
    return out;
}

TEST_P(WindowTopic, PressOrClickShowsTheTopic) {
    const Shape& s = GetParam();
    QWidget* w = widget();
    ASSERT_TRUE(w && w->isVisible());
    showSomethingElse();
    const auto before = doc().paragraphs();
    if (isEdit()) {
        QTest::mouseClick(w, Qt::LeftButton);
    } else {
        const bool checked = button()->isChecked();
        QTest::mousePress(w, Qt::LeftButton);
        EXPECT_EQ(button()->isChecked(), checked) << "the topic comes before the toggle";
        // The whole topic is there on the press, before the release.
        EXPECT_EQ(doc().picture(), s.picture);
        if (s.title.empty()) {
            EXPECT_EQ(doc().paragraphs(), before) << "only the picture on the press";
        } else {
            EXPECT_EQ(doc().paragraphs(), expected().paragraphs());
        }
        QTest::mouseRelease(w, Qt::LeftButton);
        if (s.title.empty()) {
            EXPECT_NE(doc().paragraphs(), before) << "the click writes the service text";
        }
        button()->setChecked(checked);
        if (s.title.empty())
            return;
    }
    EXPECT_EQ(doc().picture(), s.picture);
    ASSERT_FALSE(doc().paragraphs().empty());
    if (s.title != "?") {
        EXPECT_EQ(doc().paragraphs()[0].text, s.title);
    }
    EXPECT_EQ(doc().paragraphs(), expected().paragraphs());
    // The picture control shows the named picture, unscaled.
    auto* image = main->control<QLabel>("Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(window::qt::pixmapOf(*image).size(), QSize(122, 92)) << s.picture;
}

TEST_P(WindowTopic, ShownTwiceGivesTheSameText) {
    auto show = [this] {
        if (isEdit()) {
            QTest::mouseClick(widget(), Qt::LeftButton);
        } else { // the right button shows the topic without toggling
            QTest::mouseClick(widget(), Qt::RightButton);
        }
    };
    show();
    const auto first = doc().paragraphs();
    showSomethingElse();
    show();
    EXPECT_EQ(doc().picture(), GetParam().picture);
    if (!GetParam().title.empty()) {
        EXPECT_EQ(doc().paragraphs(), first);
    }
}

TEST_P(ButtonTopic, RightAndMiddlePressesShowTheTopicAndLeaveTheControl) {
    const Shape& s = GetParam();
    const bool checked = button()->isChecked();
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        showSomethingElse();
        const auto before = doc().paragraphs();
        QTest::mouseClick(widget(), b);
        EXPECT_EQ(button()->isChecked(), checked);
        EXPECT_EQ(doc().picture(), s.picture);
        EXPECT_EQ(doc().paragraphs(), s.title.empty() ? before : expected().paragraphs());
    }
}

// A double click is one more topic, not one more toggle.
TEST_P(ButtonTopic, DoubleClickTogglesOnce) {
    QAbstractButton* b = button();
    const bool checked = b->isChecked();
    showSomethingElse();
    const QPoint mark(6, b->height() / 2); // where the box or the dot is, whatever the caption
    QTest::mousePress(b, Qt::LeftButton, {}, mark);
    QTest::mouseRelease(b, Qt::LeftButton, {}, mark);
    showSomethingElse();
    QTest::mouseDClick(b, Qt::LeftButton, {}, mark);
    EXPECT_EQ(doc().picture(), GetParam().picture) << "the second press shows the topic again";
    QTest::mouseRelease(b, Qt::LeftButton, {}, mark);
    const bool radio = GetParam().control.starts_with("RB");
    EXPECT_EQ(b->isChecked(), radio ? true : !checked);
    b->setChecked(checked);
}

TEST_P(ButtonTopic, KeyboardTogglesShowNoTopic) {
    const Shape& s = GetParam();
    const bool checked = button()->isChecked();
    showSomethingElse();
    const std::string picture = doc().picture();
    const auto before = doc().paragraphs();
    widget()->setFocus();
    QTest::keyClick(widget(), Qt::Key_Space);
    EXPECT_EQ(button()->isChecked(), s.control.starts_with("RB") ? true : !checked);
    EXPECT_EQ(doc().picture(), picture);
    if (s.title.empty()) {
        EXPECT_NE(doc().paragraphs(), before) << "the service text, under the old picture";
    } else {
        EXPECT_EQ(doc().paragraphs(), before);
    }
    button()->setChecked(checked);
}

TEST_P(EditTopic, OnlyTheThreeCountEditsSelectTheirText) {
    QLineEdit* e = edit();
    ASSERT_NE(e, nullptr);
    const QString old = e->text();
    if (!e->isReadOnly())
        e->setText(e->objectName() == "EditSquare" ? "12,5" : "7");
    e->deselect();
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 4, e->height() / 2));
    const bool all = info::selectsAllOnClick(GetParam().control);
    EXPECT_EQ(e->selectedText(), all ? e->text() : QString());
    EXPECT_EQ(all, GetParam().control == "EditCompStudent" ||
                       GetParam().control == "EditVitrinManeken" ||
                       GetParam().control == "EditVitrinPusto");
    if (!e->isReadOnly())
        e->setText(old);
}

auto handlerName = [](const auto& info) { return std::string(info.param.handler); };
INSTANTIATE_TEST_SUITE_P(AllTopics, WindowTopic, testing::ValuesIn(shapes), handlerName);
INSTANTIATE_TEST_SUITE_P(Buttons, ButtonTopic, testing::ValuesIn(shapesOf(false)), handlerName);
INSTANTIATE_TEST_SUITE_P(Edits, EditTopic, testing::ValuesIn(shapesOf(true)), handlerName);

TEST(WindowTopics, HiddenSectionsShowNoTopic) {
    TMain main;
    main.show();
    main.control<QCheckBox>("CBMebel")->setChecked(false);
    QWidget* bed = main.control("CBMebelBed");
    ASSERT_NE(bed, nullptr);
    EXPECT_FALSE(bed->isVisible());
    main.control<QCheckBox>("CBMebel")->setChecked(true);
    EXPECT_TRUE(bed->isVisible());
}

// The program carries exactly the 64 pictures, each a 122 x 92 24-bit BMP.
TEST(WindowTopics, CarriesExactlyTheSixtyFourPictures) {
    QStringList want;
    for (std::string_view name : pictureNames)
        want << QString::fromUtf8(name.data(), qsizetype(name.size()));
    want.sort();
    QStringList twice;
    for (const QString& name : want)
        twice << name + "@2x"; // the same pictures for high-DPI screens
    QStringList all = want + twice;
    all.sort();
    EXPECT_EQ(QDir(":/pictures").entryList(QDir::Files, QDir::Name), all);
    for (const QString& name : want) {
        QFile file(":/pictures/" + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.size(), 33910) << name.toStdString();
        const QImage image = QImage::fromData(bytes, "BMP");
        EXPECT_EQ(image.size(), QSize(122, 92)) << name.toStdString();
    }
}

} // namespace

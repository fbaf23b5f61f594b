// SPDX-License-Identifier: MIT
// A freshly opened window per test, and small helpers to drive it as a user would.
#pragma once

#include "window/main_window.h"
#include "window/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class WindowTest : public ::testing::Test {
  public:
    void SetUp() override {
        w = std::make_unique<TMain>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    void TearDown() override { w.reset(); }

    QLineEdit* edit(const char* name) const { return get<QLineEdit>(name); }
    QCheckBox* box(const char* name) const { return get<QCheckBox>(name); }
    QRadioButton* radio(const char* name) const { return get<QRadioButton>(name); }
    QSlider* slider(const char* name) const { return get<QSlider>(name); }
    QLabel* label(const char* name) const { return get<QLabel>(name); }
    window::RadioGroup* group(const char* name) const { return get<window::RadioGroup>(name); }
    QWidget* widget(const char* name) const { return get<QWidget>(name); }

    estimate::DescriptionDocument& doc() const { return w->description(); }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& p : doc().paragraphs())
            out.push_back(p.text);
        return out;
    }
    std::string firstText() const {
        return doc().paragraphs().empty() ? std::string() : doc().paragraphs().front().text;
    }

    // A left click near the left edge, where check boxes and radio buttons have their mark.
    static void click(QWidget* target) {
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    }
    void chooseItem(const char* groupName, int index) const {
        click(group(groupName)->buttons()->button(index));
    }
    // Selects the whole text and types over it, key by key.
    static void typeOver(QLineEdit* e, const QString& keys) {
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, keys);
    }

    static QString decimalPoint() { return QLocale::system().decimalPoint(); }
    static bool commaLocale() { return decimalPoint() == u","; }

    std::unique_ptr<TMain> w;

    template <class T> T* get(const char* name) const {
        T* c = w->control<T>(QString::fromUtf8(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
};

// Lets gtest print QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

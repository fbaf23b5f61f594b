// SPDX-License-Identifier: MIT
// The three buttons of the real window, with its dialogs answered and its message boxes read
// as a user would, against the real office.
#include "office/request.h"
#include "tests/office/uno_support.h"
#include "tests/office/window_user.h"
#include "window/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <random>

using estimate::CabinetConfig;
using namespace officetest;

namespace {

class OfficeWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        w = std::make_unique<TMain>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    void TearDown() override { w.reset(); }

    void setInputs(const CabinetConfig& c) { officetest::setInputs(*w, c); }

    QStringList request(const QString& path) {
        User user(path);
        w->ButtonRequestClick();
        EXPECT_EQ(user.dialogName, "SaveDialog");
        replaceAsked = user.replaceAsked;
        return user.messages;
    }
    QStringList load(const QString& path) {
        User user(path);
        w->ButtonLoadClick();
        return user.messages;
    }
    QString text(const char* edit) const { return w->control<QLineEdit>(edit)->text(); }

    std::unique_ptr<TMain> w;
    bool replaceAsked = false;
};

CabinetConfig sample(int seed) {
    std::mt19937 rng(seed);
    CabinetConfig c;
    c.EditSquare = "36";
    c.CBDostavka = rng() % 2;
    c.CBVitrinPB = true;
    c.EditVitrinManeken = "3";
    c.RGVitrinTip = int(rng() % 8);
    c.CBMebelStudent = true;
    c.EditMebelMest = "15";
    c.RBMebelParta = true;
    c.RBMebelKreslo = false;
    c.TrackMebel = 1 + int(rng() % 10);
    c.CBCompNet = true;
    c.RBCompNetWifi = false;
    c.RBCompNetProvod = true;
    c.CBTehFilm = rng() % 2;
    c.TrackTeh = 1 + int(rng() % 10);
    c.CBPlakat = rng() % 2;
    c.EditPlakatA3 = "12";
    return c;
}

TEST_F(OfficeWindow, RequestThenLoadRestoresTheControls) {
    for (int seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        setInputs(sample(seed));
        const CabinetConfig before = w->readConfig();
        const QString path = QDir(scratchDir()).filePath("заявка.xls");
        ASSERT_TRUE(request(path).isEmpty());
        suite().closeDocumentOf(path.toStdString());

        w->ButtonClearClick();
        w->control<QLineEdit>("EditSquare")->setText("100");
        QWidget* loadButton = w->control("ButtonLoad"); // pressed from the keyboard
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        loadButton->setFocus();
        ASSERT_TRUE(load(path).isEmpty());
        // The results are told where the window's focus is, on "Загрузить" (before Qt 6.8 as
        // its description; from 6.8 an announcement, which the bus check hears).
        EXPECT_EQ(w->focusWidget(), loadButton);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(loadButton)
                        ->text(QAccessible::Description)
                        .contains(text("EditPrice").trimmed()));
#endif
        const CabinetConfig after = w->readConfig();
        CabinetConfig allOn = after;
        allOn.CBStend = allOn.CBPlakat = allOn.CBVitrin = allOn.CBMebel = allOn.CBComp =
            allOn.CBTeh = true;
        // Every written cell came back into its control; the rest came back off or "0".
        EXPECT_EQ(office::requestCells(allOn), office::requestCells(before));
        EXPECT_EQ(after.EditSquare, before.EditSquare);
        EXPECT_EQ(after.EditMebelMest, before.EditMebelMest); // the file's, not the area's
        EXPECT_FALSE(text("EditPrice").isEmpty());            // the estimate ran
    }
}

TEST_F(OfficeWindow, FailedLoadLeavesTheWindowAsItWas) {
    // A request whose showcase flag a user overwrote with a word.
    const QString path = QDir(scratchDir()).filePath("damaged.xls");
    setInputs(sample(7));
    ASSERT_TRUE(request(path).isEmpty());
    suite().closeDocumentOf(path.toStdString());
    suite().openWorkbook(path.toStdString());
    suite().setCell("E52", std::string_view("да"));
    suite().saveWorkbook();
    suite().closeWorkbook();

    setInputs(sample(3));
    w->ButtonCalcClick();
    const CabinetConfig before = w->readConfig();
    const auto paragraphs = w->description().paragraphs();
    const QString price = text("EditPrice");
    EXPECT_EQ(load(path), QStringList{office::msgCannotRead});
    EXPECT_EQ(w->readConfig(), before);
    EXPECT_EQ(w->description().paragraphs(), paragraphs);
    EXPECT_EQ(text("EditPrice"), price);
}

TEST_F(OfficeWindow, CancelledDialogsDoNothing) {
    EXPECT_TRUE(request({}).isEmpty());
    const CabinetConfig before = w->readConfig();
    EXPECT_TRUE(load({}).isEmpty());
    EXPECT_EQ(w->readConfig(), before);
}

TEST_F(OfficeWindow, FileInUseIsReported) {
    const QString path = QDir(scratchDir()).filePath("open.xls");
    ASSERT_TRUE(request(path).isEmpty()); // stays open in the office
    EXPECT_EQ(request(path), QStringList{office::msgFileInUse});
    EXPECT_TRUE(replaceAsked);
    suite().closeDocumentOf(path.toStdString());
}

TEST_F(OfficeWindow, PrintoutCopiesTheDescription) {
    w->ButtonCalcClick();
    User user({});
    w->ButtonPrintClick();
    EXPECT_TRUE(user.messages.isEmpty());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text().toStdString(), w->description().plainText());
    EXPECT_TRUE(data->hasHtml());
    EXPECT_TRUE(w->control<QTextEdit>("RichEdit")->textCursor().hasSelection());
    // The body in the face the panel draws it in.
    const QString family = w->control<QTextEdit>("RichEdit")->font().family();
    const QString stored = QDir(scratchDir()).filePath("printout.fodt");
    suite().storeWordDocument(stored.toStdString());
    QFile printout(stored);
    ASSERT_TRUE(printout.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        QString::fromUtf8(printout.readAll()).contains("style:font-name=\"" + family + "\""))
        << family.toStdString();
}

} // namespace

// SPDX-License-Identifier: MIT
// "Заявка", "Загрузить" and "Распечатать" as the calculator runs them (office::Documents, the
// plugin found by the loader beside the program) against the tests' own automation server under
// wine (README.md here): a request reads back as it was written, the printout is shown.
#include "office/request.h"
#include "office/workflow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ComWorkflow : testing::Test {
    QTemporaryDir dir;
    QString log = dir.filePath(QStringLiteral("calls.log"));
    office::Documents documents;

    void SetUp() override { qputenv("KC_TEST_OFFICE_LOG", QDir::toNativeSeparators(log).toUtf8()); }
    QStringList calls(const QString& containing) const {
        QFile f(log);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).split('\n').filter(containing);
    }
};

TEST_F(ComWorkflow, RequestReadsBackAsWritten) {
    estimate::CabinetConfig c;
    c.EditSquare = "48";
    c.CB3d = c.CBDostavka = true;
    c.EditStendS = "3";
    c.RBStendPlastic = true;
    c.RBStendAllum = false;
    c.CBMebelStudent = true;
    c.EditMebelMest = "12";
    c.TrackMebel = 7;
    c.CBCompNet = true;
    const QString path = dir.filePath(QStringLiteral("blank - user.xls"));
    EXPECT_EQ(documents.writeRequest(path, c), QStringList());

    QStringList written;
    for (const office::CellWrite& w : office::requestCells(c)) {
        const auto* text = std::get_if<std::string>(&w.value);
        written << QStringLiteral("Excel Application.Range put BSTR:\"%1\" %2")
                       .arg(QString::fromStdString(w.address),
                            text ? "BSTR:\"" + QString::fromStdString(*text) + '"'
                                 : "I4:" + QString::number(std::get<int>(w.value)));
    }
    EXPECT_EQ(calls(QStringLiteral("Range put")), written);

    QStringList messages;
    const auto loaded = documents.readRequestFile(path, estimate::CabinetConfig{}, messages);
    ASSERT_TRUE(loaded.has_value()) << messages.join(' ').toStdString();
    EXPECT_EQ(messages, QStringList());
    EXPECT_EQ(loaded->EditSquare, "48");
    EXPECT_TRUE(loaded->CB3d && loaded->CBDostavka && !loaded->CBSborka);
    EXPECT_EQ(loaded->EditStendS, "3");
    EXPECT_TRUE(loaded->RBStendPlastic && !loaded->RBStendAllum);
    EXPECT_TRUE(loaded->CBMebelStudent);
    EXPECT_EQ(loaded->EditMebelMest, "12");
    EXPECT_EQ(loaded->TrackMebel, 7);
    EXPECT_TRUE(loaded->CBCompNet && loaded->RBCompNetWifi);
    EXPECT_EQ(calls(QStringLiteral("Workbooks.Open")).size(), 2);
    EXPECT_TRUE(calls(QStringLiteral("Workbooks.Open")).last().endsWith(" I4:0 BOOL:true"));
}

TEST_F(ComWorkflow, PrintoutIsShownWithTheDescriptionOnTheClipboard) {
    estimate::DescriptionDocument description;
    description.append("Кабинет охраны труда");
    EXPECT_TRUE(documents.printout(description));
    EXPECT_EQ(calls(QStringLiteral("pasted into body")).size(), 1);
    EXPECT_EQ(calls(QStringLiteral("Application.Visible put BOOL:true")).size(), 1);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasHtml());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

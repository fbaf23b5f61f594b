// SPDX-License-Identifier: MIT
// "Заявка", "Загрузить" and "Распечатать" as the calculator runs them (office::Documents, the
// COM plugin found by the loader beside the program) against the tests' own automation server
// under wine, not Microsoft Office (README.md here): the members called, in their order, with
// their arguments' types, as the server recorded them; the messages the user would see.
#include "office/plugin_loader.h"
#include "office/request.h"
#include "office/workflow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

using office::msgCannotLoad;
using office::msgCannotRead;
using office::msgFileInUse;

std::unique_ptr<office::Documents> documents(int callTimeoutMs = 10000) {
    office::SuiteOptions options;
    options.profileDir = office::defaultProfileDir().toStdString();
    options.callTimeoutMs = callTimeoutMs;
    return std::make_unique<office::Documents>(options);
}

estimate::CabinetConfig someRequest() {
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
    return c;
}

QString bstr(const QString& s) {
    return "BSTR:\"" + QString(s).replace('\n', QLatin1String("\\n")) + '"';
}

// The test server beside this program, registered for the cases of ComOffice alone: no other
// test program sees Excel or Word.
void registerServers(const char* how) {
    QProcess server;
    server.start(QCoreApplication::applicationDirPath() + "/automation_server.exe", {how});
    ASSERT_TRUE(server.waitForFinished(30000)) << how;
    ASSERT_EQ(server.exitCode(), 0) << how;
}

struct ComOffice : testing::Test {
    static void SetUpTestSuite() { registerServers("/regserver"); }
    static void TearDownTestSuite() { registerServers("/unregserver"); }

    QTemporaryDir dir;
    QString log = dir.filePath(QStringLiteral("calls.log"));
    QString request = dir.filePath(QStringLiteral("blank - user.xls"));

    void SetUp() override {
        qputenv("KC_TEST_OFFICE_LOG", QDir::toNativeSeparators(log).toUtf8());
        qunsetenv("KC_TEST_OFFICE_HANG");
        qunsetenv("KC_TEST_OFFICE_REFUSE");
    }
    // The calls recorded, the servers' start and end left out.
    QStringList calls() const {
        QFile f(log);
        f.open(QIODevice::ReadOnly);
        QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const QString& l) {
                                       return l.contains(" started,") || l.endsWith(" ended");
                                   }),
                    lines.end());
        return lines;
    }
    QString file(const QString& name, const QByteArray& cells) const {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(cells);
        return f.fileName();
    }
    QStringList opening(const QString& path, bool readOnly) const {
        return {"Excel Application.AutomationSecurity put I4:3",
                "Excel Application.DisplayAlerts put BOOL:false", "Excel Application.Workbooks get",
                "Excel Workbooks.Open call " + bstr(QDir::toNativeSeparators(path)) + " I4:0" +
                    (readOnly ? " BOOL:true" : "")};
    }
    // `expected` appear in this order, each as the start of a call.
    void expectInOrder(const QStringList& expected) const {
        const QStringList got = calls();
        auto at = got.begin();
        for (const QString& e : expected) {
            at = std::find_if(at, got.end(), [&](const QString& c) { return c.startsWith(e); });
            ASSERT_NE(at, got.end()) << "missing, or out of order: " << e.toStdString() << "\nin\n"
                                     << got.join('\n').toStdString();
        }
    }
};

// Runs first: nothing is registered yet, as on a Windows without Office.
TEST(NoServer, ThePartsOwnMessages) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.xls"));
    auto docs = documents();
    ASSERT_NE(docs->suite(), nullptr) << "the plugin is not beside the program";
    EXPECT_EQ(docs->writeRequest(path, someRequest()), QStringList{msgCannotLoad});
    EXPECT_FALSE(QFileInfo::exists(path));
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/templates/BLANK"), path));
    QStringList messages;
    EXPECT_FALSE(docs->readRequestFile(path, {}, messages));
    EXPECT_EQ(messages, QStringList{msgCannotLoad});
    estimate::DescriptionDocument description;
    description.append("Кабинет");
    EXPECT_FALSE(docs->printout(description));
}

// The request is made in a file of its own beside the chosen one, saved and closed there, and
// the chosen name, once it holds the whole request, is opened and shown.
TEST_F(ComOffice, RequestCallsInTheirOrder) {
    const estimate::CabinetConfig c = someRequest();
    auto docs = documents();
    EXPECT_EQ(docs->writeRequest(request, c), QStringList());
    const QStringList got = calls();
    const QFileInfo chosen(request);
    const QRegularExpression sideOpen(
        "^Excel Workbooks.Open call BSTR:\"" +
        QRegularExpression::escape(QDir::toNativeSeparators(
            chosen.absoluteDir().filePath('.' + chosen.fileName() + '.'))) +
        "[A-Za-z0-9]{6}\" I4:0$");
    ASSERT_GE(got.size(), 4);
    ASSERT_TRUE(sideOpen.match(got[3]).hasMatch()) << got[3].toStdString();
    const QString side = got[3].section('"', 1, 1);
    QStringList expected = opening(side, false);
    for (const office::CellWrite& w : office::requestCells(c)) {
        const auto* text = std::get_if<std::string>(&w.value);
        expected << "Excel Application.Range put " + bstr(QString::fromStdString(w.address)) + ' ' +
                        (text ? bstr(QString::fromStdString(*text))
                              : "I4:" + QString::number(std::get<int>(w.value)));
    }
    expected << "Excel Application.ActiveWorkbook get"
             << "Excel Workbook.Save call"
             << "Excel Application.Workbooks get"
             << "Excel Workbooks.Count get"
             << "Excel Workbooks.Item get I4:1"
             << "Excel Workbook.FullName get"
             << "Excel Workbook.Close call BOOL:false";
    expected << opening(request, false) << "Excel Application.DisplayAlerts put BOOL:true"
             << "Excel Application.Visible put BOOL:true"
             << "Excel Application.Hwnd get";
    EXPECT_EQ(got.join('\n').toStdString(), expected.join('\n').toStdString());
    EXPECT_FALSE(QFileInfo::exists(side));
    QFile f(log);
    f.open(QIODevice::ReadOnly);
    QByteArray started;
    for (QByteArray line; !(line = f.readLine()).isEmpty();)
        if (line.startsWith("Excel started, process "))
            started = line.trimmed();
    EXPECT_EQ(started, "Excel started, process " +
                           QByteArray::number(static_cast<qlonglong>(docs->suite()->officePid())));
}

TEST_F(ComOffice, LoadReadsTheRequestBackReadOnly) {
    auto docs = documents();
    ASSERT_EQ(docs->writeRequest(request, someRequest()), QStringList());
    QStringList messages;
    const auto loaded = docs->readRequestFile(request, {}, messages);
    ASSERT_TRUE(loaded.has_value()) << messages.join(' ').toStdString();
    EXPECT_EQ(messages, QStringList());
    EXPECT_EQ(loaded->EditSquare, "48");
    EXPECT_TRUE(loaded->CB3d && loaded->CBDostavka && !loaded->CBSborka);
    EXPECT_EQ(loaded->EditStendS, "3");
    EXPECT_TRUE(loaded->RBStendPlastic && !loaded->RBStendAllum);
    EXPECT_EQ(loaded->EditMebelMest, "12");
    EXPECT_EQ(loaded->TrackMebel, 7);
    EXPECT_TRUE(loaded->CBCompNet && loaded->RBCompNetWifi);
    expectInOrder(opening(request, true) +
                  QStringList{"Excel Application.Range get BSTR:\"E14\"", "Excel Range.Value get",
                              "Excel Application.ActiveWorkbook get", "Excel Workbook.Close call",
                              "Excel Application.Quit call"});
}

// A workbook the server cannot open, and one with a word where a number belongs.
TEST_F(ComOffice, LoadFailuresEndTheServer) {
    auto docs = documents();
    QStringList messages;
    const QString refused = file("refused.xls", "REFUSE\n");
    EXPECT_FALSE(docs->readRequestFile(refused, {}, messages));
    EXPECT_EQ(messages, QStringList{msgCannotLoad});
    expectInOrder(opening(refused, true) + QStringList{"Excel Application.Workbooks get",
                                                       "Excel Workbooks.Close call",
                                                       "Excel Application.Quit call"});

    messages.clear();
    EXPECT_FALSE(docs->readRequestFile(file("word.xls", "C17\tS\tда\n"), {}, messages));
    EXPECT_EQ(messages, QStringList{msgCannotRead});
    EXPECT_EQ(calls().mid(calls().size() - 3),
              QStringList({"Excel Application.ActiveWorkbook get", "Excel Workbook.Close call",
                           "Excel Application.Quit call"}));
}

TEST_F(ComOffice, PrintoutPastesTheLogoAndTheDescription) {
    estimate::DescriptionDocument description;
    description.setSize(10);
    description.addStyle(estimate::Bold);
    description.setAlignment(estimate::Align::Center);
    description.append("Кабинет охраны труда");
    description.setAlignment(estimate::Align::Left);
    description.setBullets(true);
    description.append("Стенды: 3 шт.");
    auto docs = documents();
    ASSERT_TRUE(docs->printout(description, true, QStringLiteral("Tahoma")));
    const office::Letterhead head = office::sellerLetterhead();
    expectInOrder({"Word Application.Visible put BOOL:false", "Word Documents.Add call",
                   "Word PageSetup.LeftMargin put I4:56", "Word PageSetup.RightMargin put I4:14",
                   "Word PageSetup.HeaderDistance put I4:20",
                   "Word PageSetup.BottomMargin put I4:14", "Word HeadersFooters.Item get I4:1",
                   "Word HeaderFooter.Range get", "Word Tables.Add call DISPATCH I4:1 I4:2",
                   "Word Table.Cell get I4:1 I4:1", "Word Cell.VerticalAlignment put I4:1",
                   "Word   pasted into cell(1,1): 8,", "Word Table.Cell get I4:1 I4:2",
                   "Word Font.Size put I4:8",
                   "Word Range.Text put " + bstr(QString::fromStdString(head.text)),
                   "Word Paragraphs.Last get", "Word   pasted into body: Rich Text Format,13",
                   "Word Application.Visible put BOOL:true", "Word Application.Activate call"});
    EXPECT_TRUE(calls().filter("pasted into cell(1,1)").value(0).contains("dib=239x52x24"));
    QFile rtf(log + ".paste1.rtf");
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray body = rtf.readAll();
    for (const char* part : {"Tahoma", "\\lang1049", "\\qc\\fs20\\b \\u1050?",
                             "\\ql\\ls1\\fi-200\\li200\\fs20\\b \\u1057?"})
        EXPECT_TRUE(body.contains(part)) << part << " not in\n" << body.toStdString();
    // The description stays on the clipboard, as the calculator's own rich text.
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasHtml());
}

// A paste the word processor refuses: the printout fails silently and its hidden document is
// closed unsaved, the server ended, as it shows nothing else.
TEST_F(ComOffice, FailedPrintoutIsClosed) {
    qputenv("KC_TEST_OFFICE_REFUSE", "Paste");
    estimate::DescriptionDocument description;
    description.append("Кабинет");
    EXPECT_FALSE(documents()->printout(description));
    expectInOrder({"Word Documents.Add call", "Word Range.Paste call",
                   "Word Document.Close call I4:0", "Word Documents.Count get",
                   "Word Application.Quit call I4:0"});
    EXPECT_EQ(calls().filter("Visible put BOOL:true"), QStringList());
}

// A server that stops answering: the request fails after the deadline, as any failure of a
// cell, and the server is left alone.
TEST_F(ComOffice, ServerThatDoesNotAnswer) {
    qputenv("KC_TEST_OFFICE_HANG", "Range");
    auto docs = documents(2000);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(docs->writeRequest(request, someRequest()), QStringList{msgFileInUse});
    std::printf("the request failed after %lld ms\n", static_cast<long long>(clock.elapsed()));
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_EQ(docs->suite()->officePid(), 0);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

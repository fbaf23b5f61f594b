// SPDX-License-Identifier: MIT
// Shows a request workbook and a printout in LibreOffice on the current display and grabs the
// screen after each, and the description panel beside them (run by scripts/office-screenshot
// under Xvfb):
//   office_screenshots <output folder>
#include "app/app_setup.h"
#include "office/workflow.h"
#include "window/main_window.h"
#include "window/widgets.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <csignal>
#include <cstdio>

namespace {

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QTest::qWait(50);
}

bool grab(const QString& file) {
    return QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app::setupApplication(); // as the program starts: the panel's face, also the office's
    if (argc < 2) {
        std::fprintf(stderr, "usage: office_screenshots <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir profile;
    office::SuiteOptions options;
    options.profileDir = profile.filePath("office").toStdString();
    office::useSharedDocuments(options);
    office::Documents& docs = office::sharedDocuments();

    TMain w;
    w.control<QLineEdit>("EditSquare")->setText("40");
    w.control<window::RadioGroup>("RGClass")->setItemIndex(1);
    w.ButtonCalcClick();

    QTemporaryDir files;
    const QString request = files.filePath("blank - заявка.xls");
    const QStringList messages = docs.writeRequest(request, w.readConfig());
    if (!messages.isEmpty()) {
        std::fprintf(stderr, "request failed: %s\n", qPrintable(messages.join(", ")));
        return 1;
    }
    settle(4000);
    bool ok = grab(QDir(out).filePath("office-01-request-workbook.png"));
    docs.suite()->closeDocumentOf(request.toStdString());

    // The description panel as the window draws it, to set beside the printout.
    auto* panel = w.control<QTextEdit>("RichEdit");
    ok = panel->grab().save(QDir(out).filePath("office-00-panel.png")) && ok;
    if (!docs.printout(w.description(), true, panel->font().family())) {
        std::fprintf(stderr, "printout failed\n");
        return 1;
    }
    settle(4000);
    ok = grab(QDir(out).filePath("office-02-printout.png")) && ok;
    if (long pid = docs.suite()->officePid(); pid > 0)
        ::kill(pid_t(pid), SIGKILL);
    return ok ? 0 : 1;
}

// SPDX-License-Identifier: MIT
// Writes the request workbook of each configuration below through the window and the real
// office, for comparing two builds cell by cell (scripts/request-compare/run).
//   dump_requests OUTDIR PROFILEDIR
// The controls are set with Qt's own calls, so the tool builds against older trees as well.
#include "office/workflow.h"
#include "window/main_window.h"
#include "window/widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSlider>

#include <csignal>
#include <cstdio>
#include <functional>

namespace {

void tick(TMain& w, const char* name, bool on) {
    w.control<QAbstractButton>(name)->setChecked(on);
}
void typeIn(TMain& w, const char* name, const char* text) {
    w.control<QLineEdit>(name)->setText(QString::fromUtf8(text));
}
void choose(TMain& w, const char* group, int item) {
    w.control<window::RadioGroup>(group)->setItemIndex(item);
}
void level(TMain& w, const char* slider, int position) {
    w.control<QSlider>(slider)->setValue(position);
}

struct Case {
    const char* name;
    std::function<void(TMain&)> set;
};

const Case cases[] = {
    {"premium",
     [](TMain& w) {
         typeIn(w, "EditSquare", "50");
         choose(w, "RGClass", 0);
     }},
    {"business",
     [](TMain& w) {
         typeIn(w, "EditSquare", "50");
         choose(w, "RGClass", 1);
     }},
    {"econom",
     [](TMain& w) {
         typeIn(w, "EditSquare", "50");
         choose(w, "RGClass", 2);
     }},
    {"sections-off",
     [](TMain& w) {
         typeIn(w, "EditSquare", "37,5");
         choose(w, "RGClass", 0);
         for (const char* s : {"CBStend", "CBVitrin", "CBComp"})
             tick(w, s, false);
     }},
    {"odd-counts",
     [](TMain& w) {
         typeIn(w, "EditSquare", "12,25");
         typeIn(w, "EditStendS", "07");
         typeIn(w, "EditStendP", "1");
         typeIn(w, "EditPlakatA3", "999");
         tick(w, "RBStendPlastic", true);
         tick(w, "CBMebelStudent", true);
         typeIn(w, "EditMebelMest", "013");
         tick(w, "RBMebelParta", true);
         tick(w, "CBCompStudent", true);
         typeIn(w, "EditCompStudent", "9");
         tick(w, "RBCompStudentNote", true);
         tick(w, "CBCompNet", true);
         tick(w, "RBCompNetProvod", true);
         level(w, "TrackComp", 4);
         level(w, "TrackTeh", 7);
         tick(w, "CBTehBook", true);
     }},
    {"showcases-services",
     [](TMain& w) {
         tick(w, "CBVitrinGO", true);
         tick(w, "CBVitrinPM", true);
         typeIn(w, "EditVitrinPusto", "3");
         typeIn(w, "EditVitrinManeken", "2");
         choose(w, "RGVitrinTip", 0);
         tick(w, "CBDostavka", true);
         tick(w, "CB3d", true);
         tick(w, "CBMebelPrepod", true);
         level(w, "TrackMebel", 9);
     }},
    {"showcase-last-type-assembly",
     [](TMain& w) {
         tick(w, "CBVitrinSIZ", true);
         choose(w, "RGVitrinTip", 7);
         tick(w, "CBSborka", true);
         tick(w, "CBCompPrepod", true);
         tick(w, "RBCompPrepodNote", true);
     }},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dump_requests OUTDIR PROFILEDIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QDir out(QString::fromLocal8Bit(argv[1]));
    office::SuiteOptions options;
    options.profileDir = argv[2];
    office::useSharedDocuments(options);
    int failed = 0;
    for (const Case& c : cases) {
        TMain w;
        c.set(w);
        const QString path = out.filePath(QString::fromUtf8(c.name) + QStringLiteral(".xls"));
        const QStringList messages = office::sharedDocuments().writeRequest(path, w.readConfig());
        for (const QString& m : messages)
            std::fprintf(stderr, "%s: %s\n", c.name, qPrintable(m));
        failed += !messages.isEmpty();
        if (office::Suite* s = office::sharedDocuments().suite())
            s->closeDocumentOf(path.toStdString());
    }
    for (office::Suite* s : {office::sharedDocuments().suite(), office::sharedDocuments().reader()})
        if (const long pid = s ? s->officePid() : 0; pid > 0)
            ::kill(pid_t(pid), SIGTERM);
    return failed;
}

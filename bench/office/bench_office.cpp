// SPDX-License-Identifier: MIT
// Times "Заявка", "Загрузить" and "Распечатать" from the confirmed dialog to the visible result
// (for the load: to the record ready for the controls), with the office not yet running
// ("cold", the profile already set up by an earlier start), for the load also with the reading
// office started as the open dialog appeared ("early"), and with the offices running ("warm").
//   bench_office [runs]
#include "office/workflow.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Figures {
    double median, min, max;
};

Figures summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front(), ms.back()};
}

estimate::CabinetConfig sample() {
    estimate::CabinetConfig c;
    c.EditSquare = "48";
    c.EditStendS = "10";
    c.EditPlakatA4 = "40";
    c.CBVitrinSIZ = c.CBVitrinGO = c.CBMebelPrepod = c.CBMebelStudent = true;
    c.EditMebelMest = "32";
    c.CBCompPrepod = c.CBCompNet = c.CBTehBoard = c.CBTehFilm = true;
    c.CBDostavka = c.CBSborka = true;
    return c;
}

estimate::DescriptionDocument description() {
    estimate::DescriptionDocument d;
    d.setSize(10);
    d.addStyle(estimate::Bold);
    d.setAlignment(estimate::Align::Center);
    d.append("КОММЕРЧЕСКОЕ ПРЕДЛОЖЕНИЕ");
    d.appendEmpty();
    d.setAlignment(estimate::Align::Left);
    d.setBullets(true);
    d.addStyle(estimate::Italic);
    for (int i = 0; i < 60; ++i)
        d.append("Позиция " + std::to_string(i) + ": информационный стенд, 5 шт., 12 500 руб.");
    d.setBullets(false);
    return d;
}

class Bench {
  public:
    explicit Bench(office::Documents& d)
        : docs_(d) {}

    // Ends both offices: the one that shows the documents and the one that reads workbooks.
    void kill() {
        for (office::Suite* s : {docs_.suite(), docs_.reader()})
            if (long pid = s->officePid(); pid > 0) {
                ::kill(pid_t(pid), SIGKILL);
                for (int i = 0; i < 500 && ::kill(pid_t(pid), 0) == 0; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
    }
    // Keeps the office running between warm runs, as a request workbook the user still sees.
    void keepRunning() { docs_.suite()->openWordDocument(); }

    double time(const std::function<void()>& job) {
        const auto start = Clock::now();
        job();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }

  private:
    office::Documents& docs_;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    office::SuiteOptions options;
    options.profileDir = KC_BENCH_PROFILE;
    office::Documents docs(options);
    if (!docs.suite()) {
        std::printf("the office plugin did not load\n");
        return 1;
    }
    QTemporaryDir dir;
    Bench b(docs);
    int n = 0;
    auto file = [&] { return QDir(dir.path()).filePath(QString("r%1.xls").arg(++n)); };

    // The profile's first start (new profile, set-up restart) is not what a user waits for.
    const double first = b.time([&] { b.keepRunning(); });
    b.kill();

    const QString source = file();
    docs.writeRequest(source, sample());
    docs.suite()->closeDocumentOf(source.toStdString());
    QStringList messages;
    const double firstRead = b.time([&] { docs.readRequestFile(source, {}, messages); });
    b.kill();

    // cold: no office runs; early: none ran when the open dialog appeared, and the user took
    // `dialogMs` to choose the file; warm: the offices run.
    enum class Office { Cold, Early, Warm };
    constexpr int dialogMs = 1000;
    struct Row {
        const char* job;
        Office office;
        std::function<bool()> run;
    };
    const auto cfg = sample();
    const auto doc = description();
    const auto request = [&] { return docs.writeRequest(file(), cfg).isEmpty(); };
    const auto load = [&] { return docs.readRequestFile(source, {}, messages).has_value(); };
    const auto print = [&] { return docs.printout(doc); };
    const Row rows[] = {
        {"Заявка", Office::Cold, request},    {"Заявка", Office::Warm, request},
        {"Загрузить", Office::Cold, load},    {"Загрузить", Office::Early, load},
        {"Загрузить", Office::Warm, load},    {"Распечатать", Office::Cold, print},
        {"Распечатать", Office::Warm, print},
    };

    std::printf("office profiles' first start: %.0f ms, the reading office's %.0f ms (not "
                "counted below)\n",
                first, firstRead);
    std::printf("%-12s %-6s %8s %8s %8s  (ms, %d runs, %s; early: %d ms in the dialog)\n", "job",
                "office", "median", "min", "max", runs,
                qEnvironmentVariableIsSet("DISPLAY") ? "with a display" : "headless", dialogMs);
    for (const Row& r : rows) {
        std::vector<double> ms;
        bool ok = true;
        for (int i = 0; i < runs; ++i) {
            b.kill();
            if (r.office == Office::Warm) {
                b.keepRunning();
                r.run(); // the first use after a start warms the office's own caches
            } else if (r.office == Office::Early) {
                docs.prepareLoad();
                std::this_thread::sleep_for(std::chrono::milliseconds(dialogMs));
            }
            ms.push_back(b.time([&] { ok = r.run() && ok; }));
        }
        const Figures f = summarise(ms);
        const char* office = r.office == Office::Cold    ? "cold"
                             : r.office == Office::Early ? "early"
                                                         : "warm";
        std::printf("%s %-6s %8.0f %8.0f %8.0f%s\n",
                    QString::fromUtf8(r.job).leftJustified(12).toUtf8().constData(), office,
                    f.median, f.min, f.max, ok ? "" : "  (a run failed)");
    }
    b.kill();
    return 0;
}

// SPDX-License-Identifier: MIT
#include "tests/office/hostile_files.h"

#include "office/request.h"
#include "tests/office/uno_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QtEndian>

#include <map>
#include <random>
#include <unistd.h>

namespace officetest {

namespace {

using estimate::CabinetConfig;
using office::CellValue;
using Files = std::vector<HostileFile>;

CabinetConfig baseConfig() {
    CabinetConfig c;
    c.EditSquare = "36";
    c.CB3d = c.CBDostavka = true;
    c.EditPlakatA3 = "12";
    c.CBVitrinPB = true;
    c.EditVitrinManeken = "3";
    c.RGVitrinTip = 4;
    c.CBMebelStudent = true;
    c.EditMebelMest = "15";
    c.RBMebelParta = true;
    c.RBMebelKreslo = false;
    c.TrackMebel = 6;
    c.CBCompNet = true;
    c.RBCompNetWifi = false;
    c.RBCompNetProvod = true;
    c.CBTehFilm = true;
    c.TrackTeh = 3;
    return c;
}

// The request that the program itself writes for the base configuration.
const QString& baseRequest() {
    static const QString path = [] {
        const QString p = QDir(scratchDir()).filePath("base.xls");
        const QStringList messages = documents().writeRequest(p, baseConfig());
        if (!messages.isEmpty())
            qFatal("the base request was not written: %s", qPrintable(messages.join(", ")));
        suite().closeDocumentOf(p.toStdString());
        return p;
    }();
    return path;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QByteArray templateBytes() {
    return readAll(QStringLiteral(":/templates/BLANK"));
}

QString write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QString fileName(const QString& dir, int i, const char* suffix = ".xls") {
    return QDir(dir).filePath(QString::number(i) + QLatin1String(suffix));
}

// ---- The oracle: the loading rules over the base request with one cell replaced -----------

std::map<std::string, CellValue> baseCells() {
    std::map<std::string, CellValue> cells;
    for (const office::CellWrite& w : office::requestCells(baseConfig())) {
        if (const auto* text = std::get_if<std::string>(&w.value))
            cells[w.address] = CellValue::ofText(*text);
        else
            cells[w.address] = CellValue::ofNumber(std::get<int>(w.value));
    }
    return cells;
}

Expect expectedWith(std::map<std::string, CellValue> cells) {
    try {
        office::readRequest(
            [&](std::string_view a) {
                const auto it = cells.find(std::string(a));
                return it == cells.end() ? CellValue{} : it->second;
            },
            {});
        return Expect::Loads;
    } catch (const office::ReadError&) {
        return Expect::CannotRead;
    }
}

// ---- The compound file: where its header, allocation table, directory and records lie -----

quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

struct Compound {
    qsizetype sectorSize = 512;
    std::vector<qsizetype> fatSectors;  // file offsets
    std::vector<qsizetype> dirSectors;  // file offsets
    std::vector<qsizetype> workbook;    // the file offset of every byte of the Workbook stream
    std::vector<qsizetype> recordStart; // stream offsets of the BIFF records

    explicit Compound(const QByteArray& b) {
        sectorSize = qsizetype(1) << u16(b, 0x1E);
        const auto at = [&](quint32 sector) { return (qsizetype(sector) + 1) * sectorSize; };
        std::vector<quint32> fat;
        for (quint32 i = 0; i < std::min<quint32>(u32(b, 0x2C), 109); ++i) {
            fatSectors.push_back(at(u32(b, 0x4C + 4 * i)));
            for (qsizetype j = 0; j < sectorSize; j += 4)
                fat.push_back(u32(b, fatSectors.back() + j));
        }
        const auto chain = [&](quint32 s) {
            std::vector<qsizetype> out;
            while (s < fat.size() && out.size() < fat.size()) {
                out.push_back(at(s));
                s = fat[s];
            }
            return out;
        };
        dirSectors = chain(u32(b, 0x30));
        for (qsizetype d : dirSectors)
            for (qsizetype e = d; e < d + sectorSize; e += 128) {
                const QString name =
                    QString::fromUtf16(reinterpret_cast<const char16_t*>(b.constData() + e),
                                       std::max(0, u16(b, e + 0x40) / 2 - 1));
                if (name != QLatin1String("Workbook"))
                    continue;
                const auto sectors = chain(u32(b, e + 0x74));
                for (quint32 i = 0; i < u32(b, e + 0x78); ++i)
                    workbook.push_back(sectors[i / sectorSize] + i % sectorSize);
            }
        for (qsizetype r = 0; r + 4 <= qsizetype(workbook.size());) {
            recordStart.push_back(r);
            r += 4 + (quint8(b.at(workbook[r + 2])) | quint8(b.at(workbook[r + 3])) << 8);
        }
    }
};

QByteArray flipped(QByteArray b, qsizetype at, std::mt19937& rng) {
    b.data()[at] ^= char(1 + rng() % 255);
    return b;
}

// Byte-level kinds alternate between the request and the template.
Files bytes(const QString& dir, int count, unsigned seed,
            const std::function<QByteArray(const QByteArray&, std::mt19937&)>& damage) {
    std::mt19937 rng(seed);
    const QByteArray bases[] = {readAll(baseRequest()), templateBytes()};
    Files out;
    for (int i = 0; i < count; ++i)
        out.push_back({{}, write(fileName(dir, i), damage(bases[i % 2], rng)), Expect::Refused});
    return out;
}

qsizetype pick(std::mt19937& rng, qsizetype n) {
    return qsizetype(rng() % quint64(n));
}

// ---- Cells changed through the office -------------------------------------------------------

Files cells(const QString& dir, int count, unsigned seed, const CellValue& value) {
    std::vector<std::string> addresses = inputCells();
    std::shuffle(addresses.begin(), addresses.end(), std::mt19937(seed));
    addresses.resize(std::min<size_t>(addresses.size(), size_t(count)));
    Files out;
    int i = 0;
    for (const std::string& a : addresses) {
        const QString path = fileName(dir, i++);
        QFile::copy(baseRequest(), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        suite().openWorkbook(path.toStdString());
        if (value.kind == CellValue::Kind::Number)
            suite().setCell(a, int(value.number));
        else
            suite().setCell(a, value.text);
        suite().saveWorkbook();
        suite().closeWorkbook();
        auto cells = baseCells();
        cells[a] = value;
        if (value.kind == CellValue::Kind::Text && value.text.empty())
            cells.erase(a);
        out.push_back({QString::fromStdString(a), path, expectedWith(cells)});
    }
    return out;
}

// ---- Workbooks written as flat ODF and converted by a separate office ---------------------

// Converts the files with a separate office process; gives the converted files' paths.
QStringList convert(const QStringList& files, const QString& target, const QString& outDir) {
    QProcess p;
    p.start("soffice",
            QStringList{"-env:UserInstallation=file://" KC_TEST_BINARY_DIR "/convert-profile",
                        "--headless", "--norestore", "--convert-to", target, "--outdir", outDir} +
                files);
    if (!p.waitForFinished(120000))
        p.kill();
    QStringList out;
    const QString suffix = target.section(':', 0, 0);
    for (const QString& f : files)
        out << QDir(outDir).filePath(QFileInfo(f).completeBaseName() + '.' + suffix);
    return out;
}

struct FodsCell {
    QString formula; // "of:=1/0"; empty for a plain value
    CellValue value;
};
using Sheet = std::pair<QString, std::map<std::string, FodsCell>>;

QString fods(const std::vector<Sheet>& sheets, bool protectedSheets) {
    QString x = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" "
        "office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument."
        "spreadsheet\"><office:body><office:spreadsheet>\n");
    for (const auto& [name, cells] : sheets) {
        x += QStringLiteral("<table:table table:name=\"%1\"%2>\n")
                 .arg(name.toHtmlEscaped(),
                      protectedSheets ? QStringLiteral(" table:protected=\"true\"") : QString());
        for (int row = 1; row <= 102; ++row) {
            x += QStringLiteral("<table:table-row>");
            for (char col = 'A'; col <= 'H'; ++col) {
                const auto it = cells.find(col + std::to_string(row));
                if (it == cells.end()) {
                    x += QStringLiteral("<table:table-cell/>");
                    continue;
                }
                const FodsCell& c = it->second;
                const QString formula =
                    c.formula.isEmpty()
                        ? QString()
                        : QStringLiteral(" table:formula=\"%1\"").arg(c.formula.toHtmlEscaped());
                if (c.value.kind == CellValue::Kind::Number)
                    x += QStringLiteral("<table:table-cell%1 office:value-type=\"float\" "
                                        "office:value=\"%2\"/>")
                             .arg(formula)
                             .arg(c.value.number);
                else
                    x += QStringLiteral("<table:table-cell%1 office:value-type=\"string\">"
                                        "<text:p>%2</text:p></table:table-cell>")
                             .arg(formula, QString::fromStdString(c.value.text).toHtmlEscaped());
            }
            x += QStringLiteral("</table:table-row>\n");
        }
        x += QStringLiteral("</table:table>\n");
    }
    return x + QStringLiteral("</office:spreadsheet></office:body></office:document>\n");
}

std::map<std::string, FodsCell> baseFodsCells() {
    std::map<std::string, FodsCell> out;
    for (const auto& [a, v] : baseCells())
        out[a] = {{}, v};
    return out;
}

struct FodsCase {
    QString what;
    std::vector<Sheet> sheets;
    bool protectedSheets;
    Expect expect;
};

Files fodsFiles(const QString& dir, int count, unsigned seed, std::vector<FodsCase> cases) {
    std::shuffle(cases.begin(), cases.end(), std::mt19937(seed));
    cases.resize(std::min<size_t>(cases.size(), size_t(count)));
    QStringList sources;
    for (size_t i = 0; i < cases.size(); ++i)
        sources << write(fileName(dir, int(i), ".fods"),
                         fods(cases[i].sheets, cases[i].protectedSheets).toUtf8());
    const QStringList made = convert(sources, QStringLiteral("xls:MS Excel 97"), dir);
    Files out;
    for (size_t i = 0; i < cases.size(); ++i)
        out.push_back({cases[i].what, made[int(i)], cases[i].expect});
    return out;
}

const QString formSheet = QStringLiteral("Бланк-заказ");
const QString listSheet = QStringLiteral("списки");

std::vector<FodsCase> formulaCases() {
    struct F {
        const char* cell;
        const char* formula;
        CellValue cached;
        Expect expect;
    };
    const CellValue errorText = CellValue::ofText("#DIV/0!");
    const F formulas[] = {
        {"E49", "of:=1/0", errorText, Expect::CannotRead}, // #DIV/0! in a flag
        {"H66", "of:=1/0", errorText, Expect::CannotRead}, // in a level
        {"E26", "of:=1/0", errorText, Expect::Loads},      // in a count: corrected to 0
        {"F80", "of:=1/0", errorText, Expect::Loads},      // in a type word: matches none
        {"E50", "of:=[.Z1000]", CellValue::ofNumber(0), Expect::Loads},
        {"E51", "of:=INDIRECT(\"nosuch\")", errorText, Expect::CannotRead}, // #REF! in a flag
        {"E27", "of:=INDIRECT(\"nosuch\")", errorText, Expect::Loads},      // in a count
        {"H80", "of:=2*35", CellValue::ofNumber(70), Expect::Loads},
        {"E14", "of:=6*7", CellValue::ofNumber(42), Expect::Loads},
        {"F81", "of:=\"Ноутбук\"", CellValue::ofText("Ноутбук"), Expect::Loads},
        {"D17", "of:=1+1", CellValue::ofNumber(2), Expect::CannotRead}, // a number in D17
        {"E97", "of:=NA()", CellValue::ofText("#N/A"), Expect::CannotRead},
    };
    std::vector<FodsCase> out;
    for (const F& f : formulas) {
        auto cells = baseFodsCells();
        cells[f.cell] = {QString::fromUtf8(f.formula), f.cached};
        out.push_back({QString::fromUtf8(f.cell) + ' ' + QString::fromUtf8(f.formula),
                       {{formSheet, cells}, {listSheet, {}}},
                       false,
                       f.expect});
    }
    return out;
}

std::vector<FodsCase> sheetCases() {
    std::map<std::string, FodsCell> words;
    for (const char* a : {"E17", "E49", "E66", "E80", "E97", "H66"})
        words[a] = {{}, CellValue::ofText("Парта")};
    return {
        {"renamed",
         {{QStringLiteral("Заказ"), baseFodsCells()}, {listSheet, {}}},
         false,
         Expect::Loads},
        {"missing, lists with words", {{listSheet, words}}, false, Expect::CannotRead},
        {"missing, one empty sheet", {{QStringLiteral("Лист1"), {}}}, false, Expect::Loads},
        {"protected", {{formSheet, baseFodsCells()}, {listSheet, {}}}, true, Expect::Loads},
    };
}

// ---- Files of other kinds -------------------------------------------------------------------

Files otherKinds(const QString& dir, int count, unsigned seed) {
    using Maker = std::function<QString(int)>;
    const auto converted = [dir](const char* target) {
        return [dir, target](int i) {
            const QString out = QDir(dir).filePath(QString::number(i));
            QDir().mkpath(out);
            const QString made = convert({baseRequest()}, QString::fromLatin1(target), out)[0];
            const QString path = fileName(dir, i);
            QFile::rename(made, path);
            return path;
        };
    };
    std::vector<Maker> makers = {
        converted("xlsx:Calc MS Excel 2007 XML"),
        converted("ods:calc8"),
        converted("csv:Text - txt - csv (StarCalc)"),
        converted("html:HTML (StarCalc)"),
        converted("pdf:calc_pdf_Export"),
        [dir](int i) {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            const QString path = fileName(dir, i);
            image.save(path, "PNG");
            return path;
        },
        [dir](int i) {
            const QString path = fileName(dir, i);
            QPdfWriter pdf(path);
            QPainter(&pdf).drawText(100, 100, QStringLiteral("Заявка"));
            return path;
        },
        [dir](int i) {
            std::mt19937 rng(i);
            QByteArray b(20000, 0);
            for (auto& ch : b)
                ch = char(rng());
            return write(fileName(dir, i), b);
        },
        [dir](int i) {
            return write(fileName(dir, i), "E14;36\nE26;5\n<html><table><tr><td>1</td></tr>");
        },
        [dir](int i) { return write(fileName(dir, i), {}); }, // empty
    };
    std::shuffle(makers.begin(), makers.end(), std::mt19937(seed));
    makers.resize(std::min<size_t>(makers.size(), size_t(count)));
    Files out;
    for (size_t i = 0; i < makers.size(); ++i)
        out.push_back({{}, makers[i](int(i)), Expect::CannotLoad});
    return out;
}

Files awkwardPaths(const QString& dir, int count, unsigned seed) {
    QString deep = QStringLiteral("long");
    while (deep.size() < 1200)
        deep += QStringLiteral("/очень длинное имя папки с заявками клиента");
    QStringList paths = {
        QStringLiteral("с пробелами/заявка на кабинет.xls"),
        QStringLiteral("Кириллица/Заявка_Иванов.xls"),
        // The file dialog reads a double quote in a typed name as a list of names.
        QStringLiteral("quotes 'one' and \"two\"/it's ours.xls"),
        QStringLiteral("hash #1/заявка #2.xls"),
        QStringLiteral("percent %20/100% готово %41.xls"),
        QStringLiteral("mixed ё #%'/ а б в.xls"),
        deep + QStringLiteral("/заявка.xls"),
        QStringLiteral("[brackets] {braces} & amp; (x)/file;name.xls"),
    };
    std::shuffle(paths.begin(), paths.end(), std::mt19937(seed));
    paths = paths.mid(0, count);
    Files out;
    for (const QString& p : paths) {
        const QString path = QDir(dir).filePath(p);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::copy(baseRequest(), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        out.push_back({{}, path, Expect::Loads});
    }
    return out;
}

} // namespace

const char* expectName(Expect e) {
    switch (e) {
    case Expect::Loads:
        return "loads";
    case Expect::CannotLoad:
        return "cannot load";
    case Expect::CannotRead:
        return "cannot read";
    case Expect::Nothing:
        return "nothing";
    case Expect::Refused:
        return "damaged";
    }
    return "?";
}

const std::vector<HostileKind>& hostileKinds() {
    using Rng = std::mt19937;
    static const std::vector<HostileKind> kinds = {
        {"truncated", 100, 4,
         [](const QString& d, int n, unsigned s) {
             return bytes(d, n, s, [](const QByteArray& b, Rng& r) {
                 return b.left(1 + pick(r, b.size() - 1));
             });
         }},
        {"header byte flipped", 40, 2,
         [](const QString& d, int n, unsigned s) {
             return bytes(d, n, s,
                          [](const QByteArray& b, Rng& r) { return flipped(b, pick(r, 512), r); });
         }},
        {"allocation table flipped", 40, 2,
         [](const QString& d, int n, unsigned s) {
             return bytes(d, n, s, [](const QByteArray& b, Rng& r) {
                 const Compound c(b);
                 // The used start of the table: the entries of the file's own sectors.
                 const qsizetype used = std::min(c.sectorSize, 4 * (b.size() / c.sectorSize));
                 return flipped(b, c.fatSectors[0] + pick(r, used), r);
             });
         }},
        {"directory flipped", 40, 2,
         [](const QString& d, int n, unsigned s) {
             return bytes(d, n, s, [](const QByteArray& b, Rng& r) {
                 const Compound c(b);
                 return flipped(b, c.dirSectors[0] + pick(r, 6 * 128), r);
             });
         }},
        {"workbook record flipped", 80, 3,
         [](const QString& d, int n, unsigned s) {
             return bytes(d, n, s, [](const QByteArray& b, Rng& r) {
                 const Compound c(b);
                 const qsizetype record = c.recordStart[pick(r, qsizetype(c.recordStart.size()))];
                 const qsizetype end = qsizetype(c.workbook.size());
                 const qsizetype at = std::min(record + pick(r, 8), end - 1);
                 return flipped(b, c.workbook[at], r);
             });
         }},
        {"form sheet renamed in place", 2, 1,
         [](const QString& d, int n, unsigned) {
             const QByteArray from(reinterpret_cast<const char*>(formSheet.utf16()),
                                   formSheet.size() * 2);
             const QString to = QStringLiteral("Заказ-бланк");
             const QByteArray into(reinterpret_cast<const char*>(to.utf16()), to.size() * 2);
             const QByteArray bases[] = {readAll(baseRequest()), templateBytes()};
             Files out;
             for (int i = 0; i < n; ++i)
                 out.push_back({{},
                                write(fileName(d, i), QByteArray(bases[i % 2]).replace(from, into)),
                                Expect::Loads});
             return out;
         }},
        {"cell holds a word", 47, 3,
         [](const QString& d, int n, unsigned s) {
             return cells(d, n, s, CellValue::ofText("сорок два"));
         }},
        {"cell holds a number", 47, 3,
         [](const QString& d, int n, unsigned s) {
             return cells(d, n, s, CellValue::ofNumber(42));
         }},
        {"cell emptied", 47, 2,
         [](const QString& d, int n, unsigned s) { return cells(d, n, s, CellValue::ofText("")); }},
        {"cell holds 32000 characters", 47, 3,
         [](const QString& d, int n, unsigned s) {
             std::string text;
             for (int i = 0; i < 32000; ++i)
                 text += i % 2 ? "Ж" : "9";
             return cells(d, n, s, CellValue::ofText(text));
         }},
        {"formula or error value", 12, 3,
         [](const QString& d, int n, unsigned s) { return fodsFiles(d, n, s, formulaCases()); }},
        {"sheets renamed, missing, protected", 4, 2,
         [](const QString& d, int n, unsigned s) { return fodsFiles(d, n, s, sheetCases()); }},
        {"password to open", 3, 1,
         [](const QString& d, int n, unsigned s) {
             std::mt19937 rng(s);
             const QByteArray b = readAll(QStringLiteral(KC_TEST_SOURCE_DIR "/data/password.xls"));
             Files out{{{}, write(fileName(d, 0), b), Expect::CannotLoad}};
             for (int i = 1; i < n; ++i)
                 out.push_back(
                     {{},
                      write(fileName(d, i), flipped(b, 512 + pick(rng, b.size() - 512), rng)),
                      Expect::Refused});
             return out;
         }},
        {"other kind named .xls", 10, 3, otherKinds},
        {"folder named .xls", 1, 1,
         [](const QString& d, int, unsigned) {
             const QString path = fileName(d, 0);
             QDir().mkpath(path);
             return Files{{{}, path, Expect::Nothing, false}};
         }},
        {"no read permission", 1, 1,
         [](const QString& d, int, unsigned) {
             const QString path = fileName(d, 0);
             QFile::copy(baseRequest(), path);
             QFile::setPermissions(path, QFile::WriteOwner);
             // Whoever may read it anyway (root) loads it.
             const Expect e = ::access(path.toLocal8Bit().constData(), R_OK) == 0 ? Expect::Loads
                                                                                  : Expect::Nothing;
             return Files{{{}, path, e}};
         }},
        {"awkward path", 8, 3, awkwardPaths},
    };
    return kinds;
}

} // namespace officetest

#include "office/request.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <set>

namespace office {

namespace {

using estimate::CabinetConfig;
using Flag = bool CabinetConfig::*;
using Text = std::string CabinetConfig::*;
using Level = int CabinetConfig::*;

const std::string showcaseTypes[] = {
    "Витрина-шкаф",
    "Витрина-шкаф с накопителем",
    "Витрина-шкаф с подсветкой",
    "Витрина-шкаф с накопителем и подсветкой",
    "Витрина-прилавок",
    "Витрина-прилавок с накопителем",
    "Витрина-прилавок со стендовой частью",
    "Витрина-прилавок со стендовой частью и накопителем",
};

// ---- Writing --------------------------------------------------------------------------------

enum class Put {
    Area,     // the area's text, when it reads as a number above 0
    One,      // 1 when the section (if any) and the box are on
    Yes,      // "Да" when the box is on
    Count,    // the count's text when the section is on and the text is not "0"
    Type,     // the word of the selected radio button, when a trigger cell was written
    Showcase, // the selected showcase type, when a trigger cell was written
    Level,    // the slider's position times 10, when a trigger cell was written
};

struct WriteRow {
    const char* cell;
    Put put;
    Flag section = nullptr; // nullptr: written whatever the section switches hold
    Flag box = nullptr;     // One, Yes; the first radio button for Type
    Text count = nullptr;
    const char* word = nullptr; // Type: the first button's word
    Flag box2 = nullptr;        // Type: the second radio button
    const char* word2 = nullptr;
    Level level = nullptr;
    std::vector<const char*> triggers = {};
};

using C = CabinetConfig;
const WriteRow writeRows[] = {
    {"E14", Put::Area},
    {"C17", Put::One, nullptr, &C::CB3d},
    {"D17", Put::Yes, nullptr, &C::CBDostavka},
    {"E17", Put::One, nullptr, &C::CBSborka},
    {"E26", Put::Count, &C::CBStend, nullptr, &C::EditStendS},
    {"E27", Put::Count, &C::CBStend, nullptr, &C::EditStendL},
    {"E28", Put::Count, &C::CBStend, nullptr, &C::EditStendP},
    {"F26",
     Put::Type,
     &C::CBStend,
     &C::RBStendPlastic,
     nullptr,
     "Пластиковая рамка",
     &C::RBStendAllum,
     "Золотой алюминиевый багет",
     nullptr,
     {"E26", "E27", "E28"}},
    {"E37", Put::Count, &C::CBPlakat, nullptr, &C::EditPlakatA4},
    {"E38", Put::Count, &C::CBPlakat, nullptr, &C::EditPlakatA3},
    {"E39", Put::Count, &C::CBPlakat, nullptr, &C::EditPlakatA2},
    {"E49", Put::One, &C::CBVitrin, &C::CBVitrinSIZ},
    {"E50", Put::One, &C::CBVitrin, &C::CBVitrinGO},
    {"E51", Put::One, &C::CBVitrin, &C::CBVitrinEB},
    {"E52", Put::One, &C::CBVitrin, &C::CBVitrinPB},
    {"E53", Put::One, &C::CBVitrin, &C::CBVitrinPM},
    {"E54", Put::Count, &C::CBVitrin, nullptr, &C::EditVitrinPusto},
    {"E55", Put::Count, &C::CBVitrin, nullptr, &C::EditVitrinManeken},
    {"F49",
     Put::Showcase,
     &C::CBVitrin,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     {"E49", "E50", "E51", "E52", "E53", "E54"}},
    {"E66", Put::One, &C::CBMebel, &C::CBMebelPrepod},
    {"E67", Put::Count, &C::CBMebel, &C::CBMebelStudent, &C::EditMebelMest},
    {"F67",
     Put::Type,
     &C::CBMebel,
     &C::RBMebelParta,
     nullptr,
     "Парта",
     &C::RBMebelKreslo,
     "Кресло",
     nullptr,
     {"E67"}},
    {"E68", Put::One, &C::CBMebel, &C::CBMebelGarderob},
    {"E69", Put::One, &C::CBMebel, &C::CBMebeShkaf},
    {"E70", Put::One, &C::CBMebel, &C::CBMebelBed},
    {"H66",
     Put::Level,
     &C::CBMebel,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     &C::TrackMebel,
     {"E66", "E67", "E68", "E69", "E70"}},
    {"E80", Put::One, &C::CBComp, &C::CBCompPrepod},
    {"F80",
     Put::Type,
     &C::CBComp,
     &C::RBCompPrepodNote,
     nullptr,
     "Ноутбук",
     &C::RBCompPrepodStatic,
     "Стационарный компьютер",
     nullptr,
     {"E80"}},
    {"E81", Put::Count, &C::CBComp, &C::CBCompStudent, &C::EditCompStudent},
    {"F81",
     Put::Type,
     &C::CBComp,
     &C::RBCompStudentNote,
     nullptr,
     "Ноутбук",
     &C::RBCompStudentStatic,
     "Стационарный компьютер",
     nullptr,
     {"E81"}},
    {"E82", Put::One, &C::CBComp, &C::CBCompNet},
    {"F82",
     Put::Type,
     &C::CBComp,
     &C::RBCompNetWifi,
     nullptr,
     "Wi-Fi",
     &C::RBCompNetProvod,
     "Проводная сеть",
     nullptr,
     {"E82"}},
    {"E83", Put::One, &C::CBComp, &C::CBCompProector},
    {"E84", Put::One, &C::CBComp, &C::CBCompTelephone},
    {"E85", Put::One, &C::CBComp, &C::CBCompTV},
    {"E86", Put::One, &C::CBComp, &C::CBCompPrinter},
    {"E87", Put::One, &C::CBComp, &C::CBCompAudio},
    {"H80",
     Put::Level,
     &C::CBComp,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     &C::TrackComp,
     {"E80", "E81", "E83", "E84", "E85", "E86", "E87"}},
    {"E97", Put::One, &C::CBTeh, &C::CBTehBoard},
    {"E98", Put::One, &C::CBTeh, &C::CBTehProgramma},
    {"E99", Put::One, &C::CBTeh, &C::CBTehTrenajer},
    {"E100", Put::One, &C::CBTeh, &C::CBTehFilm},
    {"E101", Put::One, &C::CBTeh, &C::CBTehBook},
    {"E102", Put::One, &C::CBTeh, &C::CBTehTest},
    {"H97",
     Put::Level,
     &C::CBTeh,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     nullptr,
     &C::TrackTeh,
     {"E97", "E98", "E99", "E100", "E101", "E102"}},
};

// ---- Reading --------------------------------------------------------------------------------

enum class Get {
    TextOf,   // the value's text into an edit
    Number,   // number test into a check box
    NotEmpty, // text test against the empty text: on when the text is not empty
    Is,       // text test: selected exactly when the value is one of the words
    Showcase, // the matching showcase type, if any
    Level,    // value / 10, half to even, within 1..10
};

struct ReadRow {
    const char* cell;
    Get get;
    const char* control;
    Text text = nullptr;
    Flag flag = nullptr;
    Level level = nullptr;
    std::vector<const char*> words = {};
};

const ReadRow readRows[] = {
    {"E14", Get::TextOf, "EditSquare", &C::EditSquare},
    {"C17", Get::Number, "CB3d", nullptr, &C::CB3d},
    {"D17", Get::NotEmpty, "CBDostavka", nullptr, &C::CBDostavka},
    {"E17", Get::Number, "CBSborka", nullptr, &C::CBSborka},
    {"E26", Get::TextOf, "EditStendS", &C::EditStendS},
    {"E27", Get::TextOf, "EditStendL", &C::EditStendL},
    {"E28", Get::TextOf, "EditStendP", &C::EditStendP},
    {"F26", Get::Is, "RBStendPlastic", nullptr, &C::RBStendPlastic, nullptr, {"Пластиковая рамка"}},
    {"F26",
     Get::Is,
     "RBStendAllum",
     nullptr,
     &C::RBStendAllum,
     nullptr,
     {"Серебряный алюминиевый багет", "Золотой алюминиевый багет"}},
    {"E37", Get::TextOf, "EditPlakatA4", &C::EditPlakatA4},
    {"E38", Get::TextOf, "EditPlakatA3", &C::EditPlakatA3},
    {"E39", Get::TextOf, "EditPlakatA2", &C::EditPlakatA2},
    {"E49", Get::Number, "CBVitrinSIZ", nullptr, &C::CBVitrinSIZ},
    {"E50", Get::Number, "CBVitrinGO", nullptr, &C::CBVitrinGO},
    {"E51", Get::Number, "CBVitrinEB", nullptr, &C::CBVitrinEB},
    {"E52", Get::Number, "CBVitrinPB", nullptr, &C::CBVitrinPB},
    {"E53", Get::Number, "CBVitrinPM", nullptr, &C::CBVitrinPM},
    {"E54", Get::TextOf, "EditVitrinPusto", &C::EditVitrinPusto},
    {"E55", Get::TextOf, "EditVitrinManeken", &C::EditVitrinManeken},
    {"F49", Get::Showcase, "RGVitrinTip"},
    {"H66", Get::Level, "TrackMebel", nullptr, nullptr, &C::TrackMebel},
    {"E66", Get::Number, "CBMebelPrepod", nullptr, &C::CBMebelPrepod},
    {"E67", Get::Number, "CBMebelStudent", nullptr, &C::CBMebelStudent},
    {"E67", Get::TextOf, "EditMebelMest", &C::EditMebelMest},
    {"E68", Get::Number, "CBMebelGarderob", nullptr, &C::CBMebelGarderob},
    {"E69", Get::Number, "CBMebeShkaf", nullptr, &C::CBMebeShkaf},
    {"E70", Get::Number, "CBMebelBed", nullptr, &C::CBMebelBed},
    {"F67", Get::Is, "RBMebelParta", nullptr, &C::RBMebelParta, nullptr, {"Парта"}},
    {"F67", Get::Is, "RBMebelKreslo", nullptr, &C::RBMebelKreslo, nullptr, {"Кресло"}},
    {"H80", Get::Level, "TrackComp", nullptr, nullptr, &C::TrackComp},
    {"E80", Get::Number, "CBCompPrepod", nullptr, &C::CBCompPrepod},
    {"F80", Get::Is, "RBCompPrepodNote", nullptr, &C::RBCompPrepodNote, nullptr, {"Ноутбук"}},
    {"F80",
     Get::Is,
     "RBCompPrepodStatic",
     nullptr,
     &C::RBCompPrepodStatic,
     nullptr,
     {"Стационарный компьютер"}},
    {"E81", Get::Number, "CBCompStudent", nullptr, &C::CBCompStudent},
    {"E81", Get::TextOf, "EditCompStudent", &C::EditCompStudent},
    {"F81", Get::Is, "RBCompStudentNote", nullptr, &C::RBCompStudentNote, nullptr, {"Ноутбук"}},
    {"F81",
     Get::Is,
     "RBCompStudentStatic",
     nullptr,
     &C::RBCompStudentStatic,
     nullptr,
     {"Стационарный компьютер"}},
    {"E82", Get::Number, "CBCompNet", nullptr, &C::CBCompNet},
    {"F82", Get::Is, "RBCompNetWifi", nullptr, &C::RBCompNetWifi, nullptr, {"Wi-Fi"}},
    {"F82", Get::Is, "RBCompNetProvod", nullptr, &C::RBCompNetProvod, nullptr, {"Проводная сеть"}},
    {"E83", Get::Number, "CBCompProector", nullptr, &C::CBCompProector},
    {"E84", Get::Number, "CBCompTelephone", nullptr, &C::CBCompTelephone},
    {"E85", Get::Number, "CBCompTV", nullptr, &C::CBCompTV},
    {"E86", Get::Number, "CBCompPrinter", nullptr, &C::CBCompPrinter},
    {"E87", Get::Number, "CBCompAudio", nullptr, &C::CBCompAudio},
    {"H97", Get::Level, "TrackTeh", nullptr, nullptr, &C::TrackTeh},
    {"E97", Get::Number, "CBTehBoard", nullptr, &C::CBTehBoard},
    {"E98", Get::Number, "CBTehProgramma", nullptr, &C::CBTehProgramma},
    {"E99", Get::Number, "CBTehTrenajer", nullptr, &C::CBTehTrenajer},
    {"E100", Get::Number, "CBTehFilm", nullptr, &C::CBTehFilm},
    {"E101", Get::Number, "CBTehBook", nullptr, &C::CBTehBook},
    {"E102", Get::Number, "CBTehTest", nullptr, &C::CBTehTest},
};

double readNumber(const std::string& text, bool* ok) {
    return QLocale().toDouble(QString::fromStdString(text), ok);
}

// A text where a number is expected converts with the locale, or the load fails.
double asNumber(const CellValue& v, const char* cell) {
    switch (v.kind) {
    case CellValue::Kind::Empty:
        return 0;
    case CellValue::Kind::Number:
        return v.number;
    case CellValue::Kind::Text:
        break;
    }
    bool ok = false;
    const double n = readNumber(v.text, &ok);
    if (!ok)
        throw ReadError(std::string(cell) + " holds \"" + v.text + "\", not a number");
    return n;
}

std::string asText(const CellValue& v, const char* cell) {
    if (v.kind == CellValue::Kind::Number)
        throw ReadError(std::string(cell) + " holds a number, not a text");
    return v.text;
}

std::string textOf(const CellValue& v) {
    return v.kind == CellValue::Kind::Number ? numberText(v.number) : v.text;
}

int levelOf(double value) {
    const double position = std::nearbyint(value / 10); // the default mode: half to even
    return static_cast<int>(std::clamp(position, 1.0, 10.0));
}

} // namespace

std::string numberText(double n) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(n, 'g', 15).toStdString();
}

std::vector<CellWrite> requestCells(const CabinetConfig& c) {
    std::vector<CellWrite> out;
    std::set<std::string> written;
    auto write = [&](const char* cell, std::variant<std::string, int> v) {
        out.push_back({cell, std::move(v)});
        written.insert(cell);
    };
    auto triggered = [&](const WriteRow& r) {
        return std::any_of(r.triggers.begin(), r.triggers.end(),
                           [&](const char* t) { return written.count(t) > 0; });
    };
    for (const WriteRow& r : writeRows) {
        if (r.section && !(c.*r.section))
            continue;
        switch (r.put) {
        case Put::Area: {
            bool ok = false;
            const double area = readNumber(c.EditSquare, &ok);
            if (ok && area > 0)
                write(r.cell, c.EditSquare);
            break;
        }
        case Put::One:
            if (c.*r.box)
                write(r.cell, 1);
            break;
        case Put::Yes:
            if (c.*r.box)
                write(r.cell, std::string("Да"));
            break;
        case Put::Count:
            if ((!r.box || c.*r.box) && c.*r.count != "0")
                write(r.cell, c.*r.count);
            break;
        case Put::Type:
            if (triggered(r) && (c.*r.box || c.*r.box2))
                write(r.cell, std::string(c.*r.box ? r.word : r.word2));
            break;
        case Put::Showcase:
            if (triggered(r) && c.RGVitrinTip >= 0 && c.RGVitrinTip < 8)
                write(r.cell, showcaseTypes[c.RGVitrinTip]);
            break;
        case Put::Level:
            if (triggered(r))
                write(r.cell, c.*r.level * 10);
            break;
        }
    }
    return out;
}

CabinetConfig readRequest(const CellReader& cell, CabinetConfig c) {
    for (const ReadRow& r : readRows) {
        const CellValue v = cell(r.cell);
        switch (r.get) {
        case Get::TextOf:
            c.*r.text = textOf(v);
            break;
        case Get::Number:
            c.*r.flag = asNumber(v, r.cell) != 0;
            break;
        case Get::NotEmpty:
            c.*r.flag = !asText(v, r.cell).empty();
            break;
        case Get::Is: {
            const std::string t = asText(v, r.cell);
            c.*r.flag = std::find(r.words.begin(), r.words.end(), t) != r.words.end();
            break;
        }
        case Get::Showcase: {
            const std::string t = textOf(v);
            const auto* hit = std::find(std::begin(showcaseTypes), std::end(showcaseTypes), t);
            if (hit != std::end(showcaseTypes))
                c.RGVitrinTip = static_cast<int>(hit - std::begin(showcaseTypes));
            break;
        }
        case Get::Level:
            c.*r.level = levelOf(asNumber(v, r.cell));
            break;
        }
    }
    return c;
}

std::vector<std::pair<std::string, std::string>> controlSettings(const CabinetConfig& c) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const ReadRow& r : readRows) {
        std::string value;
        switch (r.get) {
        case Get::TextOf:
            value = c.*r.text;
            break;
        case Get::Number:
        case Get::NotEmpty:
            value = c.*r.flag ? "on" : "off";
            break;
        case Get::Is:
            value = c.*r.flag ? "selected" : "clear";
            break;
        case Get::Showcase:
            value = std::to_string(c.RGVitrinTip);
            break;
        case Get::Level:
            value = std::to_string(c.*r.level);
            break;
        }
        out.emplace_back(r.control, value);
    }
    return out;
}

} // namespace office

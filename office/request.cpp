// SPDX-License-Identifier: MIT
#include "office/request.h"

#include "estimate/config.h"
#include "estimate/config_fields.h"
#include "estimate/showcases.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <set>

namespace office {

namespace {

using estimate::CabinetConfig;
using estimate::Flag;
using estimate::Text;
using Level = estimate::Number;

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
    Flag box = nullptr;     // One, Yes, Count (when set); the first radio button for Type
    Text count = nullptr;
    const char* word = nullptr; // Type: the first button's word
    Flag box2 = nullptr;        // Type: the second radio button
    const char* word2 = nullptr;
    Level level = nullptr;
    std::vector<const char*> triggers = {};
};

using C = CabinetConfig;
// clang-format off
const WriteRow writeRows[] = {
    {.cell = "E14", .put = Put::Area},
    {.cell = "C17", .put = Put::One, .box = &C::CB3d},
    {.cell = "D17", .put = Put::Yes, .box = &C::CBDostavka},
    {.cell = "E17", .put = Put::One, .box = &C::CBSborka},
    {.cell = "E26", .put = Put::Count, .section = &C::CBStend, .count = &C::EditStendS},
    {.cell = "E27", .put = Put::Count, .section = &C::CBStend, .count = &C::EditStendL},
    {.cell = "E28", .put = Put::Count, .section = &C::CBStend, .count = &C::EditStendP},
    {.cell = "F26", .put = Put::Type, .section = &C::CBStend,
     .box = &C::RBStendPlastic, .word = "Пластиковая рамка",
     .box2 = &C::RBStendAllum, .word2 = "Золотой алюминиевый багет",
     .triggers = {"E26", "E27", "E28"}},
    {.cell = "E37", .put = Put::Count, .section = &C::CBPlakat, .count = &C::EditPlakatA4},
    {.cell = "E38", .put = Put::Count, .section = &C::CBPlakat, .count = &C::EditPlakatA3},
    {.cell = "E39", .put = Put::Count, .section = &C::CBPlakat, .count = &C::EditPlakatA2},
    {.cell = "E49", .put = Put::One, .section = &C::CBVitrin, .box = &C::CBVitrinSIZ},
    {.cell = "E50", .put = Put::One, .section = &C::CBVitrin, .box = &C::CBVitrinGO},
    {.cell = "E51", .put = Put::One, .section = &C::CBVitrin, .box = &C::CBVitrinEB},
    {.cell = "E52", .put = Put::One, .section = &C::CBVitrin, .box = &C::CBVitrinPB},
    {.cell = "E53", .put = Put::One, .section = &C::CBVitrin, .box = &C::CBVitrinPM},
    {.cell = "E54", .put = Put::Count, .section = &C::CBVitrin, .count = &C::EditVitrinPusto},
    {.cell = "E55", .put = Put::Count, .section = &C::CBVitrin, .count = &C::EditVitrinManeken},
    {.cell = "F49", .put = Put::Showcase, .section = &C::CBVitrin,
     .triggers = {"E49", "E50", "E51", "E52", "E53", "E54"}},
    {.cell = "E66", .put = Put::One, .section = &C::CBMebel, .box = &C::CBMebelPrepod},
    {.cell = "E67", .put = Put::Count, .section = &C::CBMebel, .box = &C::CBMebelStudent,
     .count = &C::EditMebelMest},
    {.cell = "F67", .put = Put::Type, .section = &C::CBMebel,
     .box = &C::RBMebelParta, .word = "Парта", .box2 = &C::RBMebelKreslo, .word2 = "Кресло",
     .triggers = {"E67"}},
    {.cell = "E68", .put = Put::One, .section = &C::CBMebel, .box = &C::CBMebelGarderob},
    {.cell = "E69", .put = Put::One, .section = &C::CBMebel, .box = &C::CBMebeShkaf},
    {.cell = "E70", .put = Put::One, .section = &C::CBMebel, .box = &C::CBMebelBed},
    {.cell = "H66", .put = Put::Level, .section = &C::CBMebel, .level = &C::TrackMebel,
     .triggers = {"E66", "E67", "E68", "E69", "E70"}},
    {.cell = "E80", .put = Put::One, .section = &C::CBComp, .box = &C::CBCompPrepod},
    {.cell = "F80", .put = Put::Type, .section = &C::CBComp,
     .box = &C::RBCompPrepodNote, .word = "Ноутбук",
     .box2 = &C::RBCompPrepodStatic, .word2 = "Стационарный компьютер",
     .triggers = {"E80"}},
    {.cell = "E81", .put = Put::Count, .section = &C::CBComp, .box = &C::CBCompStudent,
     .count = &C::EditCompStudent},
    {.cell = "F81", .put = Put::Type, .section = &C::CBComp,
     .box = &C::RBCompStudentNote, .word = "Ноутбук",
     .box2 = &C::RBCompStudentStatic, .word2 = "Стационарный компьютер",
     .triggers = {"E81"}},
    {.cell = "E82", .put = Put::One, .section = &C::CBComp, .box = &C::CBCompNet},
    {.cell = "F82", .put = Put::Type, .section = &C::CBComp,
     .box = &C::RBCompNetWifi, .word = "Wi-Fi", .box2 = &C::RBCompNetProvod, .word2 = "Проводная сеть",
     .triggers = {"E82"}},
    {.cell = "E83", .put = Put::One, .section = &C::CBComp, .box = &C::CBCompProector},
    {.cell = "E84", .put = Put::One, .section = &C::CBComp, .box = &C::CBCompTelephone},
    {.cell = "E85", .put = Put::One, .section = &C::CBComp, .box = &C::CBCompTV},
    {.cell = "E86", .put = Put::One, .section = &C::CBComp, .box = &C::CBCompPrinter},
    {.cell = "E87", .put = Put::One, .section = &C::CBComp, .box = &C::CBCompAudio},
    {.cell = "H80", .put = Put::Level, .section = &C::CBComp, .level = &C::TrackComp,
     .triggers = {"E80", "E81", "E83", "E84", "E85", "E86", "E87"}},
    {.cell = "E97", .put = Put::One, .section = &C::CBTeh, .box = &C::CBTehBoard},
    {.cell = "E98", .put = Put::One, .section = &C::CBTeh, .box = &C::CBTehProgramma},
    {.cell = "E99", .put = Put::One, .section = &C::CBTeh, .box = &C::CBTehTrenajer},
    {.cell = "E100", .put = Put::One, .section = &C::CBTeh, .box = &C::CBTehFilm},
    {.cell = "E101", .put = Put::One, .section = &C::CBTeh, .box = &C::CBTehBook},
    {.cell = "E102", .put = Put::One, .section = &C::CBTeh, .box = &C::CBTehTest},
    {.cell = "H97", .put = Put::Level, .section = &C::CBTeh, .level = &C::TrackTeh,
     .triggers = {"E97", "E98", "E99", "E100", "E101", "E102"}},
};
// clang-format on

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
    estimate::Member field; // its control is named after it
    std::vector<const char*> words = {};
};

// clang-format off
const ReadRow readRows[] = {
    {"E14", Get::TextOf, &C::EditSquare},
    {"C17", Get::Number, &C::CB3d},
    {"D17", Get::NotEmpty, &C::CBDostavka},
    {"E17", Get::Number, &C::CBSborka},
    {"E26", Get::TextOf, &C::EditStendS},
    {"E27", Get::TextOf, &C::EditStendL},
    {"E28", Get::TextOf, &C::EditStendP},
    {"F26", Get::Is, &C::RBStendPlastic, {"Пластиковая рамка"}},
    {"F26", Get::Is, &C::RBStendAllum, {"Серебряный алюминиевый багет", "Золотой алюминиевый багет"}},
    {"E37", Get::TextOf, &C::EditPlakatA4},
    {"E38", Get::TextOf, &C::EditPlakatA3},
    {"E39", Get::TextOf, &C::EditPlakatA2},
    {"E49", Get::Number, &C::CBVitrinSIZ},
    {"E50", Get::Number, &C::CBVitrinGO},
    {"E51", Get::Number, &C::CBVitrinEB},
    {"E52", Get::Number, &C::CBVitrinPB},
    {"E53", Get::Number, &C::CBVitrinPM},
    {"E54", Get::TextOf, &C::EditVitrinPusto},
    {"E55", Get::TextOf, &C::EditVitrinManeken},
    {"F49", Get::Showcase, &C::RGVitrinTip},
    {"H66", Get::Level, &C::TrackMebel},
    {"E66", Get::Number, &C::CBMebelPrepod},
    {"E67", Get::Number, &C::CBMebelStudent},
    {"E67", Get::TextOf, &C::EditMebelMest},
    {"E68", Get::Number, &C::CBMebelGarderob},
    {"E69", Get::Number, &C::CBMebeShkaf},
    {"E70", Get::Number, &C::CBMebelBed},
    {"F67", Get::Is, &C::RBMebelParta, {"Парта"}},
    {"F67", Get::Is, &C::RBMebelKreslo, {"Кресло"}},
    {"H80", Get::Level, &C::TrackComp},
    {"E80", Get::Number, &C::CBCompPrepod},
    {"F80", Get::Is, &C::RBCompPrepodNote, {"Ноутбук"}},
    {"F80", Get::Is, &C::RBCompPrepodStatic, {"Стационарный компьютер"}},
    {"E81", Get::Number, &C::CBCompStudent},
    {"E81", Get::TextOf, &C::EditCompStudent},
    {"F81", Get::Is, &C::RBCompStudentNote, {"Ноутбук"}},
    {"F81", Get::Is, &C::RBCompStudentStatic, {"Стационарный компьютер"}},
    {"E82", Get::Number, &C::CBCompNet},
    {"F82", Get::Is, &C::RBCompNetWifi, {"Wi-Fi"}},
    {"F82", Get::Is, &C::RBCompNetProvod, {"Проводная сеть"}},
    {"E83", Get::Number, &C::CBCompProector},
    {"E84", Get::Number, &C::CBCompTelephone},
    {"E85", Get::Number, &C::CBCompTV},
    {"E86", Get::Number, &C::CBCompPrinter},
    {"E87", Get::Number, &C::CBCompAudio},
    {"H97", Get::Level, &C::TrackTeh},
    {"E97", Get::Number, &C::CBTehBoard},
    {"E98", Get::Number, &C::CBTehProgramma},
    {"E99", Get::Number, &C::CBTehTrenajer},
    {"E100", Get::Number, &C::CBTehFilm},
    {"E101", Get::Number, &C::CBTehBook},
    {"E102", Get::Number, &C::CBTehTest},
};
// clang-format on

double readNumber(const std::string& text, bool* ok) {
    return QLocale().toDouble(QString::fromStdString(text), ok);
}

// A text where a number is expected converts with the locale, or the load fails. QLocale reads
// "nan" and "inf" as numbers too; neither is a count or a level (and clamping a NaN is
// undefined), so they fail as any other word does.
double asNumber(const CellValue& v, const char* cell) {
    switch (v.kind) {
    case CellValue::Kind::Empty:
        return 0;
    case CellValue::Kind::Number:
        if (!std::isfinite(v.number))
            throw ReadError(std::string(cell) + " holds a number that is not finite");
        return v.number;
    case CellValue::Kind::Text:
        break;
    }
    bool ok = false;
    const double n = readNumber(v.text, &ok);
    if (!ok || !std::isfinite(n))
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
    const double position = std::nearbyint(value / estimate::percentPerLevel); // half to even
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
            if (const estimate::ShowcaseType* t = estimate::showcaseType(c.RGVitrinTip);
                t && triggered(r))
                write(r.cell, std::string(t->caption));
            break;
        case Put::Level:
            if (triggered(r))
                write(r.cell, c.*r.level * estimate::percentPerLevel);
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
            c.*std::get<Text>(r.field) = textOf(v);
            break;
        case Get::Number:
            c.*std::get<Flag>(r.field) = asNumber(v, r.cell) != 0;
            break;
        case Get::NotEmpty:
            c.*std::get<Flag>(r.field) = !asText(v, r.cell).empty();
            break;
        case Get::Is: {
            const std::string t = asText(v, r.cell);
            c.*std::get<Flag>(r.field) =
                std::find(r.words.begin(), r.words.end(), t) != r.words.end();
            break;
        }
        case Get::Showcase: {
            const std::string t = textOf(v);
            const auto types = estimate::showcaseTypes();
            const auto hit = std::find_if(types.begin(), types.end(),
                                          [&](const auto& type) { return type.caption == t; });
            if (hit != types.end())
                c.*std::get<Level>(r.field) = static_cast<int>(hit - types.begin());
            break;
        }
        case Get::Level:
            c.*std::get<Level>(r.field) = levelOf(asNumber(v, r.cell));
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
            value = c.*std::get<Text>(r.field);
            break;
        case Get::Number:
        case Get::NotEmpty:
            value = c.*std::get<Flag>(r.field) ? "on" : "off";
            break;
        case Get::Is:
            value = c.*std::get<Flag>(r.field) ? "selected" : "clear";
            break;
        case Get::Showcase:
        case Get::Level:
            value = std::to_string(c.*std::get<Level>(r.field));
            break;
        }
        out.emplace_back(estimate::fieldName(r.field), value);
    }
    return out;
}

} // namespace office

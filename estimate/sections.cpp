// SPDX-License-Identifier: MIT
#include "estimate/sections.h"

#include "estimate/count.h"
#include "estimate/estimate.h"
#include "estimate/inputs.h"
#include "estimate/showcases.h"

#include <limits>

namespace estimate::detail {

using Cfg = CabinetConfig;
using Count = std::string Cfg::*;
using Flag = bool Cfg::*;

// ---------------------------------------------------------------------------------------------
// Reading counts and writing lines

std::int64_t percentOf(std::int64_t amount, int percent) {
    const std::int64_t scaled = amount * percent;
    const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
    std::int64_t q = magnitude / 100;
    const std::int64_t r = magnitude % 100;
    if (r > 50 || (r == 50 && q % 2 == 1))
        ++q;
    return scaled < 0 ? -q : q;
}

void PriceWriter::add(std::string text, std::int64_t price, std::int64_t share) {
    text += std::to_string(price);
    text += " руб.";
    doc_.append(text);
    total_ += price;
    installation_ += share;
}

void PriceWriter::single(std::string_view name, std::int64_t price, std::int64_t share) {
    add(std::string(name), price, share);
}

std::optional<std::int64_t> PriceWriter::count(std::string_view name, const std::string& text) {
    if (text == "0")
        return std::nullopt;
    const auto n = readCount(text);
    if (!n) {
        std::string message = "Количество \"";
        message += text;
        message += "\" в строке \"";
        message += name;
        message += "\" не является целым числом";
        throw EstimateError(message);
    }
    return n;
}

void PriceWriter::counted(std::string_view name, const std::string& countText,
                          std::int64_t unitPrice, int sharePercent) {
    if (const auto n = count(name, countText)) {
        const std::int64_t price = *n * unitPrice;
        add(std::string(name) + countText + " шт. = ", price, percentOf(price, sharePercent));
    }
}

void PriceWriter::countedPerPiece(std::string_view name, const std::string& countText,
                                  std::int64_t unitPrice, std::int64_t sharePerPiece) {
    if (const auto n = count(name, countText))
        add(std::string(name) + countText + " шт. = ", *n * unitPrice, *n * sharePerPiece);
}

namespace {

// Weight, volume and time passes read counts that do not convert as 0.
std::int64_t n(const Cfg& c, Count field) {
    return readCount(c.*field).value_or(0);
}

// A price or contribution of the form a * level + b.
struct Linear {
    std::int64_t a, b;
    std::int64_t at(int level) const { return a * level + b; }
};

// ---------------------------------------------------------------------------------------------
// Section 1: stands, slogans and agitation posters

struct StendRow {
    Count count;
    std::string_view plasticName;
    std::int64_t plasticPrice, plasticShare;
    std::string_view allumName;
    std::int64_t allumPrice, allumShare;
    std::int64_t weight, volume, minutes; // per piece
};

constexpr StendRow stendRows[] = {
    {&Cfg::EditStendS, "Стенды в пластиковом багете ― ", 4000, 400,
     "Стенды в алюминиевом багете ― ", 5000, 500, 5000, 20000, 15},
    {&Cfg::EditStendL, "Лозунги в пластиковом багете ― ", 2200, 400,
     "Лозунги в алюминиевом багете ― ", 2700, 500, 2500, 6000, 15},
    {&Cfg::EditStendP, "Агитационные плакаты в пластиковом багете ― ", 450, 200,
     "Агитационные плакаты в алюминиевом багете ― ", 600, 250, 600, 2500, 10},
};

void stendItems(const Cfg& c, PriceWriter& w) {
    for (const auto& r : stendRows) {
        if (c.RBStendPlastic)
            w.countedPerPiece(r.plasticName, c.*r.count, r.plasticPrice, r.plasticShare);
        else if (c.RBStendAllum)
            w.countedPerPiece(r.allumName, c.*r.count, r.allumPrice, r.allumShare);
    }
}

// Stands and posters add a fixed setting-up time and per-piece amounts.
constexpr std::int64_t setUpMinutes = 90;

template <class Rows> void perPieceSums(const Cfg& c, Sums& s, const Rows& rows) {
    s.minutes += setUpMinutes;
    for (const auto& r : rows) {
        const std::int64_t k = n(c, r.count);
        s.weight += r.weight * k;
        s.volume += r.volume * k;
        s.minutes += r.minutes * k;
    }
}

void stendSums(const Cfg& c, Sums& s) {
    perPieceSums(c, s, stendRows);
}

// ---------------------------------------------------------------------------------------------
// Section 2: posters in wall flip systems

struct PlakatRow {
    Count count;
    std::string_view name;
    std::int64_t price;
    int sharePercent;
    std::int64_t weight, volume, minutes; // per piece
};

constexpr PlakatRow plakatRows[] = {
    {&Cfg::EditPlakatA4, "Плакаты А4 в перекидной системе ― ", 150, 3, 25, 300, 1},
    {&Cfg::EditPlakatA3, "Плакаты А3 в перекидной системе ― ", 300, 3, 125, 2000, 2},
    {&Cfg::EditPlakatA2, "Плакаты А2 в перекидной системе ― ", 550, 2, 250, 4000, 2},
};

void plakatItems(const Cfg& c, PriceWriter& w) {
    for (const auto& r : plakatRows)
        w.counted(r.name, c.*r.count, r.price, r.sharePercent);
}

void plakatSums(const Cfg& c, Sums& s) {
    perPieceSums(c, s, plakatRows);
}

// ---------------------------------------------------------------------------------------------
// Section 3: showcases and mannequins

struct FilledVitrin {
    Flag box;
    std::string_view name;
    std::int64_t contents; // added to the base price
};

constexpr FilledVitrin filledVitrins[] = {
    {&Cfg::CBVitrinSIZ, "Витрина со средствами индивидуальной защиты ", 10000},
    {&Cfg::CBVitrinGO, "Витрина со средствами защиты при ЧС ", 10000},
    {&Cfg::CBVitrinEB, "Витрина со средствами защиты от электротока ", 10000},
    {&Cfg::CBVitrinPB, "Витрина со средствами защиты при пожаре ", 10000},
    {&Cfg::CBVitrinPM, "Витрина со средствами первой помощи ", 17000},
};

constexpr int filledSharePercent = 20; // of the base price, without the contents
constexpr int emptySharePercent = 20;
constexpr int maneken = 18000, manekenSharePercent = 5;
constexpr std::int64_t manekenWeight = 10000, manekenVolume = 160000;
constexpr std::int64_t vitrinMinutes = 150, manekenMinutes = 30;

void vitrinItems(const Cfg& c, PriceWriter& w) {
    const ShowcaseType* t = showcaseType(c.RGVitrinTip);
    if (!t)
        return; // no showcase type selected: nothing can be priced
    for (const auto& v : filledVitrins)
        if (c.*v.box)
            w.single(std::string(v.name) + std::string(t->offerLabel) + " = ",
                     t->price + v.contents, percentOf(t->price, filledSharePercent));
    w.counted("Пустые витрины для демонстрации СИЗ ― ", c.EditVitrinPusto, t->price,
              emptySharePercent);
    w.counted("Манекен в спецодежде и СИЗ ― ", c.EditVitrinManeken, maneken, manekenSharePercent);
}

void vitrinSums(const Cfg& c, Sums& s) {
    std::int64_t k = 0;
    for (const auto& v : filledVitrins)
        k += c.*v.box ? 1 : 0;
    const std::int64_t e = n(c, &Cfg::EditVitrinPusto);
    const std::int64_t m = n(c, &Cfg::EditVitrinManeken);
    if (const ShowcaseType* t = showcaseType(c.RGVitrinTip)) {
        s.weight += t->weight * (k + e);
        s.volume += t->volume * (k + e);
    }
    s.weight += manekenWeight * m;
    s.volume += manekenVolume * m;
    s.minutes += vitrinMinutes * (k + e) + manekenMinutes * m;
}

// ---------------------------------------------------------------------------------------------
// Section 4: furniture (level M of TrackMebel); every share is 10 % of the line's price

constexpr int mebelSharePercent = 10;

struct MebelSingle {
    Flag box;
    std::string_view name;
    Linear price, weight;
    std::int64_t volume, minutes;
};

// The single pieces in the order of the offer; the learners' and testing places stand
// between the first and the others.
constexpr MebelSingle mebelPrepod = {&Cfg::CBMebelPrepod,
                                     "Место преподавателя (стол, кресло, подкатная тумба) = ",
                                     {5000, 3500},
                                     {2500, 47500},
                                     300000,
                                     130};
constexpr MebelSingle mebelOthers[] = {
    {&Cfg::CBMebelGarderob, "Гардероб для одежды = ", {3000, 1000}, {5000, 25000}, 100000, 120},
    {&Cfg::CBMebeShkaf, "Шкаф для документов = ", {3700, 2300}, {4000, 36000}, 200000, 120},
    {&Cfg::CBMebelBed,
     "Кушетка для медицинского тренажера = ",
     {1500, 16500},
     {0, 40000},
     150000,
     60},
};

constexpr Linear studentPrice{1500, 3000}, testingPlacePrice{700, 3000};
// Per place: weight, volume, minutes.
constexpr Linear partaWeight{1000, 20000}, kresloWeight{1000, 15000},
    testingPlaceWeight{1000, 20000};
constexpr std::int64_t placeVolume = 120000, partaMinutes = 60, kresloMinutes = 40,
                       testingPlaceMinutes = 60;

bool testingPlacesWanted(const Cfg& c) {
    return c.CBComp && c.CBCompStudent;
}

void mebelSingle(const Cfg& c, PriceWriter& w, const MebelSingle& s) {
    if (c.*s.box) {
        const std::int64_t price = s.price.at(c.TrackMebel);
        w.single(s.name, price, percentOf(price, mebelSharePercent));
    }
}

void mebelItems(const Cfg& c, PriceWriter& w) {
    const int M = c.TrackMebel;
    mebelSingle(c, w, mebelPrepod);
    if (c.CBMebelStudent)
        w.counted(c.RBMebelParta ? "Учебные места (парта и стул) ― "
                                 : "Учебные места (лекционные кресла) ― ",
                  c.EditMebelMest, studentPrice.at(M), mebelSharePercent);
    if (testingPlacesWanted(c))
        w.counted("Место для тестирования (компьютерный стол и кресло) ― ", c.EditCompStudent,
                  testingPlacePrice.at(M), mebelSharePercent);
    for (const auto& s : mebelOthers)
        mebelSingle(c, w, s);
}

void mebelSums(const Cfg& c, Sums& s) {
    const int M = c.TrackMebel;
    auto single = [&](const MebelSingle& item) {
        if (c.*item.box) {
            s.weight += item.weight.at(M);
            s.volume += item.volume;
            s.minutes += item.minutes;
        }
    };
    single(mebelPrepod);
    if (c.CBMebelStudent) {
        const std::int64_t places = n(c, &Cfg::EditMebelMest);
        if (c.RBMebelParta) {
            s.weight += places * partaWeight.at(M);
            s.volume += places * placeVolume;
            s.minutes += places * partaMinutes;
        } else if (c.RBMebelKreslo) {
            s.weight += places * kresloWeight.at(M);
            s.volume += places * placeVolume;
            s.minutes += places * kresloMinutes;
        }
    }
    if (testingPlacesWanted(c)) {
        const std::int64_t places = n(c, &Cfg::EditCompStudent);
        s.weight += places * testingPlaceWeight.at(M);
        s.volume += places * placeVolume;
        s.minutes += places * testingPlaceMinutes;
    }
    for (const auto& item : mebelOthers)
        single(item);
}

// ---------------------------------------------------------------------------------------------
// Section 5: computers and equipment (level C of TrackComp; E of TrackTeh scales the volumes of
// the equipment); every share is 10 % of the line's price

constexpr int compSharePercent = 10;

constexpr Linear computerPrice{5000, 20000}, testingComputerPrice{3000, 20000};
// One computer: weight (level C), volume, minutes.
struct ComputerKind {
    Linear weight;
    std::int64_t volume, minutes;
};
constexpr ComputerKind notebook{{200, 2800}, 30000, 60};
constexpr ComputerKind desktop{{300, 9700}, 80000, 60};

struct Equipment {
    Flag box;
    std::string_view name;
    Linear price;  // level C
    Linear weight; // level C
    Linear volume; // level E
    std::int64_t minutes;
};

constexpr Equipment equipment[] = {
    {&Cfg::CBCompProector,
     "Видеопроектор, кронштейн и экран = ",
     {13000, 23000},
     {1000, 14000},
     {3000, 30000},
     240},
    {&Cfg::CBCompTelephone, "Телефон = ", {500, 1000}, {200, 800}, {1000, 10000}, 90},
    {&Cfg::CBCompTV, "Телевизор и DVD = ", {4000, 10000}, {3000, 7000}, {6000, 60000}, 120},
    {&Cfg::CBCompPrinter, "Принтер (МФУ) = ", {2000, 3000}, {1000, 4000}, {1000, 60000}, 60},
    {&Cfg::CBCompAudio, "Аудиосистема = ", {4000, 2000}, {1500, 2000}, {6000, 30000}, 180},
};

void compItems(const Cfg& c, PriceWriter& w) {
    const int C = c.TrackComp;
    if (c.CBCompPrepod) {
        const std::int64_t price = computerPrice.at(C);
        w.single(c.RBCompPrepodNote ? "Компьютер преподавателя (ноутбук) = "
                                    : "Компьютер преподавателя (стационарный) = ",
                 price, percentOf(price, compSharePercent));
    }
    if (c.CBCompStudent)
        w.counted(c.RBCompStudentNote ? "Компьютер для тестирования (ноутбук) ― "
                                      : "Компьютер для тестирования (стационарный) ― ",
                  c.EditCompStudent, testingComputerPrice.at(C), compSharePercent);
    for (const auto& e : equipment) {
        if (c.*e.box) {
            const std::int64_t price = e.price.at(C);
            w.single(e.name, price, percentOf(price, compSharePercent));
        }
    }
}

void compNetwork(const Cfg& c, PriceWriter& w) {
    if (c.CBCompNet && c.CBCompPrepod && c.CBCompStudent && c.EditCompStudent != "0")
        w.line(c.RBCompNetProvod ? "Проводка и настройка проводной сети = БЕСПЛАТНО"
                                 : "Настройка Wi-Fi сети = БЕСПЛАТНО");
}

void compSums(const Cfg& c, Sums& s) {
    const int C = c.TrackComp, E = c.TrackTeh;
    auto computers = [&](std::int64_t count, bool isNotebook, bool isDesktop) {
        const ComputerKind* kind = isNotebook ? &notebook : isDesktop ? &desktop : nullptr;
        if (!kind)
            return; // neither kind chosen
        s.weight += count * kind->weight.at(C);
        s.volume += count * kind->volume;
        s.minutes += count * kind->minutes;
    };
    if (c.CBCompPrepod)
        computers(1, c.RBCompPrepodNote, c.RBCompPrepodStatic);
    if (c.CBCompStudent)
        computers(n(c, &Cfg::EditCompStudent), c.RBCompStudentNote, c.RBCompStudentStatic);
    for (const auto& e : equipment) {
        if (c.*e.box) {
            s.weight += e.weight.at(C);
            s.volume += e.volume.at(E);
            s.minutes += e.minutes;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Section 6: training aids (level E of TrackTeh); no installation

struct TrainingAid {
    Flag box;
    std::string_view name;
    Linear price, weight, volume;
};

constexpr TrainingAid trainingAids[] = {
    {&Cfg::CBTehBoard,
     "Учебная (магнитно-маркерная) доска = ",
     {1500, 5000},
     {3000, 5000},
     {20000, 40000}},
    {&Cfg::CBTehProgramma,
     "Комплект мультимедийных программ по технике безопасности = ",
     {5000, 0},
     {500, 0},
     {1500, 0}},
    {&Cfg::CBTehTrenajer,
     "Тренажер для отработки навыков СЛР = ",
     {6000, 32000},
     {2000, 15000},
     {20000, 20000}},
    {&Cfg::CBTehFilm,
     "Комплект видеофильмов по технике безопасности = ",
     {3300, 0},
     {300, 0},
     {1000, 0}},
    {&Cfg::CBTehBook, "Комплект нормативной литературы = ", {2500, 0}, {1000, 0}, {3000, 0}},
    {&Cfg::CBTehTest, "Комплект компьютерных тестов = ", {1000, 0}, {200, 0}, {700, 0}},
};

void tehItems(const Cfg& c, PriceWriter& w) {
    for (const auto& a : trainingAids)
        if (c.*a.box)
            w.single(a.name, a.price.at(c.TrackTeh), 0);
}

void tehSums(const Cfg& c, Sums& s) {
    for (const auto& a : trainingAids) {
        if (c.*a.box) {
            s.weight += a.weight.at(c.TrackTeh);
            s.volume += a.volume.at(c.TrackTeh);
        }
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------

const Section sections[6] = {
    {"Стенды", "Установка стендов, лозунгов и плакатов = ",
     "В данном расчете отображается лишь примерная стоимость указанного количества стендов. "
     "Точная стоимость стендов - только после согласования необходимых стендов - стандартных "
     "или заказных, а также их характеристик",
     stendItems, nullptr, stendSums},
    {"Плакаты и настенные перекидные системы", "Установка и комплектация перекидных систем = ",
     "В расчетную стоимость включается стоимость плакатов и перекидных систем под указанное "
     "количество плакатов. Точная стоимость плакатов и перекидных систем для них - только после "
     "согласования перечня плакатов",
     plakatItems, nullptr, plakatSums},
    {"Витрины и манекены для демонстрации СИЗ", "Сборка и комплектация витрин = ",
     "В расчет стоимости витрин взят стандартный размер витрины и стандартная комплектация. "
     "Точная стоимость витрин - только после согласования  комплектации и размера витрин.",
     vitrinItems, nullptr, vitrinSums},
    {"Мебель", "Сборка и установка мебели = ",
     "Указанная стоимость выбранной мебели является оценочной и может меняться  в зависимости "
     "от выбираемой мебели на этапе согласования и проектирования кабинета",
     mebelItems, nullptr, mebelSums},
    {"Компьютеры и оргтехника",
     "Сборка и установка компьютеров и оргтехники + установка программного обеспечения и "
     "настройка = ",
     "Расчетная стоимость указанной техники является примерной и может меняться на этапе "
     "согласования проекта и выбора комплектующих",
     compItems, compNetwork, compSums},
    {"Дополнительные средства обучения", "",
     "На указанную расчетную стоимость мы подберем необходимое количество учебного материала, "
     "согласно Вашей заявке и пожеланиям",
     tehItems, nullptr, tehSums},
};

static_assert(std::size(sections) == std::size(sectionSwitches));

} // namespace estimate::detail

// SPDX-License-Identifier: MIT
// Whole estimates: the empty one, the window as it opens, the premium class, and bad input.
#include "support.h"

#include <gtest/gtest.h>

using namespace estimate;
using testing_support::allOff;
using testing_support::premiumAtArea10;
using testing_support::texts;

namespace {

const char* const title = "КОММЕРЧЕСКОЕ ПРЕДЛОЖЕНИЕ НА ОСНАЩЕНИЕ КАБИНЕТА ОХРАНЫ ТРУДА";
const char* const closing = "Стоимость является сметочной и корректируется после уточнения всех "
                            "комплектующих и услуг для создания Вашего кабинета";
const std::vector<std::string> deliveryLines = {
    "Доставка по Москве (в пределах МКАД) = БЕСПЛАТНО",
    "Доставка в другие города и регионы рассчитывается отдельно",
    "Осуществляем выезд специалистов для монтажа кабинета в другие города - услуга платная = "
    "БИЛЕТ туда-обратно на 2 человека"};

TEST(Estimate, EverySwitchOffGivesTheServicesBlockOnly) {
    DescriptionDocument doc;
    const auto f = calculate(allOff(), doc, ",");
    std::vector<std::string> expected = {title, "", "Проектирование, комплектация и доставка"};
    expected.insert(expected.end(), deliveryLines.begin(), deliveryLines.end());
    expected.insert(expected.end(), {"", "ИТОГО: 0 руб.", closing});
    EXPECT_EQ(texts(doc), expected);
    EXPECT_EQ(f, (ResultFields{"0 руб.", "0 м3", "0 кг", "1 дней"}));
    EXPECT_EQ(doc.picture(), "CALC");

    // Formats: centred bold title and heading, bulleted delivery lines, italic closing remark.
    const auto& p = doc.paragraphs();
    EXPECT_EQ(p[0].format.align, Align::Center);
    EXPECT_TRUE(p[0].format.bold());
    EXPECT_FALSE(p[0].format.italic());
    EXPECT_TRUE(p[3].format.bullets);
    EXPECT_FALSE(p[6].format.bullets);
    EXPECT_FALSE(p[7].format.italic());
    EXPECT_TRUE(p[8].format.italic());
    for (const auto& para : p)
        EXPECT_EQ(para.format.size, 10);
}

TEST(Estimate, WindowAsOpenedTakesOneDay) {
    DescriptionDocument doc;
    const auto f = calculate(CabinetConfig{}, doc, ",");
    EXPECT_EQ(f, (ResultFields{"0 руб.", "0 м3", "0 кг", "1 дней"}));
    EXPECT_EQ(computeTotals(CabinetConfig{}).minutes, 180);
    // Six headings, six remarks; italic starts with the first remark and stays.
    auto t = texts(doc);
    EXPECT_EQ(t.size(), 1u + 6 * 3 + 2 + 3 + 3);
    EXPECT_EQ(t[2], "Стенды");
    EXPECT_FALSE(doc.paragraphs()[2].format.italic());
    EXPECT_TRUE(doc.paragraphs()[3].format.italic());
    EXPECT_TRUE(doc.paragraphs()[5].format.italic()); // next heading is italic too
    EXPECT_FALSE(doc.paragraphs()[5].format.bullets);
}

TEST(Estimate, DeliveryBoxChangesNothing) {
    CabinetConfig a = premiumAtArea10(), b = a;
    b.CBDostavka = !a.CBDostavka;
    DescriptionDocument da, db;
    EXPECT_EQ(calculate(a, da, ","), calculate(b, db, ","));
    EXPECT_EQ(da.paragraphs(), db.paragraphs());
}

TEST(Estimate, ProjectAloneIsGrouped) {
    CabinetConfig c = allOff();
    c.CB3d = true;
    DescriptionDocument doc;
    const auto f = calculate(c, doc, ",");
    EXPECT_EQ(f.price, "25 000 руб.");
    EXPECT_EQ(texts(doc)[3], "3D проект = 25000 руб.");
    EXPECT_EQ(texts(doc).end()[-2], "ИТОГО: 25 000 руб.");
}

TEST(Estimate, SixDigitTotalHasTwoBlanksAfterTheColon) {
    CabinetConfig c = allOff();
    c.CBPlakat = true;
    c.EditPlakatA4 = "1000"; // typed limits do not bind program-set texts
    DescriptionDocument doc;
    EXPECT_EQ(calculate(c, doc, ",").price, " 150 000 руб.");
    EXPECT_EQ(texts(doc).end()[-2], "ИТОГО:  150 000 руб.");
}

// The premium class at area 10, computed by hand from the price tables:
//   stands (aluminium): 5*5000 + 3*2700 + 8*600 = 37900, installation 5*500+3*500+8*250 = 6000
//   posters: 100*150 + 200*300 + 300*550 = 240000, installation 450 + 1800 + 3300 = 5550
//   showcases (type 5, base 15000): 4*25000 + 32000 + 2*18000 = 168000,
//     installation 5*3000 + 5% of 36000 = 16800
//   furniture (M=10): 53500 + 7*18000 + 3*10000 + 31000 + 39300 + 31500 = 311300,
//     installation 10% = 31130
//   computers (C=10): 70000 + 3*50000 + 153000 + 6000 + 50000 + 23000 + 42000 = 494000,
//     installation 10% = 49400
//   training aids (E=10): 20000 + 50000 + 92000 + 33000 + 25000 + 10000 = 230000
//   3D project 25000
//   T = 43900 + 245550 + 184800 + 342430 + 543400 + 230000 + 25000 = 1615080 -> 1 615 000
//   weight: 37300 + 102500 + 170000 + 528500 + 145600 + 90000 = 1073900 g -> 1074 kg
//   volume: 138000 + 1630000 + 870000 + 1950000 + 680000 + 522000 = 5790000 cm3 -> 5,79 m3
//   time: 290 + 1190 + 810 + 890 + 930 = 4110 min -> 4110 div 720 + 1 = 6 days
TEST(Estimate, PremiumClassAtArea10) {
    DescriptionDocument doc;
    const auto f = calculate(premiumAtArea10(), doc, ",");
    EXPECT_EQ(f, (ResultFields{"1 615 000 руб.", "5,79 м3", "1074 кг", "6 дней"}));
    const Totals t = computeTotals(premiumAtArea10());
    EXPECT_EQ(t.price, 1615080);

    const std::vector<std::string> expected = {
        title,
        "",
        "Стенды",
        "Стенды в алюминиевом багете ― 5 шт. = 25000 руб.",
        "Лозунги в алюминиевом багете ― 3 шт. = 8100 руб.",
        "Агитационные плакаты в алюминиевом багете ― 8 шт. = 4800 руб.",
        "Установка стендов, лозунгов и плакатов = 6000 руб.",
        "В данном расчете отображается лишь примерная стоимость указанного количества стендов. "
        "Точная стоимость стендов - только после согласования необходимых стендов - стандартных "
        "или заказных, а также их характеристик",
        "",
        "Плакаты и настенные перекидные системы",
        "Плакаты А4 в перекидной системе ― 100 шт. = 15000 руб.",
        "Плакаты А3 в перекидной системе ― 200 шт. = 60000 руб.",
        "Плакаты А2 в перекидной системе ― 300 шт. = 165000 руб.",
        "Установка и комплектация перекидных систем = 5550 руб.",
        "В расчетную стоимость включается стоимость плакатов и перекидных систем под указанное "
        "количество плакатов. Точная стоимость плакатов и перекидных систем для них - только после "
        "согласования перечня плакатов",
        "",
        "Витрины и манекены для демонстрации СИЗ",
        "Витрина со средствами индивидуальной защиты (витрина-прилавок с накопителем) = 25000 руб.",
        "Витрина со средствами защиты при ЧС (витрина-прилавок с накопителем) = 25000 руб.",
        "Витрина со средствами защиты от электротока (витрина-прилавок с накопителем) = 25000 руб.",
        "Витрина со средствами защиты при пожаре (витрина-прилавок с накопителем) = 25000 руб.",
        "Витрина со средствами первой помощи (витрина-прилавок с накопителем) = 32000 руб.",
        "Манекен в спецодежде и СИЗ ― 2 шт. = 36000 руб.",
        "Сборка и комплектация витрин = 16800 руб.",
        "В расчет стоимости витрин взят стандартный размер витрины и стандартная комплектация. "
        "Точная стоимость витрин - только после согласования  комплектации и размера витрин.",
        "",
        "Мебель",
        "Место преподавателя (стол, кресло, подкатная тумба) = 53500 руб.",
        "Учебные места (лекционные кресла) ― 7 шт. = 126000 руб.",
        "Место для тестирования (компьютерный стол и кресло) ― 3 шт. = 30000 руб.",
        "Гардероб для одежды = 31000 руб.",
        "Шкаф для документов = 39300 руб.",
        "Кушетка для медицинского тренажера = 31500 руб.",
        "Сборка и установка мебели = 31130 руб.",
        "Указанная стоимость выбранной мебели является оценочной и может меняться  в зависимости "
        "от выбираемой мебели на этапе согласования и проектирования кабинета",
        "",
        "Компьютеры и оргтехника",
        "Компьютер преподавателя (стационарный) = 70000 руб.",
        "Компьютер для тестирования (стационарный) ― 3 шт. = 150000 руб.",
        "Видеопроектор, кронштейн и экран = 153000 руб.",
        "Телефон = 6000 руб.",
        "Телевизор и DVD = 50000 руб.",
        "Принтер (МФУ) = 23000 руб.",
        "Аудиосистема = 42000 руб.",
        "Сборка и установка компьютеров и оргтехники + установка программного обеспечения и "
        "настройка = 49400 руб.",
        "Настройка Wi-Fi сети = БЕСПЛАТНО",
        "Расчетная стоимость указанной техники является примерной и может меняться на этапе "
        "согласования проекта и выбора комплектующих",
        "",
        "Дополнительные средства обучения",
        "Учебная (магнитно-маркерная) доска = 20000 руб.",
        "Комплект мультимедийных программ по технике безопасности = 50000 руб.",
        "Тренажер для отработки навыков СЛР = 92000 руб.",
        "Комплект видеофильмов по технике безопасности = 33000 руб.",
        "Комплект нормативной литературы = 25000 руб.",
        "Комплект компьютерных тестов = 10000 руб.",
        "На указанную расчетную стоимость мы подберем необходимое количество учебного материала, "
        "согласно Вашей заявке и пожеланиям",
        "",
        "Проектирование, комплектация и доставка",
        "3D проект = 25000 руб.",
        deliveryLines[0],
        deliveryLines[1],
        deliveryLines[2],
        "",
        "ИТОГО: 1 615 000 руб.",
        closing,
    };
    EXPECT_EQ(texts(doc), expected);
}

// Bad count texts: the price pass stops with a clear error and keeps what it wrote so far;
// the other passes count what does not convert as 0; large counts never overflow.
struct BadCase {
    const char* name;
    std::string CabinetConfig::*field;
    const char* text;
    bool throws;
    std::int64_t total; // when it does not throw
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

class BadCounts : public testing::TestWithParam<BadCase> {};

TEST_P(BadCounts, ErrorOrRightSum) {
    const auto& p = GetParam();
    CabinetConfig c;
    c.CBMebelStudent = c.CBCompStudent = true;
    c.*p.field = p.text;
    DescriptionDocument doc;
    if (p.throws) {
        try {
            calculate(c, doc, ",");
            FAIL() << "no error";
        } catch (const EstimateError& e) {
            EXPECT_NE(std::string(e.what()).find(p.text), std::string::npos) << e.what();
        }
        ASSERT_FALSE(doc.paragraphs().empty());
        EXPECT_NE(doc.paragraphs().back().text, closing);
    } else {
        EXPECT_EQ(computeTotals(c).price, p.total);
        EXPECT_NO_THROW(calculate(c, doc, ","));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadCounts,
    testing::Values(
        BadCase{"Letters", &CabinetConfig::EditStendS, "abc", true, 0},
        BadCase{"Empty", &CabinetConfig::EditPlakatA3, "", true, 0},
        BadCase{"Blank", &CabinetConfig::EditVitrinManeken, " 1", true, 0},
        BadCase{"Negative", &CabinetConfig::EditStendL, "-3", true, 0},
        BadCase{"TooLargeForAnInteger", &CabinetConfig::EditMebelMest, "99999999999", true, 0},
        BadCase{"NineDigits", &CabinetConfig::EditPlakatA2, "999999999", false, 999999999LL * 550},
        // A 999999999 m2 room gives 666666666 study places: 666666666 * 4500
        BadCase{"AreaDerivedPlaces", &CabinetConfig::EditMebelMest, "666666666", false,
                666666666LL * 4500},
        BadCase{"LeadingZeros", &CabinetConfig::EditCompStudent, "0009", false,
                9 * 23000 + 9 * 3700}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BadCounts, ErrorKeepsLinesWrittenBeforeTheItem) {
    CabinetConfig c = allOff();
    c.CBStend = true;
    c.EditStendS = "3";
    c.EditStendL = "x";
    DescriptionDocument doc;
    EXPECT_THROW(calculate(c, doc, ","), EstimateError);
    EXPECT_EQ(texts(doc).back(), "Стенды в алюминиевом багете ― 3 шт. = 15000 руб.");
}

TEST(BadCounts, OtherPassesCountUnreadableTextsAsZero) {
    CabinetConfig c = allOff();
    c.CBMebel = true; // learners' places box off: the price pass never reads the count
    c.EditMebelMest = "abc";
    EXPECT_EQ(computeTotals(c).weight, 0);
    c.CBStend = true;
    c.RBStendAllum = false; // no frame: no price lines read the counts, the passes do
    c.EditStendS = "zz";
    c.EditStendL = "2";
    const Totals t = computeTotals(c);
    EXPECT_EQ(t.weight, 5000);
    EXPECT_EQ(t.minutes, 90 + 30);
}

TEST(BadCounts, HugeAreaDerivedSumsStayExact) {
    CabinetConfig c;
    c.CBMebelStudent = true;
    c.RBMebelParta = true;
    c.RBMebelKreslo = false;
    c.TrackMebel = 10;
    c.EditMebelMest = "666666666";
    DescriptionDocument doc;
    const auto f = calculate(c, doc, ",");
    // 666666666 * 18000 = 11999999988000 roubles, plus nothing else
    EXPECT_EQ(f.price, "11 999 999 988 000 руб.");
    // 666666666 * 30000 g = 19999999980000 g = 19999999980 kg
    EXPECT_EQ(f.weight, "19999999980 кг");
    // 666666666 * 120000 cm3 = 80000000 m3 minus 0.08
    EXPECT_EQ(f.volume, "79999999,92 м3");
}

} // namespace

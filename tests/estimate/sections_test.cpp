// SPDX-License-Identifier: MIT
// Section blocks for hand-computed configurations: lines, prices, installation amounts and
// contributions to weight, volume and time.
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace estimate;
using testing_support::allOff;
using testing_support::texts;

namespace {

const std::string stendRemark =
    "В данном расчете отображается лишь примерная стоимость указанного количества стендов. "
    "Точная стоимость стендов - только после согласования необходимых стендов - стандартных или "
    "заказных, а также их характеристик";
const std::string plakatRemark =
    "В расчетную стоимость включается стоимость плакатов и перекидных систем под указанное "
    "количество плакатов. Точная стоимость плакатов и перекидных систем для них - только после "
    "согласования перечня плакатов";
const std::string vitrinRemark =
    "В расчет стоимости витрин взят стандартный размер витрины и стандартная комплектация. "
    "Точная стоимость витрин - только после согласования  комплектации и размера витрин.";
const std::string mebelRemark =
    "Указанная стоимость выбранной мебели является оценочной и может меняться  в зависимости от "
    "выбираемой мебели на этапе согласования и проектирования кабинета";
const std::string compRemark = "Расчетная стоимость указанной техники является примерной и может "
                               "меняться на этапе согласования проекта и выбора комплектующих";
const std::string tehRemark = "На указанную расчетную стоимость мы подберем необходимое "
                              "количество учебного материала, согласно Вашей заявке и пожеланиям";
const std::string compInstall = "Сборка и установка компьютеров и оргтехники + установка "
                                "программного обеспечения и настройка = ";

struct SectionCase {
    const char* name;
    std::function<void(CabinetConfig&)> setup;
    std::vector<std::string> block; // heading .. remark
    std::int64_t total;             // before rounding
    std::int64_t weight, volume, minutes;
};

// The paragraphs from the first section heading up to the last section remark.
std::vector<std::string> sectionBlocks(const DescriptionDocument& doc) {
    auto all = texts(doc);
    auto services = std::find(all.begin(), all.end(), "Проектирование, комплектация и доставка");
    if (services - all.begin() < 3)
        return {};
    return {all.begin() + 2, services - 1};
}

void PrintTo(const SectionCase& c, std::ostream* os) {
    *os << c.name;
}

class Sections : public testing::TestWithParam<SectionCase> {};

TEST_P(Sections, BlockTotalAndPasses) {
    const auto& p = GetParam();
    CabinetConfig c = allOff();
    p.setup(c);
    DescriptionDocument doc;
    calculate(c, doc, ",");
    EXPECT_EQ(sectionBlocks(doc), p.block);
    const Totals t = computeTotals(c);
    EXPECT_EQ(t.price, p.total);
    EXPECT_EQ(t.weight, p.weight);
    EXPECT_EQ(t.volume, p.volume);
    EXPECT_EQ(t.minutes, p.minutes);
}

const SectionCase cases[] = {
    {"AluminiumStandsWithAssembly",
     [](CabinetConfig& c) {
         c.CBStend = c.CBSborka = true;
         c.EditStendS = "2";
     },
     {"Стенды", "Стенды в алюминиевом багете ― 2 шт. = 10000 руб.",
      "Установка стендов, лозунгов и плакатов = 1000 руб.", stendRemark},
     11000,
     10000,
     40000,
     90 + 30},
    {"PlasticSlogansAndPosters",
     [](CabinetConfig& c) {
         c.CBStend = c.CBSborka = true;
         c.RBStendPlastic = true;
         c.RBStendAllum = false;
         c.EditStendL = "3";
         c.EditStendP = "5";
     },
     {"Стенды", "Лозунги в пластиковом багете ― 3 шт. = 6600 руб.",
      "Агитационные плакаты в пластиковом багете ― 5 шт. = 2250 руб.",
      "Установка стендов, лозунгов и плакатов = 2200 руб.", stendRemark},
     6600 + 2250 + 2200,
     3 * 2500 + 5 * 600,
     3 * 6000 + 5 * 2500,
     90 + 45 + 50},
    {"StandsWithoutAssemblyKeepSharesOut",
     [](CabinetConfig& c) {
         c.CBStend = true;
         c.EditStendS = "2";
     },
     {"Стенды", "Стенды в алюминиевом багете ― 2 шт. = 10000 руб.", stendRemark},
     10000,
     10000,
     40000,
     120},
    {"BothFrameButtonsOffStillWeighs",
     [](CabinetConfig& c) {
         c.CBStend = c.CBSborka = true;
         c.RBStendAllum = false;
         c.EditStendS = "4";
     },
     {"Стенды", stendRemark},
     0,
     20000,
     80000,
     90 + 60},
    {"EmptySectionsWriteHeadingAndRemark",
     [](CabinetConfig& c) { c.CBStend = c.CBPlakat = c.CBVitrin = c.CBSborka = true; },
     {"Стенды", stendRemark, "", "Плакаты и настенные перекидные системы", plakatRemark, "",
      "Витрины и манекены для демонстрации СИЗ", vitrinRemark},
     0,
     0,
     0,
     180},
    {"OneA4PosterShareRoundsDown",
     [](CabinetConfig& c) {
         c.CBPlakat = c.CBSborka = true;
         c.EditPlakatA4 = "1";
     },
     {"Плакаты и настенные перекидные системы",
      "Плакаты А4 в перекидной системе ― 1 шт. = 150 руб.",
      "Установка и комплектация перекидных систем = 4 руб.", plakatRemark},
     154,
     25,
     300,
     91},
    {"ThreeAndSevenA4PostersRoundUp",
     [](CabinetConfig& c) {
         c.CBPlakat = c.CBSborka = true;
         c.EditPlakatA4 = "3";
         c.EditPlakatA2 = "7";
     },
     // 3 * 150 * 3 % = 13.5 -> 14; 7 * 550 * 2 % = 77
     {"Плакаты и настенные перекидные системы",
      "Плакаты А4 в перекидной системе ― 3 шт. = 450 руб.",
      "Плакаты А2 в перекидной системе ― 7 шт. = 3850 руб.",
      "Установка и комплектация перекидных систем = 91 руб.", plakatRemark},
     450 + 3850 + 91,
     75 + 1750,
     900 + 28000,
     90 + 3 + 14},
    {"SevenA4PostersHalfGoesToEven",
     [](CabinetConfig& c) {
         c.CBPlakat = c.CBSborka = true;
         c.EditPlakatA4 = "7";
     },
     {"Плакаты и настенные перекидные системы",
      "Плакаты А4 в перекидной системе ― 7 шт. = 1050 руб.",
      "Установка и комплектация перекидных систем = 32 руб.", plakatRemark},
     1082,
     175,
     2100,
     97},
    {"ShowcaseType3WithEmptyShowcases",
     [](CabinetConfig& c) {
         c.CBVitrin = c.CBSborka = true;
         c.RGVitrinTip = 3;
         c.CBVitrinSIZ = c.CBVitrinPM = true;
         c.EditVitrinPusto = "2";
     },
     {"Витрины и манекены для демонстрации СИЗ",
      "Витрина со средствами индивидуальной защиты (витрина-шкаф с накопителем и подсветкой) = "
      "37000 руб.",
      "Витрина со средствами первой помощи (витрина-шкаф с накопителем и подсветкой) = 44000 руб.",
      "Пустые витрины для демонстрации СИЗ ― 2 шт. = 54000 руб.",
      "Сборка и комплектация витрин = 21600 руб.", vitrinRemark},
     37000 + 44000 + 54000 + 21600,
     4 * 50000,
     4 * 120000,
     4 * 150},
    {"MannequinCountDoubleZero",
     [](CabinetConfig& c) {
         c.CBVitrin = c.CBSborka = true;
         c.EditVitrinManeken = "00";
     },
     {"Витрины и манекены для демонстрации СИЗ", "Манекен в спецодежде и СИЗ ― 00 шт. = 0 руб.",
      vitrinRemark},
     0,
     0,
     0,
     0},
    {"ShowcaseType7LabelReadsLamps",
     [](CabinetConfig& c) {
         c.CBVitrin = true;
         c.RGVitrinTip = 7;
         c.CBVitrinGO = true;
         c.EditVitrinManeken = "1";
     },
     {"Витрины и манекены для демонстрации СИЗ",
      "Витрина со средствами защиты при ЧС (витрина-прилавок со стендовой частью и подсветкой) = "
      "36000 руб.",
      "Манекен в спецодежде и СИЗ ― 1 шт. = 18000 руб.", vitrinRemark},
     54000,
     40000 + 10000,
     115000 + 160000,
     150 + 30},
    {"TenLearnersPlacesDesks",
     [](CabinetConfig& c) {
         c.CBMebel = c.CBSborka = c.CBMebelStudent = true;
         c.EditMebelMest = "10";
         c.RBMebelParta = true;
         c.RBMebelKreslo = false;
     },
     {"Мебель", "Учебные места (парта и стул) ― 10 шт. = 45000 руб.",
      "Сборка и установка мебели = 4500 руб.", mebelRemark},
     49500,
     210000,
     1200000,
     600},
    {"TenLearnersPlacesLectureChairs",
     [](CabinetConfig& c) {
         c.CBMebel = c.CBSborka = c.CBMebelStudent = true;
         c.EditMebelMest = "10";
     },
     {"Мебель", "Учебные места (лекционные кресла) ― 10 шт. = 45000 руб.",
      "Сборка и установка мебели = 4500 руб.", mebelRemark},
     49500,
     160000,
     1200000,
     400},
    {"LearnersBothKindsOffPriceOnly",
     [](CabinetConfig& c) {
         c.CBMebel = c.CBMebelStudent = true;
         c.EditMebelMest = "2";
         c.RBMebelKreslo = false;
     },
     {"Мебель", "Учебные места (лекционные кресла) ― 2 шт. = 9000 руб.", mebelRemark},
     9000,
     0,
     0,
     0},
    {"TeacherPlaceAtTopComfort",
     [](CabinetConfig& c) {
         c.CBMebel = c.CBSborka = c.CBMebelPrepod = true;
         c.TrackMebel = 10;
     },
     {"Мебель", "Место преподавателя (стол, кресло, подкатная тумба) = 53500 руб.",
      "Сборка и установка мебели = 5350 руб.", mebelRemark},
     58850,
     72500,
     300000,
     130},
    {"TestingPlacesNeedTheComputersSection",
     [](CabinetConfig& c) {
         c.CBMebel = c.CBCompStudent = true;
         c.EditCompStudent = "4";
     },
     {"Мебель", mebelRemark},
     0,
     0,
     0,
     0},
    {"TestingPlacesWithBothSections",
     [](CabinetConfig& c) {
         c.CBMebel = c.CBComp = c.CBCompStudent = true;
         c.EditCompStudent = "2";
     },
     {"Мебель", "Место для тестирования (компьютерный стол и кресло) ― 2 шт. = 7400 руб.",
      mebelRemark, "", "Компьютеры и оргтехника",
      "Компьютер для тестирования (стационарный) ― 2 шт. = 46000 руб.", compRemark},
     7400 + 46000,
     2 * 21000 + 2 * 10000,
     2 * 120000 + 2 * 80000,
     120 + 120},
    {"NetworkNeedsAssemblyAndBothComputers",
     [](CabinetConfig& c) {
         c.CBComp = c.CBSborka = c.CBCompPrepod = c.CBCompStudent = c.CBCompNet = true;
         c.RBCompPrepodNote = true;
         c.RBCompPrepodStatic = false;
         c.EditCompStudent = "1";
         c.RBCompNetProvod = true;
         c.RBCompNetWifi = false;
     },
     {"Компьютеры и оргтехника", "Компьютер преподавателя (ноутбук) = 25000 руб.",
      "Компьютер для тестирования (стационарный) ― 1 шт. = 23000 руб.", compInstall + "4800 руб.",
      "Проводка и настройка проводной сети = БЕСПЛАТНО", compRemark},
     52800,
     3000 + 10000,
     30000 + 80000,
     120},
    {"NetworkWithoutAssemblyIsNotWritten",
     [](CabinetConfig& c) {
         c.CBComp = c.CBCompPrepod = c.CBCompStudent = c.CBCompNet = true;
         c.EditCompStudent = "1";
     },
     {"Компьютеры и оргтехника", "Компьютер преподавателя (стационарный) = 25000 руб.",
      "Компьютер для тестирования (стационарный) ― 1 шт. = 23000 руб.", compRemark},
     48000,
     20000,
     160000,
     120},
    {"NetworkWithoutTeacherComputer",
     [](CabinetConfig& c) {
         c.CBComp = c.CBSborka = c.CBCompStudent = c.CBCompNet = true;
         c.EditCompStudent = "1";
     },
     {"Компьютеры и оргтехника", "Компьютер для тестирования (стационарный) ― 1 шт. = 23000 руб.",
      compInstall + "2300 руб.", compRemark},
     25300,
     10000,
     80000,
     60},
    {"NetworkBothButtonsOffIsWireless",
     [](CabinetConfig& c) {
         c.CBComp = c.CBSborka = c.CBCompPrepod = c.CBCompStudent = c.CBCompNet = true;
         c.EditCompStudent = "1";
         c.RBCompNetWifi = false;
     },
     {"Компьютеры и оргтехника", "Компьютер преподавателя (стационарный) = 25000 руб.",
      "Компьютер для тестирования (стационарный) ― 1 шт. = 23000 руб.", compInstall + "4800 руб.",
      "Настройка Wi-Fi сети = БЕСПЛАТНО", compRemark},
     52800,
     20000,
     160000,
     120},
    {"ComputersBothKindsOffPriceOnly",
     [](CabinetConfig& c) {
         c.CBComp = c.CBCompPrepod = true;
         c.RBCompPrepodStatic = false;
     },
     {"Компьютеры и оргтехника", "Компьютер преподавателя (стационарный) = 25000 руб.", compRemark},
     25000,
     0,
     0,
     0},
    {"ProjectorScalesVolumeWithTrainingLevel",
     [](CabinetConfig& c) {
         c.CBComp = c.CBCompProector = true;
         c.TrackComp = 10;
         c.TrackTeh = 1;
     },
     {"Компьютеры и оргтехника", "Видеопроектор, кронштейн и экран = 153000 руб.", compRemark},
     153000,
     24000,
     33000,
     240},
    {"TrainingAidsHaveNoInstallation",
     [](CabinetConfig& c) { c.CBTeh = c.CBSborka = c.CBTehBoard = c.CBTehProgramma = true; },
     {"Дополнительные средства обучения", "Учебная (магнитно-маркерная) доска = 6500 руб.",
      "Комплект мультимедийных программ по технике безопасности = 5000 руб.", tehRemark},
     11500,
     8000 + 500,
     60000 + 1500,
     0},
    {"ItemBoxesInSwitchedOffSectionsAreIgnored",
     [](CabinetConfig& c) {
         c.CBSborka = true;
         c.CBTehBoard = c.CBCompTV = c.CBMebelBed = c.CBVitrinSIZ = true;
         c.EditStendS = c.EditPlakatA4 = "9";
     },
     {},
     0,
     0,
     0,
     0},
};

INSTANTIATE_TEST_SUITE_P(Table, Sections, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Sections, MovingTheTechnicalLevelChangesNoVolumeOrTime) {
    CabinetConfig c = allOff();
    c.CBComp = c.CBCompPrepod = c.CBCompStudent = c.CBCompProector = c.CBCompTV = true;
    c.EditCompStudent = "3";
    const Totals low = computeTotals(c);
    c.TrackComp = 9;
    const Totals high = computeTotals(c);
    EXPECT_GT(high.price, low.price);
    EXPECT_GT(high.weight, low.weight);
    EXPECT_EQ(high.volume, low.volume);
    EXPECT_EQ(high.minutes, low.minutes);
    c.TrackTeh = 5; // the equipment's volume follows the training-aids level
    EXPECT_GT(computeTotals(c).volume, high.volume);
}

} // namespace

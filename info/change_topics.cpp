// SPDX-License-Identifier: MIT
#include "info/change_topics.h"

#include "estimate/config.h"
#include "info/seller.h"
#include "info/topic_writer.h"

#include <algorithm>
#include <string>

namespace info {

namespace {

struct SectionTopic {
    std::string_view switchName;
    std::string_view picture;
    std::string_view title; // while ticked; while clear the last word reads "ВЫКЛЮЧЕНА"
    std::string_view bulletOn;
    std::string_view bulletOff;
};

struct LevelTopic {
    std::string_view sliderName;
    std::string_view picture;
    std::string_view titlePrefix; // the level in percent follows
    std::string_view rangeLine;   // the range in percent follows
    std::string_view bands[3];    // positions 1 to 4, 5 to 7, 8 to 10
    std::string_view closing;
};

struct ClassTopic {
    std::string_view title; // two lines
    std::string_view bullets[10];
};

// clang-format off
const SectionTopic sections[] = {
    {"CBStend", "PSTEND", "Панель расчета стендов ВКЛЮЧЕНА",
     "Выключите панель для исключения стендов из расчетной стоимости",
     "Включите панель для включения стендов в расчетную стоимость"},
    {"CBPlakat", "PPER", "Панель расчета плакатов и перекидных систем ВКЛЮЧЕНА",
     "Выключите панель для исключения плакатов и перекидных систем из расчетной стоимости",
     "Включите панель для включения плакатов и перекидных систем в расчетную стоимость"},
    {"CBVitrin", "PVIT", "Панель расчета витрин и манекенов для демонстрации СИЗ ВКЛЮЧЕНА",
     "Выключите панель для исключения витрин и манекенов для демонстрации СИЗ из расчетной стоимости",
     "Включите панель для включения витрин и манекенов для демонстрации СИЗ в расчетную стоимость"},
    {"CBMebel", "PMEBEL", "Панель расчета мебели ВКЛЮЧЕНА",
     "Выключите панель для исключения мебели из расчетной стоимости",
     "Включите панель для включения мебели в расчетную стоимость"},
    {"CBComp", "PTEH", "Панель расчета компьютеров и оргтехники ВКЛЮЧЕНА",
     "Выключите панель для исключения компьютеров, мультимедийного оборудования и оргтехники из расчетной стоимости",
     "Включите панель для включения компьютеров, мультимедийного оборудования и оргтехники в расчетную стоимость"},
    {"CBTeh", "PTEACH", "Панель расчета средств обучения ВКЛЮЧЕНА",
     "Выключите панель для исключения средств обучения из расчетной стоимости",
     "Включите панель для включения средств обучения в расчетную стоимость"},
};

const LevelTopic levels[] = {
    {"TrackMebel", "PMEBEL",
     "ПОКАЗАТЕЛЬ УРОВНЯ КОМФОРТА МЕБЕЛИ = ",
     "Уровень комфорта задается в процентах - ",
     {"Экономный вариант изготовления мебели - скромно, но со вкусом",
      "Оптимальный вариант мебельной комплектации - соответствие цена-качество",
      "Идеальный вариант мебели - высокое качество, стильный дизайн и высокие эксплуатационные характеристики - лучшие производители"},
     "Регулятор влияет только на стоимость комплектации - перечень и содержание обсуждаются на этапе согласования проекта"},
    {"TrackComp", "PTEH",
     "ПОКАЗАТЕЛЬ ТЕХНИЧЕСКОГО УРОВНЯ КОМПЬЮТЕРОВ И ОРГТЕХНИКИ = ",
     "Технический уровень задается в процентах - ",
     {"Экономный вариант комплектации компьютеров и техники",
      "Оптимальный вариант компьютерной комплектации - соответствие цена-качество",
      "Идеальный технический вариант комплектации - высокое качество, производительность и внешний дизайн - лучшие брэнды"},
     "Регулятор влияет только на стоимость компьютерной техники - производители, оборудование и характеристики обсуждаются на этапе согласования проекта"},
    {"TrackTeh", "PTEACH",
     "ПОКАЗАТЕЛЬ УРОВНЯ КОМПЛЕКТАЦИИ СРЕДСТВАМИ ОБУЧЕНИЯ = ",
     "Уровень комплектации задается в процентах - ",
     {"Экономный вариант комплектации учебным материалом - всего понемножку",
      "Оптимальный вариант поставки учебного материала - соответствие - то, что Вам необходимо",
      "Идеальный вариант комплектации учебным материалом - в Вашем кабинете есть всё"},
     "Регулятор влияет только на стоимость комплектации - состав учебного материала обсуждается на этапе согласования проекта"},
};

constexpr std::string_view deliveryTitle = "Доставка комплектующих кабинета";
constexpr std::string_view deliveryLines[] = {
    "Доставка комплектующих по Москве и близжайшему подмосковью - бесплатная",
    "Доставка комплектующих до транспортных компаний - бесплатно",
    "Стоимость доставки комплектующих до других городов России рассчитывается отдельно",
};

constexpr std::string_view assemblyTitle = "Сборка и установка кабинета под ключ";
constexpr std::string_view assemblyLines[] = {
    "Сборка и установка оборудования производится в отремонтированных и убранных помещениях",
    "Монтаж стендов и перекидных систем с плакатами",
    "Сборка витрин, манекенов и комплектация СИЗ",
    "Сборка и установка мебели",
    "Подключение и настройка компьютеров и оборудования",
    "Установка необходимого программного обеспечения",
    "Услуга платная - составляет 10% от стоимости комплектующих",
    "Ваш кабинет полностью готов к эксплуатации",
};

const ClassTopic classes[] = {
    {"Кабинет Охраны Труда «ПРЕМИУМ»\nкабинет, в котором всё самое лучшее",
     {"Стенды по технике безопасности в золотом или серебряном алюминиевом багете с объемными заголовками",
      "Лозунги по технике безопасности в золотом или серебряном алюминиевом багете",
      "Агитационные плакаты по технике безопасности в золотом или серебряном алюминиевом багете",
      "Настенные перекидные системы на большое количество плакатов - вся техника безопасности в одном месте",
      "Полностью укомплектованные витрины средствами индивидуальной защиты",
      "Два манекена со средствами индивидуальной защиты - зимняя и летняя спецодежда",
      "Качественная и комфортная мебель",
      "Высокопроизводительные и современные компьютеры и оргтехника",
      "Полный комплект видеоматериала, обучающих программ, тестов, нормативной литературы",
      "Современный и технологический медицинский тренажер для отработки навыков спасения"}},
    {"Кабинет Охраны Труда «БИЗНЕС»\nот 3D макета до установки под ключ",
     {"Стенды по технике безопасности в золотом или серебряном алюминиевом багете",
      "Лозунги по технике безопасности в золотом или серебряном алюминиевом багете",
      "Агитационные плакаты по технике безопасности в золотом или серебряном алюминиевом багете",
      "Настенные перекидные системы - необходимая техника безопасности в одном месте",
      "Укомплектованные витрины средствами индивидуальной защиты",
      "Манекен в спецодежде",
      "Качественная мебель",
      "Современные компьютеры и оргтехника",
      "Необходимый комплект видеоматериала, обучающих программ, тестов, нормативной литературы",
      "Современный медицинский тренажер для отработки навыков спасения"}},
    {"Кабинет Охраны Труда «ЭКОНОМ»\nкачественный кабинет под ключ",
     {"Стенды по технике безопасности в золотом или серебряном алюминиевом багете",
      "Лозунги по технике безопасности в золотом или серебряном алюминиевом багете",
      "Агитационные плакаты по технике безопасности в золотом или серебряном алюминиевом багете",
      "Настенные перекидные системы - самая необходимая техника безопасности в одном месте",
      "Укомплектованные витрины средствами индивидуальной защиты",
      "Манекен в спецодежде",
      "Полный набор мебели",
      "Компьютеры и оргтехника",
      "Видеофильмы, обучающие программы, тесты, нормативная литература",
      "Медицинский тренажер для отработки навыков спасения"}},
};

constexpr std::string_view cabinetSize[] = {"ширина - 800 мм", "глубина - 400 мм", "высота - 2000 мм"};
constexpr std::string_view counterSize[] = {"ширина - 1000 мм", "глубина - 400 мм", "высота - 900 мм"};

constexpr std::string_view materials[] = {
    "Каркас витрины - алюминиевый профиль матового серебряного или золотого цвета или покрашен в любой цвет на выбор",
    "Задняя стенка и стенки накопителя и фриза изготавливаются из цветного ламинированного ЛДСП",
    "Полки витрины и дверцы изготавливаются из стекла толщиной 5 мм",
    "Дверцы витрины и накопителя могут быть как раздвижные, так и распашные",
    "Дополнительно может быть установлен замок",
};
// clang-format on

std::string switchedOffTitle(std::string title) {
    static const std::string on = "ВКЛЮЧЕНА";
    if (const auto at = title.rfind(on); at != std::string::npos)
        title.replace(at, on.size(), "ВЫКЛЮЧЕНА");
    return title;
}

template <std::size_t N>
void writeService(estimate::DescriptionDocument& doc, std::string_view title,
                  const std::string_view (&lines)[N]) {
    TopicWriter w(doc);
    w.centred(title).centred("");
    for (std::string_view line : lines)
        w.bullet(line);
    w.finish();
}

} // namespace

void showWelcomeTopic(estimate::DescriptionDocument& doc) {
    doc.showPicture("KABINET");
    TopicWriter w(doc);
    w.centred("КАЛЬКУЛЯТОР РАСЧЕТА СТОИМОСТИ КАБИНЕТОВ ОХРАНЫ ТРУДА").centred("");
    w.centred("Предлагаем Вам воспользоваться нашим специальным калькулятором - для расчета "
              "стоимости указанных комплектующих кабинета");
    w.centred("");
    w.centred("За более подробной информацией по комплектации и расчету кабинетов охраны труда "
              "обращайтесь к нашим специалистам:");
    w.centred("");
    using std::string;
    w.bullet(string(seller::shopName) + ": " + string(seller::address));
    w.bullet("Телефон: " + string(seller::phone) + " (многоканальный)");
    w.bullet("Электрическая почта: " + string(seller::mailPublic) + ", " +
             string(seller::mailSales));
    w.bullet("Наш сайт в интернет: " + string(seller::site));
    w.finish();
}

void showSectionTopic(std::string_view switchName, bool ticked,
                      estimate::DescriptionDocument& doc) {
    const auto s = std::find_if(std::begin(sections), std::end(sections),
                                [&](const SectionTopic& t) { return t.switchName == switchName; });
    if (s == std::end(sections))
        return;
    doc.showPicture(s->picture);
    TopicWriter w(doc);
    w.centred(ticked ? std::string(s->title) : switchedOffTitle(std::string(s->title)));
    w.centred("");
    w.bullet(ticked ? s->bulletOn : s->bulletOff);
    w.finish();
}

void showLevelTopic(std::string_view sliderName, int position, estimate::DescriptionDocument& doc) {
    const auto s = std::find_if(std::begin(levels), std::end(levels),
                                [&](const LevelTopic& t) { return t.sliderName == sliderName; });
    if (s == std::end(levels))
        return;
    const auto percent = [](int level) {
        return std::to_string(level * estimate::percentPerLevel) + "%";
    };
    doc.showPicture(s->picture);
    TopicWriter w(doc);
    w.centred(std::string(s->titlePrefix) + percent(position)).centred("");
    w.centred(std::string(s->rangeLine) + "от " + std::to_string(estimate::percentPerLevel) +
              " до " + percent(estimate::levelCount));
    w.left("");
    w.bullet(s->bands[position <= 4 ? 0 : position <= 7 ? 1 : 2]).bullet(s->closing);
    w.finish();
}

void showClassTopic(int classIndex, estimate::DescriptionDocument& doc) {
    if (classIndex < 0 || classIndex >= static_cast<int>(std::size(classes)))
        return;
    const ClassTopic& c = classes[classIndex];
    doc.showPicture("KABINET");
    TopicWriter w(doc);
    w.centred(c.title).left("");
    for (std::string_view line : c.bullets)
        w.bullet(line);
    w.finish();
}

void showShowcaseTopic(const estimate::ShowcaseType& type, estimate::DescriptionDocument& doc) {
    TopicWriter w(doc);
    w.centred(type.caption).centred("").centred("Размер расчетной витрины:");
    for (std::string_view line : type.cabinet ? cabinetSize : counterSize)
        w.bullet(line);
    w.left("").centred("Материал витрины:");
    for (std::string_view line : materials)
        w.bullet(line);
    w.left("").centred("Описание расчетной витрины:");
    doc.showPicture(type.picture);
    for (std::string_view line : type.features)
        w.bullet(line);
    w.finish();
}

void showServiceTopic(std::string_view boxName, estimate::DescriptionDocument& doc) {
    if (boxName == "CBDostavka")
        writeService(doc, deliveryTitle, deliveryLines);
    else if (boxName == "CBSborka")
        writeService(doc, assemblyTitle, assemblyLines);
}

} // namespace info

// Section switches, level sliders and the delivery and assembly texts.
#include "window/sections.h"

#include "window/main_window.h"
#include "window/topic_writer.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

#include <string>

namespace window {

namespace {

// clang-format off
const SectionSwitch kSwitches[] = {
    {"CBStend", "StendPanel", "PSTEND", "Панель расчета стендов ВКЛЮЧЕНА",
     "Выключите панель для исключения стендов из расчетной стоимости",
     "Включите панель для включения стендов в расчетную стоимость"},
    {"CBPlakat", "PlakatPanel", "PPER", "Панель расчета плакатов и перекидных систем ВКЛЮЧЕНА",
     "Выключите панель для исключения плакатов и перекидных систем из расчетной стоимости",
     "Включите панель для включения плакатов и перекидных систем в расчетную стоимость"},
    {"CBVitrin", "VitrinPanel", "PVIT", "Панель расчета витрин и манекенов для демонстрации СИЗ ВКЛЮЧЕНА",
     "Выключите панель для исключения витрин и манекенов для демонстрации СИЗ из расчетной стоимости",
     "Включите панель для включения витрин и манекенов для демонстрации СИЗ в расчетную стоимость"},
    {"CBMebel", "MebelPanel", "PMEBEL", "Панель расчета мебели ВКЛЮЧЕНА",
     "Выключите панель для исключения мебели из расчетной стоимости",
     "Включите панель для включения мебели в расчетную стоимость"},
    {"CBComp", "CompPanel", "PTEH", "Панель расчета компьютеров и оргтехники ВКЛЮЧЕНА",
     "Выключите панель для исключения компьютеров, мультимедийного оборудования и оргтехники из расчетной стоимости",
     "Включите панель для включения компьютеров, мультимедийного оборудования и оргтехники в расчетную стоимость"},
    {"CBTeh", "TehPanel", "PTEACH", "Панель расчета средств обучения ВКЛЮЧЕНА",
     "Выключите панель для исключения средств обучения из расчетной стоимости",
     "Включите панель для включения средств обучения в расчетную стоимость"},
};

const LevelSlider kSliders[] = {
    {"TrackMebel", "LabelMebelComfort", "уровень комфорта = ", "PMEBEL",
     "ПОКАЗАТЕЛЬ УРОВНЯ КОМФОРТА МЕБЕЛИ = ",
     "Уровень комфорта задается в процентах - от 10 до 100%",
     {"Экономный вариант изготовления мебели - скромно, но со вкусом",
      "Оптимальный вариант мебельной комплектации - соответствие цена-качество",
      "Идеальный вариант мебели - высокое качество, стильный дизайн и высокие эксплуатационные характеристики - лучшие производители"},
     "Регулятор влияет только на стоимость комплектации - перечень и содержание обсуждаются на этапе согласования проекта"},
    {"TrackComp", "LabelCompTeh", "технический уровень = ", "PTEH",
     "ПОКАЗАТЕЛЬ ТЕХНИЧЕСКОГО УРОВНЯ КОМПЬЮТЕРОВ И ОРГТЕХНИКИ = ",
     "Технический уровень задается в процентах - от 10 до 100%",
     {"Экономный вариант комплектации компьютеров и техники",
      "Оптимальный вариант компьютерной комплектации - соответствие цена-качество",
      "Идеальный технический вариант комплектации - высокое качество, производительность и внешний дизайн - лучшие брэнды"},
     "Регулятор влияет только на стоимость компьютерной техники - производители, оборудование и характеристики обсуждаются на этапе согласования проекта"},
    {"TrackTeh", "LabelTehComplect", "комплектация = ", "PTEACH",
     "ПОКАЗАТЕЛЬ УРОВНЯ КОМПЛЕКТАЦИИ СРЕДСТВАМИ ОБУЧЕНИЯ = ",
     "Уровень комплектации задается в процентах - от 10 до 100%",
     {"Экономный вариант комплектации учебным материалом - всего понемножку",
      "Оптимальный вариант поставки учебного материала - соответствие - то, что Вам необходимо",
      "Идеальный вариант комплектации учебным материалом - в Вашем кабинете есть всё"},
     "Регулятор влияет только на стоимость комплектации - состав учебного материала обсуждается на этапе согласования проекта"},
};

const char* const kDeliveryTitle = "Доставка комплектующих кабинета";
const char* const kDeliveryLines[] = {
    "Доставка комплектующих по Москве и близжайшему подмосковью - бесплатная",
    "Доставка комплектующих до транспортных компаний - бесплатно",
    "Стоимость доставки комплектующих до других городов России рассчитывается отдельно",
};

const char* const kAssemblyTitle = "Сборка и установка кабинета под ключ";
const char* const kAssemblyLines[] = {
    "Сборка и установка оборудования производится в отремонтированных и убранных помещениях",
    "Монтаж стендов и перекидных систем с плакатами",
    "Сборка витрин, манекенов и комплектация СИЗ",
    "Сборка и установка мебели",
    "Подключение и настройка компьютеров и оборудования",
    "Установка необходимого программного обеспечения",
    "Услуга платная - составляет 10% от стоимости комплектующих",
    "Ваш кабинет полностью готов к эксплуатации",
};
// clang-format on

std::string switchedOffTitle(std::string title) {
    static const std::string on = "ВКЛЮЧЕНА";
    if (const auto at = title.rfind(on); at != std::string::npos)
        title.replace(at, on.size(), "ВЫКЛЮЧЕНА");
    return title;
}

template <std::size_t N>
void writeServiceTopic(estimate::DescriptionDocument& doc, const char* title,
                       const char* const (&lines)[N]) {
    TopicWriter w(doc);
    w.centred(title).centred("");
    for (const char* line : lines)
        w.bullet(line);
    w.finish();
}

} // namespace

std::span<const SectionSwitch> sectionSwitches() {
    return kSwitches;
}
std::span<const LevelSlider> levelSliders() {
    return kSliders;
}

const char* bandLine(const LevelSlider& s, int position) {
    return s.bands[position <= 4 ? 0 : position <= 7 ? 1 : 2];
}

} // namespace window

using window::TopicWriter;

void TMain::showSection(int index) {
    const window::SectionSwitch& s = window::kSwitches[index];
    const bool on = control<QCheckBox>(s.name)->isChecked();
    control(s.panel)->setVisible(on);

    doc_.showPicture(s.picture);
    TopicWriter w(doc_);
    w.centred(on ? std::string(s.title) : window::switchedOffTitle(s.title));
    w.centred("");
    w.bullet(on ? s.bulletOn : s.bulletOff);
    w.finish();
}

void TMain::showLevel(int index) {
    const window::LevelSlider& s = window::kSliders[index];
    const int position = control<QSlider>(s.name)->value();
    const std::string percent = std::to_string(position) + "0%";

    auto* label = control<QLabel>(s.label);
    label->setText(QString::fromUtf8(s.labelPrefix) + QString::fromStdString(percent));
    label->adjustSize(); // never narrower than its place in the layout

    doc_.showPicture(s.picture);
    TopicWriter w(doc_);
    w.centred(s.titlePrefix + percent).centred("").centred(s.rangeLine);
    w.left("");
    w.bullet(window::bandLine(s, position)).bullet(s.closing);
    w.finish();
}

void TMain::CBStendClick(QObject*) {
    showSection(0);
}
void TMain::CBPlakatClick(QObject*) {
    showSection(1);
}
void TMain::CBVitrinClick(QObject*) {
    showSection(2);
}
void TMain::CBMebelClick(QObject*) {
    showSection(3);
}
void TMain::CBCompClick(QObject*) {
    showSection(4);
}
void TMain::CBTehClick(QObject*) {
    showSection(5);
}

void TMain::TrackMebelChange(QObject*) {
    showLevel(0);
}
void TMain::TrackCompChange(QObject*) {
    showLevel(1);
}
void TMain::TrackTehChange(QObject*) {
    showLevel(2);
}

void TMain::CBDostavkaClick(QObject*) {
    window::writeServiceTopic(doc_, window::kDeliveryTitle, window::kDeliveryLines);
}

void TMain::CBSborkaClick(QObject*) {
    window::writeServiceTopic(doc_, window::kAssemblyTitle, window::kAssemblyLines);
}

// The showcase type selector and its topic.
#include "window/showcase.h"

#include "window/main_window.h"
#include "window/topic_writer.h"
#include "window/widgets.h"

namespace window {

namespace {

// clang-format off
const char* const kCabinetSize[] = {"ширина - 800 мм", "глубина - 400 мм", "высота - 2000 мм"};
const char* const kCounterSize[] = {"ширина - 1000 мм", "глубина - 400 мм", "высота - 900 мм"};

const char* const kMaterials[] = {
    "Каркас витрины - алюминиевый профиль матового серебряного или золотого цвета или покрашен в любой цвет на выбор",
    "Задняя стенка и стенки накопителя и фриза изготавливаются из цветного ламинированного ЛДСП",
    "Полки витрины и дверцы изготавливаются из стекла толщиной 5 мм",
    "Дверцы витрины и накопителя могут быть как раздвижные, так и распашные",
    "Дополнительно может быть установлен замок",
};

const char* const kThreeShelves = "Витрина имеет 3 стеклянные полки для размещения СИЗ";
const char* const kTwoShelves = "Витрина имеет 2 стеклянные полки для размещения СИЗ";
const char* const kOneShelf = "Витрина имеет 1 стеклянную полку для размещения СИЗ";
const char* const kClosed = "Предусмотрено закрытое отделение для неиспользуемых образцов или технической документации и литературы";
const char* const kLamps = "Вверху витрины установлены лампы для освещения экспонатов";
const char* const kStand = "Над витриной расположен стенд на данную тематику - иллюстрированные плакаты и техническая документация";

// By item index of RGVitrinTip.
const ShowcaseType kTypes[] = {
    {"V1", true,  {kThreeShelves}},
    {"V2", true,  {kTwoShelves, kClosed}},
    {"V3", true,  {kThreeShelves, kLamps}},
    {"V4", true,  {kTwoShelves, kClosed, kLamps}},
    {"V5", false, {kTwoShelves}},
    {"V6", false, {kOneShelf, kClosed}},
    {"V7", false, {kThreeShelves, kStand}},
    {"V8", false, {kThreeShelves, kStand, kLamps}},
};
// clang-format on

} // namespace

std::span<const ShowcaseType> showcaseTypes() {
    return kTypes;
}

std::span<const char* const> sizeLines(const ShowcaseType& t) {
    return t.cabinet ? std::span<const char* const>(kCabinetSize)
                     : std::span<const char* const>(kCounterSize);
}

std::span<const char* const> materialLines() {
    return kMaterials;
}

} // namespace window

void TMain::RGVitrinTipClick(QObject*) {
    const int index = itemIndex(QStringLiteral("RGVitrinTip"));
    if (index < 0 || index >= static_cast<int>(window::showcaseTypes().size()))
        return;
    const window::ShowcaseType& type = window::showcaseTypes()[index];
    const QString caption =
        control<window::RadioGroup>(QStringLiteral("RGVitrinTip"))->itemCaption(index);

    window::TopicWriter w(doc_);
    w.centred(caption.toStdString()).centred("").centred("Размер расчетной витрины:");
    for (const char* line : window::sizeLines(type))
        w.bullet(line);
    w.left("").centred("Материал витрины:");
    for (const char* line : window::materialLines())
        w.bullet(line);
    w.left("").centred("Описание расчетной витрины:");
    doc_.showPicture(type.picture);
    for (const char* line : type.features)
        w.bullet(line);
    w.finish();
}

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

// clang-format on

} // namespace

std::span<const char* const> sizeLines(const estimate::ShowcaseType& t) {
    return t.cabinet ? std::span<const char* const>(kCabinetSize)
                     : std::span<const char* const>(kCounterSize);
}

std::span<const char* const> materialLines() {
    return kMaterials;
}

} // namespace window

void TMain::RGVitrinTipClick(QObject*) {
    const estimate::ShowcaseType* type =
        estimate::showcaseType(itemIndex(QStringLiteral("RGVitrinTip")));
    if (!type)
        return;
    window::TopicWriter w(doc_);
    w.centred(type->caption).centred("").centred("Размер расчетной витрины:");
    for (const char* line : window::sizeLines(*type))
        w.bullet(line);
    w.left("").centred("Материал витрины:");
    for (const char* line : window::materialLines())
        w.bullet(line);
    w.left("").centred("Описание расчетной витрины:");
    doc_.showPicture(type->picture);
    for (std::string_view line : type->features)
        w.bullet(line);
    w.finish();
}

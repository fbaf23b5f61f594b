// SPDX-License-Identifier: MIT
#include "estimate/showcases.h"

namespace estimate {

namespace {

// clang-format off
constexpr std::string_view threeShelves = "Витрина имеет 3 стеклянные полки для размещения СИЗ";
constexpr std::string_view twoShelves = "Витрина имеет 2 стеклянные полки для размещения СИЗ";
constexpr std::string_view oneShelf = "Витрина имеет 1 стеклянную полку для размещения СИЗ";
constexpr std::string_view closed = "Предусмотрено закрытое отделение для неиспользуемых образцов или технической документации и литературы";
constexpr std::string_view lamps = "Вверху витрины установлены лампы для освещения экспонатов";
constexpr std::string_view stand = "Над витриной расположен стенд на данную тематику - иллюстрированные плакаты и техническая документация";

const ShowcaseType types[] = {
    // caption, offer label, price, weight, volume, picture, cabinet, features
    {"Витрина-шкаф", "(витрина-шкаф)",
     15000, 50000, 120000, "V1", true, {threeShelves}},
    {"Витрина-шкаф с накопителем", "(витрина-шкаф с накопителем)",
     22000, 50000, 120000, "V2", true, {twoShelves, closed}},
    {"Витрина-шкаф с подсветкой", "(витрина-шкаф с подсветкой)",
     23000, 50000, 120000, "V3", true, {threeShelves, lamps}},
    {"Витрина-шкаф с накопителем и подсветкой", "(витрина-шкаф с накопителем и подсветкой)",
     27000, 50000, 120000, "V4", true, {twoShelves, closed, lamps}},
    {"Витрина-прилавок", "(витрина-прилавок)",
     14000, 30000, 110000, "V5", false, {twoShelves}},
    {"Витрина-прилавок с накопителем", "(витрина-прилавок с накопителем)",
     15000, 30000, 110000, "V6", false, {oneShelf, closed}},
    {"Витрина-прилавок со стендовой частью", "(витрина-прилавок со стендовой частью)",
     21000, 30000, 110000, "V7", false, {threeShelves, stand}},
    {"Витрина-прилавок со стендовой частью и накопителем", "(витрина-прилавок со стендовой частью и подсветкой)",
     26000, 40000, 115000, "V8", false, {threeShelves, stand, lamps}},
};
// clang-format on

} // namespace

std::span<const ShowcaseType> showcaseTypes() {
    return types;
}

const ShowcaseType* showcaseType(int index) {
    return index >= 0 && index < static_cast<int>(std::size(types)) ? &types[index] : nullptr;
}

} // namespace estimate

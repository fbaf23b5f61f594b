// SPDX-License-Identifier: MIT
#include "estimate/inputs.h"

#include <utility>

namespace estimate {

namespace {

using namespace catalogue;
using C = CabinetConfig;
enum Section { Stend, Plakat, Vitrin, Mebel, Comp, Teh };
constexpr std::string_view allum = "Золотой алюминиевый багет", note = "Ноутбук",
                           computer = "Стационарный компьютер";

#define KC_INPUT(member) #member, &C::member

// clang-format off
const InputRow kInputs[] = {
    // control,                   section, max, cell, address, words, classes, reset
    {KC_INPUT(CBStend)}, {KC_INPUT(CBPlakat)}, {KC_INPUT(CBVitrin)},
    {KC_INPUT(CBMebel)}, {KC_INPUT(CBComp)}, {KC_INPUT(CBTeh)},
    {KC_INPUT(RGClass), -1, 0, Cell::None, {}, {}, {}, true},
    {KC_INPUT(EditSquare), -1, 9, Cell::Area, "E14"},
    {KC_INPUT(CB3d), -1, 0, Cell::One, "C17", {}, tickedAbove(1), true},
    {KC_INPUT(CBDostavka), -1, 0, Cell::Yes, "D17", {}, ticked, true},
    {KC_INPUT(CBSborka), -1, 0, Cell::One, "E17", {}, ticked, true},

    {KC_INPUT(EditStendS), Stend, 2, Cell::Count, "E26"},
    {KC_INPUT(EditStendL), Stend, 2, Cell::Count, "E27"},
    {KC_INPUT(EditStendP), Stend, 2, Cell::Count, "E28"},
    {KC_INPUT(RBStendPlastic), Stend, 0, Cell::Word, "F26", {"Пластиковая рамка"}, cleared, true},
    {KC_INPUT(RBStendAllum), Stend, 0, Cell::Word, "F26", {allum, "Серебряный алюминиевый багет"}, ticked, true},

    {KC_INPUT(EditPlakatA4), Plakat, 3, Cell::Count, "E37", {}, texts("100", "70", "30"), true},
    {KC_INPUT(EditPlakatA3), Plakat, 3, Cell::Count, "E38", {}, texts("200", "120", "70"), true},
    {KC_INPUT(EditPlakatA2), Plakat, 3, Cell::Count, "E39", {}, texts("300", "200", "100"), true},

    {KC_INPUT(CBVitrinSIZ), Vitrin, 0, Cell::One, "E49", {}, ticked, true},
    {KC_INPUT(CBVitrinGO), Vitrin, 0, Cell::One, "E50", {}, tickedAbove(1), true},
    {KC_INPUT(CBVitrinEB), Vitrin, 0, Cell::One, "E51", {}, ticked, true},
    {KC_INPUT(CBVitrinPB), Vitrin, 0, Cell::One, "E52", {}, tickedAbove(1), true},
    {KC_INPUT(CBVitrinPM), Vitrin, 0, Cell::One, "E53", {}, ticked, true},
    {KC_INPUT(EditVitrinPusto), Vitrin, 2, Cell::Count, "E54", {}, {}, true},
    {KC_INPUT(EditVitrinManeken), Vitrin, 2, Cell::Count, "E55", {}, texts("2", "1", "1"), true},
    {KC_INPUT(RGVitrinTip), Vitrin, 0, Cell::Showcase, "F49", {}, item(5), true},

    {KC_INPUT(TrackMebel), Mebel, 0, Cell::Level, "H66", {}, level, true},
    {KC_INPUT(CBMebelPrepod), Mebel, 0, Cell::One, "E66", {}, ticked, true},
    {KC_INPUT(CBMebelStudent), Mebel, 0, Cell::Gate, "E67", {}, ticked, true},
    {KC_INPUT(EditMebelMest), Mebel, 3, Cell::Count, "E67"},
    {KC_INPUT(CBMebelGarderob), Mebel, 0, Cell::One, "E68", {}, ticked, true},
    {KC_INPUT(CBMebeShkaf), Mebel, 0, Cell::One, "E69", {}, ticked, true},
    {KC_INPUT(CBMebelBed), Mebel, 0, Cell::One, "E70", {}, ticked, true},
    {KC_INPUT(RBMebelParta), Mebel, 0, Cell::Word, "F67", {"Парта"}, cleared, true},
    {KC_INPUT(RBMebelKreslo), Mebel, 0, Cell::Word, "F67", {"Кресло"}, ticked, true},

    {KC_INPUT(TrackComp), Comp, 0, Cell::Level, "H80", {}, level, true},
    {KC_INPUT(CBCompPrepod), Comp, 0, Cell::One, "E80", {}, ticked, true},
    {KC_INPUT(RBCompPrepodNote), Comp, 0, Cell::Word, "F80", {note}, cleared, true},
    {KC_INPUT(RBCompPrepodStatic), Comp, 0, Cell::Word, "F80", {computer}, ticked, true},
    {KC_INPUT(CBCompStudent), Comp, 0, Cell::Gate, "E81", {}, ticked, true},
    {KC_INPUT(EditCompStudent), Comp, 1, Cell::Count, "E81", {}, texts("3", "2", "1"), true},
    {KC_INPUT(RBCompStudentNote), Comp, 0, Cell::Word, "F81", {note}, cleared, true},
    {KC_INPUT(RBCompStudentStatic), Comp, 0, Cell::Word, "F81", {computer}, ticked, true},
    {KC_INPUT(CBCompNet), Comp, 0, Cell::One, "E82", {}, ticked, true},
    {KC_INPUT(RBCompNetWifi), Comp, 0, Cell::Word, "F82", {"Wi-Fi"}, ticked, true},
    {KC_INPUT(RBCompNetProvod), Comp, 0, Cell::Word, "F82", {"Проводная сеть"}, cleared, true},
    {KC_INPUT(CBCompProector), Comp, 0, Cell::One, "E83", {}, ticked, true},
    {KC_INPUT(CBCompTelephone), Comp, 0, Cell::One, "E84", {}, ticked}, // kept by the reset
    {KC_INPUT(CBCompTV), Comp, 0, Cell::One, "E85", {}, ticked, true},
    {KC_INPUT(CBCompPrinter), Comp, 0, Cell::One, "E86", {}, ticked, true},
    {KC_INPUT(CBCompAudio), Comp, 0, Cell::One, "E87", {}, ticked, true},

    {KC_INPUT(TrackTeh), Teh, 0, Cell::Level, "H97", {}, level, true},
    {KC_INPUT(CBTehBoard), Teh, 0, Cell::One, "E97", {}, ticked, true},
    {KC_INPUT(CBTehProgramma), Teh, 0, Cell::One, "E98", {}, ticked, true},
    {KC_INPUT(CBTehTrenajer), Teh, 0, Cell::One, "E99", {}, ticked, true},
    {KC_INPUT(CBTehFilm), Teh, 0, Cell::One, "E100", {}, ticked, true},
    {KC_INPUT(CBTehBook), Teh, 0, Cell::One, "E101", {}, ticked, true},
    {KC_INPUT(CBTehTest), Teh, 0, Cell::One, "E102", {}, ticked, true},
};
// clang-format on

#undef KC_INPUT

} // namespace

std::span<const InputRow> inputs() {
    return kInputs;
}

const InputRow* input(std::string_view name) {
    for (const InputRow& row : kInputs)
        if (row.name == name)
            return &row;
    return nullptr;
}

CabinetConfig withClass(CabinetConfig c, int classIndex) {
    for (const InputRow& row : kInputs) {
        const ClassValues& v = row.classes;
        if (v.how == ClassValues::Keep)
            continue;
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(std::declval<CabinetConfig&>().*member)>;
                if constexpr (std::is_same_v<T, bool>)
                    c.*member = v.numbers[classIndex] != 0;
                else if constexpr (std::is_same_v<T, std::string>)
                    c.*member = std::string(v.texts[classIndex]);
                else
                    c.*member = v.how == ClassValues::Level ? classLevel(classIndex)
                                                            : v.numbers[classIndex];
            },
            row.member);
    }
    return c;
}

CabinetConfig reset(CabinetConfig c) {
    const CabinetConfig initial;
    for (const InputRow& row : kInputs)
        if (row.reset)
            std::visit([&](auto member) { c.*member = initial.*member; }, row.member);
    return c;
}

} // namespace estimate

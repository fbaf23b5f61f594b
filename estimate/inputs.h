// SPDX-License-Identifier: MIT
// The window's input controls, one row each: the record's field named after the control, its
// section, its typing limit, its request cell with the cell's rule and words, what each cabinet
// class sets it to, and whether the reset gives it back its initial value (the record's own,
// config.h). The window reads, sets and resets its controls by these rows, the request writes
// and reads its cells by them, and the classes set them.
#pragma once

#include "estimate/config.h"

#include <array>
#include <cmath>
#include <span>
#include <string_view>
#include <variant>

namespace estimate {

using Flag = bool CabinetConfig::*;        // a check box or radio button: ticked or selected
using Text = std::string CabinetConfig::*; // an edit's text
using Number = int CabinetConfig::*;       // a slider's position or a radio group's item
using Member = std::variant<Flag, Text, Number>;

// The six sections in the order of their panels, of the estimate and of the offer: the switch
// in the left panel and the section panel it shows.
struct SectionSwitch {
    std::string_view name;
    Flag enabled;
    std::string_view panel;
};
inline constexpr SectionSwitch sectionSwitches[] = {
    {"CBStend", &CabinetConfig::CBStend, "StendPanel"},
    {"CBPlakat", &CabinetConfig::CBPlakat, "PlakatPanel"},
    {"CBVitrin", &CabinetConfig::CBVitrin, "VitrinPanel"},
    {"CBMebel", &CabinetConfig::CBMebel, "MebelPanel"},
    {"CBComp", &CabinetConfig::CBComp, "CompPanel"},
    {"CBTeh", &CabinetConfig::CBTeh, "TehPanel"},
};

// How a control's request cell is written and read.
enum class Cell : unsigned char {
    None,     // the control has no cell
    Area,     // the text when it reads as a number above 0; read as text
    One,      // 1 when ticked; read: a number, ticked when not 0
    Yes,      // "Да" when ticked; read: ticked when the text is not empty
    Gate,     // writes nothing but lets the count of its cell be written; read as One
    Count,    // the text when it is not "0" (and the cell's gate is ticked); read as text
    Word,     // words[0] when selected (the first of a pair wins); read: selected for any word
    Showcase, // the selected type's caption; read: the type of that caption, if any
    Level,    // the position times 10; read: a tenth, half to even, within 1..10
};

// What the three classes (ПРЕМИУМ, БИЗНЕС, ЭКОНОМ) set a control to.
struct ClassValues {
    enum How : unsigned char { Keep, Set, Level } how = Keep;
    std::array<int, 3> numbers = {};            // a flag (0 or 1) or an item, by class
    std::array<std::string_view, 3> texts = {}; // an edit's text, by class
};

struct InputRow {
    std::string_view name; // the control's object name, the field's own name
    Member member;
    int section = -1; // index into sectionSwitches; -1 for the cabinet-wide inputs
    int maxLength = 0;
    Cell cell = Cell::None;
    std::string_view address = {};
    std::array<std::string_view, 2> words = {};
    ClassValues classes = {};
    bool reset = false; // the reset gives it back its initial value
};

namespace catalogue {
inline constexpr ClassValues ticked{ClassValues::Set, {1, 1, 1}};
inline constexpr ClassValues cleared{ClassValues::Set, {0, 0, 0}};
inline constexpr ClassValues tickedAbove(int lastClass) { // ticked up to that class
    return {ClassValues::Set, {lastClass >= 0, lastClass >= 1, lastClass >= 2}};
}
inline constexpr ClassValues item(int index) {
    return {ClassValues::Set, {index, index, index}};
}
inline constexpr ClassValues texts(std::string_view a, std::string_view b, std::string_view c) {
    return {ClassValues::Set, {}, {a, b, c}};
}
inline constexpr ClassValues level{ClassValues::Level};
} // namespace catalogue

// The rows in the order in which a loaded request, a class and the reset set their controls:
// the area before the counts its rule rewrites.
std::span<const InputRow> inputs();

// The row of a control, nullptr for a name that is no input.
const InputRow* input(std::string_view name);

// The cabinet classes, items of RGClass: a class sets the level sliders to their highest
// position times its factor.
struct CabinetClass {
    std::string_view item;
    double levelFactor;
};
inline constexpr CabinetClass cabinetClasses[] = {
    {"ПРЕМИУМ-КЛАСС", 1.0},
    {"БИЗНЕС-КЛАСС", 0.7},
    {"ЭКОНОМ-КЛАСС", 0.3},
};
inline int classLevel(int classIndex) {
    return static_cast<int>(std::lround(levelCount * cabinetClasses[classIndex].levelFactor));
}

// The record as a class sets it: `c` with every row the class names set to its value.
CabinetConfig withClass(CabinetConfig c, int classIndex);
// The record as the reset leaves it.
CabinetConfig reset(CabinetConfig c);

} // namespace estimate

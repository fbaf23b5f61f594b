// SPDX-License-Identifier: MIT
// The fields of the configuration record by the names of their controls: one row per field.
// The window reads and sets its controls through this table, the request names its cells'
// controls by it, and the presets name their controls by their fields.
#pragma once

#include "estimate/config.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace estimate {

using Flag = bool CabinetConfig::*;        // a check box or radio button: ticked or selected
using Text = std::string CabinetConfig::*; // an edit's text
using Number = int CabinetConfig::*;       // a slider's position or a radio group's item
using Member = std::variant<Flag, Text, Number>;

struct Field {
    std::string_view name; // the control's object name
    Member member;
};

// Every field of the record names its control: the row spells the member's own name.
#define KC_FIELD(member)                                                                           \
    Field {                                                                                        \
#member, &CabinetConfig::member                                                            \
    }

// clang-format off
inline constexpr Field configFields[] = {
    KC_FIELD(CBStend), KC_FIELD(CBPlakat), KC_FIELD(CBVitrin), KC_FIELD(CBMebel),
    KC_FIELD(CBComp), KC_FIELD(CBTeh),
    KC_FIELD(EditSquare), KC_FIELD(CBSborka), KC_FIELD(CBDostavka), KC_FIELD(CB3d),
    KC_FIELD(RGClass),
    KC_FIELD(EditStendS), KC_FIELD(EditStendL), KC_FIELD(EditStendP),
    KC_FIELD(RBStendPlastic), KC_FIELD(RBStendAllum),
    KC_FIELD(EditPlakatA4), KC_FIELD(EditPlakatA3), KC_FIELD(EditPlakatA2),
    KC_FIELD(CBVitrinSIZ), KC_FIELD(CBVitrinGO), KC_FIELD(CBVitrinEB), KC_FIELD(CBVitrinPB),
    KC_FIELD(CBVitrinPM), KC_FIELD(EditVitrinPusto), KC_FIELD(EditVitrinManeken),
    KC_FIELD(RGVitrinTip),
    KC_FIELD(CBMebelPrepod), KC_FIELD(CBMebelStudent), KC_FIELD(EditMebelMest),
    KC_FIELD(RBMebelParta), KC_FIELD(RBMebelKreslo), KC_FIELD(CBMebelGarderob),
    KC_FIELD(CBMebeShkaf), KC_FIELD(CBMebelBed), KC_FIELD(TrackMebel),
    KC_FIELD(CBCompPrepod), KC_FIELD(RBCompPrepodNote), KC_FIELD(RBCompPrepodStatic),
    KC_FIELD(CBCompStudent), KC_FIELD(EditCompStudent), KC_FIELD(RBCompStudentNote),
    KC_FIELD(RBCompStudentStatic), KC_FIELD(CBCompNet), KC_FIELD(RBCompNetWifi),
    KC_FIELD(RBCompNetProvod), KC_FIELD(CBCompProector), KC_FIELD(CBCompTelephone),
    KC_FIELD(CBCompTV), KC_FIELD(CBCompPrinter), KC_FIELD(CBCompAudio), KC_FIELD(TrackComp),
    KC_FIELD(CBTehBoard), KC_FIELD(CBTehProgramma), KC_FIELD(CBTehTrenajer), KC_FIELD(CBTehFilm),
    KC_FIELD(CBTehBook), KC_FIELD(CBTehTest), KC_FIELD(TrackTeh),
};
// clang-format on

#undef KC_FIELD

// The control name of a field; empty for a member the table does not hold.
constexpr std::string_view fieldName(Member member) {
    for (const Field& f : configFields)
        if (f.member == member)
            return f.name;
    return {};
}

} // namespace estimate

// SPDX-License-Identifier: MIT
// The cabinet configuration: the window's input controls read as data.
// Every field keeps the name of the control it mirrors.
#pragma once

#include <string>

namespace estimate {

// A level slider's position, 1 to levelCount, stands for percentPerLevel times as many percent:
// 10 to 100.
inline constexpr int levelCount = 10;
inline constexpr int percentPerLevel = 10;

struct CabinetConfig {
    // Section switches.
    bool CBStend = true;
    bool CBPlakat = true;
    bool CBVitrin = true;
    bool CBMebel = true;
    bool CBComp = true;
    bool CBTeh = true;

    // Cabinet-wide inputs.
    std::string EditSquare = "0,00";
    bool CBSborka = false;
    bool CBDostavka = false;
    bool CB3d = false;
    int RGClass = -1; // -1: no class selected

    // Stands, slogans and agitation posters. Count edits keep their text as typed.
    std::string EditStendS = "0";
    std::string EditStendL = "0";
    std::string EditStendP = "0";
    bool RBStendPlastic = false; // radio pair: a loaded request may leave both off
    bool RBStendAllum = true;

    // Posters in wall flip systems.
    std::string EditPlakatA4 = "0";
    std::string EditPlakatA3 = "0";
    std::string EditPlakatA2 = "0";

    // Showcases and mannequins.
    bool CBVitrinSIZ = false;
    bool CBVitrinGO = false;
    bool CBVitrinEB = false;
    bool CBVitrinPB = false;
    bool CBVitrinPM = false;
    std::string EditVitrinPusto = "0";
    std::string EditVitrinManeken = "0";
    int RGVitrinTip = 5; // 0..7

    // Furniture.
    bool CBMebelPrepod = false;
    bool CBMebelStudent = false;
    std::string EditMebelMest = "0";
    bool RBMebelParta = false;
    bool RBMebelKreslo = true;
    bool CBMebelGarderob = false;
    bool CBMebeShkaf = false;
    bool CBMebelBed = false;
    int TrackMebel = 1; // 1..10

    // Computers and equipment.
    bool CBCompPrepod = false;
    bool RBCompPrepodNote = false;
    bool RBCompPrepodStatic = true;
    bool CBCompStudent = false;
    std::string EditCompStudent = "0";
    bool RBCompStudentNote = false;
    bool RBCompStudentStatic = true;
    bool CBCompNet = false;
    bool RBCompNetWifi = true;
    bool RBCompNetProvod = false;
    bool CBCompProector = false;
    bool CBCompTelephone = false;
    bool CBCompTV = false;
    bool CBCompPrinter = false;
    bool CBCompAudio = false;
    int TrackComp = 1; // 1..10

    // Training aids.
    bool CBTehBoard = false;
    bool CBTehProgramma = false;
    bool CBTehTrenajer = false;
    bool CBTehFilm = false;
    bool CBTehBook = false;
    bool CBTehTest = false;
    int TrackTeh = 1; // 1..10

    bool operator==(const CabinetConfig&) const = default;
};

} // namespace estimate

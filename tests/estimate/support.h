// SPDX-License-Identifier: MIT
#pragma once

#include "estimate/estimate.h"

#include <string>
#include <vector>

namespace testing_support {

using estimate::CabinetConfig;

inline std::vector<std::string> texts(const estimate::DescriptionDocument& doc) {
    std::vector<std::string> out;
    for (const auto& p : doc.paragraphs())
        out.push_back(p.text);
    return out;
}

// Every section switched off; the caller switches on what it tests.
inline CabinetConfig allOff() {
    CabinetConfig c;
    c.CBStend = c.CBPlakat = c.CBVitrin = c.CBMebel = c.CBComp = c.CBTeh = false;
    return c;
}

// The premium class as the window sets it for an area of 10 m2.
inline CabinetConfig premiumAtArea10() {
    CabinetConfig c;
    c.EditSquare = "10";
    c.RGClass = 0;
    c.CB3d = c.CBDostavka = c.CBSborka = true;
    c.EditStendS = "5";
    c.EditStendL = "3";
    c.EditStendP = "8";
    c.EditMebelMest = "7";
    c.EditPlakatA4 = "100";
    c.EditPlakatA3 = "200";
    c.EditPlakatA2 = "300";
    c.CBVitrinSIZ = c.CBVitrinGO = c.CBVitrinEB = c.CBVitrinPB = c.CBVitrinPM = true;
    c.EditVitrinManeken = "2";
    c.TrackMebel = c.TrackComp = c.TrackTeh = 10;
    c.CBMebelPrepod = c.CBMebelStudent = c.CBMebelGarderob = c.CBMebeShkaf = c.CBMebelBed = true;
    c.CBCompProector = c.CBCompTelephone = c.CBCompTV = c.CBCompPrinter = c.CBCompAudio = true;
    c.CBCompPrepod = c.CBCompStudent = c.CBCompNet = true;
    c.EditCompStudent = "3";
    c.CBTehBoard = c.CBTehProgramma = c.CBTehTrenajer = c.CBTehFilm = c.CBTehBook = c.CBTehTest =
        true;
    return c;
}

} // namespace testing_support

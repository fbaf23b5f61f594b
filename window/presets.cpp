// SPDX-License-Identifier: MIT
// The class presets of the cabinet and the reset of the inputs.
#include "window/presets.h"

#include "info/change_topics.h"
#include "window/main_window.h"

#include <QSlider>

#include <cmath>

namespace window {

namespace {

using C = estimate::CabinetConfig;

// clang-format off
// The value that each class gives each control, in the order they are set. A slider's "level"
// is its maximum times the class's level factor.
const PresetRow kPresets[] = {
    // field                    ПРЕМИУМ      БИЗНЕС       ЭКОНОМ
    {&C::CB3d,                 {"on",       "on",       "off"}},
    {&C::CBDostavka,           {"on",       "on",       "on"}},
    {&C::CBSborka,             {"on",       "on",       "on"}},
    {&C::RBStendAllum,         {"selected", "selected", "selected"}},
    {&C::EditPlakatA4,         {"100",      "70",       "30"}},
    {&C::EditPlakatA3,         {"200",      "120",      "70"}},
    {&C::EditPlakatA2,         {"300",      "200",      "100"}},
    {&C::CBVitrinSIZ,          {"on",       "on",       "on"}},
    {&C::CBVitrinGO,           {"on",       "on",       "off"}},
    {&C::CBVitrinEB,           {"on",       "on",       "on"}},
    {&C::CBVitrinPB,           {"on",       "on",       "off"}},
    {&C::CBVitrinPM,           {"on",       "on",       "on"}},
    {&C::EditVitrinManeken,    {"2",        "1",        "1"}},
    {&C::RGVitrinTip,          {"5",        "5",        "5"}},
    {&C::TrackMebel,           {"level",    "level",    "level"}},
    {&C::CBMebelPrepod,        {"on",       "on",       "on"}},
    {&C::CBMebelStudent,       {"on",       "on",       "on"}},
    {&C::RBMebelKreslo,        {"selected", "selected", "selected"}},
    {&C::CBMebelGarderob,      {"on",       "on",       "on"}},
    {&C::CBMebeShkaf,          {"on",       "on",       "on"}},
    {&C::CBMebelBed,           {"on",       "on",       "on"}},
    {&C::TrackComp,            {"level",    "level",    "level"}},
    {&C::CBCompProector,       {"on",       "on",       "on"}},
    {&C::CBCompTelephone,      {"on",       "on",       "on"}},
    {&C::CBCompTV,             {"on",       "on",       "on"}},
    {&C::CBCompPrinter,        {"on",       "on",       "on"}},
    {&C::CBCompAudio,          {"on",       "on",       "on"}},
    {&C::CBCompPrepod,         {"on",       "on",       "on"}},
    {&C::RBCompPrepodStatic,   {"selected", "selected", "selected"}},
    {&C::CBCompStudent,        {"on",       "on",       "on"}},
    {&C::EditCompStudent,      {"3",        "2",        "1"}},
    {&C::RBCompStudentStatic,  {"selected", "selected", "selected"}},
    {&C::CBCompNet,            {"on",       "on",       "on"}},
    {&C::RBCompNetWifi,        {"selected", "selected", "selected"}},
    {&C::TrackTeh,             {"level",    "level",    "level"}},
    {&C::CBTehBoard,           {"on",       "on",       "on"}},
    {&C::CBTehProgramma,       {"on",       "on",       "on"}},
    {&C::CBTehTrenajer,        {"on",       "on",       "on"}},
    {&C::CBTehFilm,            {"on",       "on",       "on"}},
    {&C::CBTehBook,            {"on",       "on",       "on"}},
    {&C::CBTehTest,            {"on",       "on",       "on"}},
};

const CabinetClass kClasses[] = {
    {"ПРЕМИУМ-КЛАСС", 1.0},
    {"БИЗНЕС-КЛАСС", 0.7},
    {"ЭКОНОМ-КЛАСС", 0.3},
};

// The reset, in its order. The area, the four counts derived from it, the section switches
// and CBCompTelephone keep their values.
const ResetRow kReset[] = {
    {"RGClass", "none"},
    {"CB3d", "off"}, {"CBDostavka", "off"}, {"CBSborka", "off"},
    {"EditPrice", ""}, {"EditVolume", ""}, {"EditWeight", ""}, {"EditTime", ""},
    {"RBStendAllum", "selected"},
    {"EditPlakatA4", "0"}, {"EditPlakatA3", "0"}, {"EditPlakatA2", "0"},
    {"CBVitrinSIZ", "off"}, {"CBVitrinGO", "off"}, {"CBVitrinEB", "off"}, {"CBVitrinPB", "off"},
    {"CBVitrinPM", "off"},
    {"EditVitrinPusto", "0"}, {"EditVitrinManeken", "0"},
    {"RGVitrinTip", "5"},
    {"TrackMebel", "1"},
    {"CBMebelPrepod", "off"}, {"CBMebelStudent", "off"},
    {"RBMebelKreslo", "selected"},
    {"CBMebelGarderob", "off"}, {"CBMebeShkaf", "off"}, {"CBMebelBed", "off"},
    {"TrackComp", "1"},
    {"CBCompProector", "off"}, {"CBCompPrepod", "off"}, {"CBCompStudent", "off"},
    {"CBCompNet", "off"}, {"CBCompTV", "off"}, {"CBCompPrinter", "off"}, {"CBCompAudio", "off"},
    {"EditCompStudent", "0"},
    {"RBCompPrepodStatic", "selected"}, {"RBCompStudentStatic", "selected"},
    {"RBCompNetWifi", "selected"},
    {"TrackTeh", "1"},
    {"CBTehBoard", "off"}, {"CBTehProgramma", "off"}, {"CBTehTrenajer", "off"},
    {"CBTehFilm", "off"}, {"CBTehBook", "off"}, {"CBTehTest", "off"},
};
// clang-format on

} // namespace

std::span<const PresetRow> presets() {
    return kPresets;
}
std::span<const CabinetClass> cabinetClasses() {
    return kClasses;
}
std::span<const ResetRow> resetSteps() {
    return kReset;
}

int classLevel(int maximum, int classIndex) {
    return static_cast<int>(std::lround(maximum * kClasses[classIndex].levelFactor));
}

} // namespace window

void TMain::RGClassClick(QObject*) {
    const int index = itemIndex(QStringLiteral("RGClass"));
    if (index < 0)
        return;
    EditSquareChange(control(QStringLiteral("EditSquare")));
    for (const window::PresetRow& row : window::presets()) {
        const std::string_view field = estimate::fieldName(row.field);
        const QString name = QString::fromUtf8(field.data(), qsizetype(field.size()));
        QString value = QString::fromUtf8(row.values[index]);
        if (value == u"level")
            value = QString::number(window::classLevel(control<QSlider>(name)->maximum(), index));
        setControlValue(name, value);
    }

    info::showClassTopic(index, doc_);
}

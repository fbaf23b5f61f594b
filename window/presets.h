// SPDX-License-Identifier: MIT
// The cabinet classes with their presets, and the steps of the reset.
#pragma once

#include "estimate/config_fields.h"

#include <span>

namespace window {

struct PresetRow {
    estimate::Member field; // the control named after it
    const char* values[3];  // by class index; "level" for a slider: see classLevel()
};

struct CabinetClass {
    const char* item;   // caption in RGClass
    double levelFactor; // of the sliders' maximum
};

struct ResetRow {
    const char* control;
    const char* value;
};

std::span<const PresetRow> presets();
std::span<const CabinetClass> cabinetClasses();
std::span<const ResetRow> resetSteps();

// The slider position of a class: the maximum times the class's factor, rounded.
int classLevel(int maximum, int classIndex);

} // namespace window

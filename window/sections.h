// SPDX-License-Identifier: MIT
// The section switches and the level sliders: what each one shows beside its topic.
#pragma once

#include <span>

namespace window {

struct SectionSwitch {
    const char* name;  // the check box in the left panel
    const char* panel; // its section panel in the scroll area, shown while the box is ticked
};

struct LevelSlider {
    const char* name;        // the slider
    const char* label;       // the label that shows its level
    const char* labelPrefix; // the level in percent follows
};

// In the order of the section panels.
std::span<const SectionSwitch> sectionSwitches();
std::span<const LevelSlider> levelSliders();

} // namespace window

// The section switches and the level sliders with the topics they show.
#pragma once

#include <span>

namespace window {

struct SectionSwitch {
    const char* name;    // the check box in the left panel
    const char* panel;   // its section panel in the scroll area
    const char* picture; //
    const char* title;   // while ticked; while clear the last word reads "ВЫКЛЮЧЕНА"
    const char* bulletOn;
    const char* bulletOff;
};

struct LevelSlider {
    const char* name;  // the slider
    const char* label; // the label that shows its level
    const char* labelPrefix;
    const char* picture;
    const char* titlePrefix;
    const char* rangeLine;
    const char* bands[3]; // positions 1 to 4, 5 to 7, 8 to 10
    const char* closing;
};

// In the order of the section panels.
std::span<const SectionSwitch> sectionSwitches();
std::span<const LevelSlider> levelSliders();

// The band line of a slider position.
const char* bandLine(const LevelSlider& s, int position);

} // namespace window

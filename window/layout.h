// SPDX-License-Identifier: MIT
// The window's fixed layout as data: one row per control, read by TMain to build its widgets.
#pragma once

#include <QStringList>

#include <span>

namespace window {

enum class Kind {
    Region,      // a docked panel of the window
    ScrollBox,   // the borderless scroll area that stacks the section panels
    Section,     // a section panel: docked to the top of the scroll area, height only
    GroupBox,    // a frame without caption
    CheckBox,    //
    RadioButton, // one button of a radio pair; the pair is the buttons of one parent
    RadioGroup,  // a captioned frame with radio items (see radioGroups())
    CountEdit,   // a labelled edit holding a whole number of items
    Edit,        // a labelled edit (the area)
    ResultEdit,  // a read-only labelled edit
    Slider,      // a level slider, positions 1 to 10
    Label,       //
    WrapLabel,   // a label whose text wraps
    Picture,     //
    RichText,    // the description panel
    Button,      //
};

struct ControlSpec {
    const char* name;
    Kind kind;
    const char* parent;  // "Main" for the window itself
    int x, y, w, h;      // pixels at 96 dpi, relative to the parent's client area
    const char* caption; // a picture's resource; an input's initial value is the record's own
    const char* hint;    // a tooltip, and what screen readers say the control is for
    const char* description = ""; // what screen readers say instead of the hint, without a tooltip
};

struct RadioGroupSpec {
    const char* name;
    int columns;
    QStringList items;
};

// Every control in creation order; a parent always comes before its children.
std::span<const ControlSpec> controls();
std::span<const RadioGroupSpec> radioGroups();

inline constexpr int clientWidth = 1232;
inline constexpr int clientHeight = 641;

} // namespace window

// SPDX-License-Identifier: MIT
// The topics that the window's handlers write when something changes: the welcome at start and
// after a reset, a section switched on or off, a level slider moved, a cabinet class or a
// showcase type chosen, delivery or assembly ticked. The topics of a press on a control are in
// topic_catalogue.h.
#pragma once

#include "estimate/document.h"
#include "estimate/showcases.h"

#include <string_view>

namespace info {

void showWelcomeTopic(estimate::DescriptionDocument& doc);

// The topic of a section switch ("CBStend" ... "CBTeh"), ticked or clear.
void showSectionTopic(std::string_view switchName, bool ticked, estimate::DescriptionDocument& doc);

// The topic of a level slider ("TrackMebel", "TrackComp", "TrackTeh") at a position 1..10.
void showLevelTopic(std::string_view sliderName, int position, estimate::DescriptionDocument& doc);

// The topic of a cabinet class by its item index in RGClass.
void showClassTopic(int classIndex, estimate::DescriptionDocument& doc);

void showShowcaseTopic(const estimate::ShowcaseType& type, estimate::DescriptionDocument& doc);

// The text that follows the picture of CBDostavka or CBSborka when it is clicked.
void showServiceTopic(std::string_view boxName, estimate::DescriptionDocument& doc);

} // namespace info

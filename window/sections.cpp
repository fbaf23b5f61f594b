// SPDX-License-Identifier: MIT
// Section switches, level sliders, the cabinet class, the showcase type, delivery and assembly:
// each handler sets what its control governs in the window and shows its topic.
#include "estimate/inputs.h"
#include "estimate/showcases.h"
#include "info/change_topics.h"
#include "window/main_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>

namespace {

struct LevelSlider {
    const char* name;        // the slider
    const char* label;       // the label that shows its level
    const char* labelPrefix; // the level in percent follows
};

const LevelSlider kSliders[] = {
    {"TrackMebel", "LabelMebelComfort", "уровень комфорта = "},
    {"TrackComp", "LabelCompTeh", "технический уровень = "},
    {"TrackTeh", "LabelTehComplect", "комплектация = "},
};

QString qt(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

void TMain::showSection(int index) {
    const estimate::SectionSwitch& s = estimate::sectionSwitches[index];
    const bool on = control<QCheckBox>(qt(s.name))->isChecked();
    control(qt(s.panel))->setVisible(on);
    info::showSectionTopic(s.name, on, doc_);
}

void TMain::showLevel(int index) {
    const LevelSlider& s = kSliders[index];
    const int position = control<QSlider>(s.name)->value();
    auto* label = control<QLabel>(s.label);
    label->setText(QString::fromUtf8(s.labelPrefix) +
                   QString::number(position * estimate::percentPerLevel) + u'%');
    label->adjustSize(); // never narrower than its place in the layout
    info::showLevelTopic(s.name, position, doc_);
}

void TMain::CBStendClick(QObject*) {
    showSection(0);
}
void TMain::CBPlakatClick(QObject*) {
    showSection(1);
}
void TMain::CBVitrinClick(QObject*) {
    showSection(2);
}
void TMain::CBMebelClick(QObject*) {
    showSection(3);
}
void TMain::CBCompClick(QObject*) {
    showSection(4);
}
void TMain::CBTehClick(QObject*) {
    showSection(5);
}

void TMain::TrackMebelChange(QObject*) {
    showLevel(0);
}
void TMain::TrackCompChange(QObject*) {
    showLevel(1);
}
void TMain::TrackTehChange(QObject*) {
    showLevel(2);
}

void TMain::RGClassClick(QObject*) {
    const int index = itemIndex(QStringLiteral("RGClass"));
    if (index < 0)
        return;
    EditSquareChange(control(QStringLiteral("EditSquare")));
    applyConfig(estimate::withClass(readConfig(), index));
    info::showClassTopic(index, doc_);
}

void TMain::RGVitrinTipClick(QObject*) {
    if (const estimate::ShowcaseType* type = estimate::showcaseType(itemIndex("RGVitrinTip")))
        info::showShowcaseTopic(*type, doc_);
}

void TMain::CBDostavkaClick(QObject*) {
    info::showServiceTopic("CBDostavka", doc_);
}

void TMain::CBSborkaClick(QObject*) {
    info::showServiceTopic("CBSborka", doc_);
}

// SPDX-License-Identifier: MIT
// The class presets, the showcase type selector and the reset.
#include "window_fixture.h"

namespace {

struct ClassCase {
    int index;
    const char* posters[3]; // А4, А3, А2
    const char* mannequins;
    const char* computers;
    int level;
    bool project3d, civilDefence, fire;
    const char* title;
};
void PrintTo(const ClassCase& c, std::ostream* os) {
    *os << "class " << c.index;
}

const ClassCase kClasses[] = {
    {0,
     {"100", "200", "300"},
     "2",
     "3",
     10,
     true,
     true,
     true,
     "Кабинет Охраны Труда «ПРЕМИУМ»\nкабинет, в котором всё самое лучшее"},
    {1,
     {"70", "120", "200"},
     "1",
     "2",
     7,
     true,
     true,
     true,
     "Кабинет Охраны Труда «БИЗНЕС»\nот 3D макета до установки под ключ"},
    {2,
     {"30", "70", "100"},
     "1",
     "1",
     3,
     false,
     false,
     false,
     "Кабинет Охраны Труда «ЭКОНОМ»\nкачественный кабинет под ключ"},
};

void expectClass(const WindowTest& t, const ClassCase& c) {
    const estimate::CabinetConfig cfg = t.w->readConfig();
    EXPECT_EQ(cfg.RGClass, c.index);
    EXPECT_EQ(cfg.EditPlakatA4, c.posters[0]);
    EXPECT_EQ(cfg.EditPlakatA3, c.posters[1]);
    EXPECT_EQ(cfg.EditPlakatA2, c.posters[2]);
    EXPECT_EQ(cfg.EditVitrinManeken, c.mannequins);
    EXPECT_EQ(cfg.EditCompStudent, c.computers);
    EXPECT_EQ(cfg.TrackMebel, c.level);
    EXPECT_EQ(cfg.TrackComp, c.level);
    EXPECT_EQ(cfg.TrackTeh, c.level);
    EXPECT_EQ(cfg.CB3d, c.project3d);
    EXPECT_EQ(cfg.CBVitrinGO, c.civilDefence);
    EXPECT_EQ(cfg.CBVitrinPB, c.fire);
    EXPECT_EQ(cfg.RGVitrinTip, 5);
    // Ticked in every class.
    for (bool on : {cfg.CBDostavka,    cfg.CBSborka,      cfg.CBVitrinSIZ,    cfg.CBVitrinEB,
                    cfg.CBVitrinPM,    cfg.CBMebelPrepod, cfg.CBMebelStudent, cfg.CBMebelGarderob,
                    cfg.CBMebeShkaf,   cfg.CBMebelBed,    cfg.CBCompProector, cfg.CBCompTelephone,
                    cfg.CBCompTV,      cfg.CBCompPrinter, cfg.CBCompAudio,    cfg.CBCompPrepod,
                    cfg.CBCompStudent, cfg.CBCompNet,     cfg.CBTehBoard,     cfg.CBTehProgramma,
                    cfg.CBTehTrenajer, cfg.CBTehFilm,     cfg.CBTehBook,      cfg.CBTehTest})
        EXPECT_TRUE(on);
    EXPECT_TRUE(cfg.RBStendAllum && cfg.RBMebelKreslo && cfg.RBCompPrepodStatic &&
                cfg.RBCompStudentStatic && cfg.RBCompNetWifi);
    EXPECT_FALSE(cfg.RBStendPlastic || cfg.RBMebelParta || cfg.RBCompPrepodNote ||
                 cfg.RBCompStudentNote || cfg.RBCompNetProvod);
    const std::string percent = " = " + std::to_string(c.level * estimate::percentPerLevel) + "%";
    for (const char* l : {"LabelMebelComfort", "LabelCompTeh", "LabelTehComplect"})
        EXPECT_TRUE(t.label(l)->text().endsWith(QString::fromStdString(percent))) << l;
    // The class topic, nothing of what the changes wrote on the way.
    EXPECT_EQ(t.doc().picture(), "KABINET");
    const auto& p = t.doc().paragraphs();
    ASSERT_EQ(p.size(), 12u);
    EXPECT_EQ(p[0].text, c.title);
    EXPECT_EQ(p[0].format.align, estimate::Align::Center);
    EXPECT_EQ(p[1].text, "");
    EXPECT_EQ(p[1].format.align, estimate::Align::Left);
    EXPECT_FALSE(p[1].format.bullets);
    for (size_t i = 2; i < 12; ++i)
        EXPECT_TRUE(p[i].format.bullets) << i;
    EXPECT_FALSE(t.doc().currentFormat().bullets);
}

class PresetTest : public WindowTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(PresetTest, FromTheOpenedWindow) {
    chooseItem("RGClass", GetParam().index);
    expectClass(*this, GetParam());
    // Area "0,00": every area-based count is 0; a point locale cannot read it and corrects it.
    EXPECT_EQ(edit("EditSquare")->text(), commaLocale() ? "0,00" : "0");
    for (const char* c : {"EditStendS", "EditStendL", "EditStendP", "EditMebelMest"})
        EXPECT_EQ(edit(c)->text(), "0") << c;
}

TEST_P(PresetTest, AfterEveryOtherPreset) {
    for (const ClassCase& before : kClasses) {
        if (before.index == GetParam().index)
            continue;
        chooseItem("RGClass", before.index);
        chooseItem("RGClass", GetParam().index);
        expectClass(*this, GetParam());
    }
}

TEST_P(PresetTest, AreaDerivedCountsReplaceTypedOnes) {
    edit("EditSquare")->setText(QStringLiteral("6") + decimalPoint() + QStringLiteral("25"));
    typeOver(edit("EditStendS"), "42");
    chooseItem("RGClass", GetParam().index);
    EXPECT_EQ(edit("EditStendS")->text(), "4");
    EXPECT_EQ(edit("EditStendL")->text(), "2");
    EXPECT_EQ(edit("EditStendP")->text(), "6");
    EXPECT_EQ(edit("EditMebelMest")->text(), "4");
}

TEST_P(PresetTest, LeavesSwitchesEmptyShowcasesAndResultsAlone) {
    edit("EditSquare")->setText("10");
    click(box("CBMebel"));
    edit("EditVitrinPusto")->setText("4");
    edit("EditPrice")->setText("earlier");
    chooseItem("RGClass", GetParam().index);
    EXPECT_FALSE(box("CBMebel")->isChecked());
    EXPECT_TRUE(widget("MebelPanel")->isHidden());
    EXPECT_TRUE(box("CBMebelBed")->isChecked()); // the hidden section still gets its values
    EXPECT_EQ(edit("EditMebelMest")->text(), "7");
    EXPECT_EQ(edit("EditVitrinPusto")->text(), "4");
    EXPECT_EQ(edit("EditPrice")->text(), "earlier");
    EXPECT_EQ(edit("EditSquare")->text(), "10");
    EXPECT_EQ(edit("EditStendS")->text(), "5");
    EXPECT_EQ(edit("EditStendL")->text(), "3");
    EXPECT_EQ(edit("EditStendP")->text(), "8");
}

TEST_P(PresetTest, ChoosingTheSelectedClassAgainChangesNothing) {
    chooseItem("RGClass", GetParam().index);
    box("CBTehFilm")->setChecked(false);
    doc().clear();
    chooseItem("RGClass", GetParam().index);
    EXPECT_FALSE(box("CBTehFilm")->isChecked());
    EXPECT_TRUE(doc().paragraphs().empty());
}

TEST_P(PresetTest, SlidersAlreadyAtTheLevelKeepTheirLabels) {
    for (const char* s : {"TrackMebel", "TrackComp", "TrackTeh"})
        slider(s)->setValue(GetParam().level);
    label("LabelTehComplect")->setText("marker");
    chooseItem("RGClass", GetParam().index);
    EXPECT_EQ(label("LabelTehComplect")->text(), "marker");
    EXPECT_EQ(firstText(), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(Classes, PresetTest, ::testing::ValuesIn(kClasses));

TEST_F(WindowTest, ResetAfterPresetKeepsTheAreaAndClearsTheRest) {
    edit("EditSquare")->setText("100");
    chooseItem("RGClass", 0);
    click(widget("ButtonCalc"));
    click(box("CBTeh"));
    QTest::mouseClick(widget("ButtonClear"), Qt::LeftButton);

    estimate::CabinetConfig expected; // the defaults, but for what the reset leaves alone
    expected.CBTeh = false;
    expected.EditSquare = "100";
    expected.EditMebelMest = "67";
    expected.EditStendS = "15";
    expected.EditStendL = "10";
    expected.EditStendP = "25";
    expected.CBCompTelephone = true;
    EXPECT_EQ(w->readConfig(), expected);
    for (const char* field : {"EditPrice", "EditVolume", "EditWeight", "EditTime"})
        EXPECT_TRUE(edit(field)->text().isEmpty()) << field;
    EXPECT_EQ(label("LabelMebelComfort")->text(), QString::fromUtf8("уровень комфорта = 10%"));
    EXPECT_EQ(label("LabelCompTeh")->text(), QString::fromUtf8("технический уровень = 10%"));
    EXPECT_EQ(label("LabelTehComplect")->text(), QString::fromUtf8("комплектация = 10%"));
    EXPECT_TRUE(widget("TehPanel")->isHidden());
    EXPECT_EQ(doc().picture(), "KABINET");
    EXPECT_EQ(firstText(), "КАЛЬКУЛЯТОР РАСЧЕТА СТОИМОСТИ КАБИНЕТОВ ОХРАНЫ ТРУДА");
    EXPECT_EQ(texts().size(), 10u);
    EXPECT_EQ(w->saveDialogFolder(), QCoreApplication::applicationDirPath() + u'/');
}

struct ShowcaseCase {
    int index;
    const char* picture;
    const char* width;
    const char* height;
    std::vector<const char*> features; // first words of the feature lines
};
void PrintTo(const ShowcaseCase& c, std::ostream* os) {
    *os << c.picture;
}

class ShowcaseTest : public WindowTest, public ::testing::WithParamInterface<ShowcaseCase> {};

TEST_P(ShowcaseTest, ChoosingATypeShowsItsTopic) {
    const ShowcaseCase& c = GetParam();
    chooseItem("RGVitrinTip", c.index);
    EXPECT_EQ(doc().picture(), c.picture);
    const auto t = texts();
    ASSERT_EQ(t.size(), 15 + c.features.size());
    EXPECT_EQ(QString::fromStdString(t[0]), group("RGVitrinTip")->itemCaption(c.index));
    EXPECT_EQ(t[2], "Размер расчетной витрины:");
    EXPECT_EQ(t[3], c.width);
    EXPECT_EQ(t[4], "глубина - 400 мм");
    EXPECT_EQ(t[5], c.height);
    EXPECT_EQ(t[7], "Материал витрины:");
    EXPECT_EQ(t[14], "Описание расчетной витрины:");
    for (size_t i = 0; i < c.features.size(); ++i)
        EXPECT_EQ(t[15 + i].rfind(c.features[i], 0), 0u) << t[15 + i];
    EXPECT_TRUE(doc().paragraphs().back().format.bullets);
    EXPECT_FALSE(doc().paragraphs()[13].format.bullets);
    EXPECT_FALSE(doc().currentFormat().bullets);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ShowcaseTest,
    ::testing::Values(
        ShowcaseCase{3,
                     "V4",
                     "ширина - 800 мм",
                     "высота - 2000 мм",
                     {"Витрина имеет 2", "Предусмотрено закрытое", "Вверху витрины"}},
        ShowcaseCase{7,
                     "V8",
                     "ширина - 1000 мм",
                     "высота - 900 мм",
                     {"Витрина имеет 3", "Над витриной", "Вверху витрины"}},
        ShowcaseCase{0, "V1", "ширина - 800 мм", "высота - 2000 мм", {"Витрина имеет 3"}},
        ShowcaseCase{4, "V5", "ширина - 1000 мм", "высота - 900 мм", {"Витрина имеет 2"}}));

TEST_F(WindowTest, ShowcaseTypeUnchangedShowsNothingNew) {
    chooseItem("RGVitrinTip", 5); // already selected
    EXPECT_EQ(doc().picture(), "KABINET");
    chooseItem("RGVitrinTip", 2);
    EXPECT_EQ(doc().picture(), "V3");
    // A preset moves it back to item 5 and ends with the class topic.
    chooseItem("RGClass", 1);
    EXPECT_EQ(w->itemIndex("RGVitrinTip"), 5);
    EXPECT_EQ(doc().picture(), "KABINET");
}

} // namespace

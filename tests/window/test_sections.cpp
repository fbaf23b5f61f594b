// SPDX-License-Identifier: MIT
// Section switches and their panels, level sliders and their labels, the service texts.
#include "window_fixture.h"

namespace {

const char* const kPanels[] = {"StendPanel", "PlakatPanel", "VitrinPanel",
                               "MebelPanel", "CompPanel",   "TehPanel"};
const char* const kSwitches[] = {"CBStend", "CBPlakat", "CBVitrin", "CBMebel", "CBComp", "CBTeh"};
const int kHeights[] = {49, 49, 175, 74, 126, 74};

// Top of each shown panel in the scroll area, in order: they stack without gaps.
void expectStacked(const WindowTest& t, const std::vector<bool>& shown) {
    int y = 0;
    for (int i = 0; i < 6; ++i) {
        QWidget* panel = t.widget(kPanels[i]);
        EXPECT_EQ(panel->isVisible(), shown[i]) << kPanels[i];
        if (!shown[i])
            continue;
        EXPECT_EQ(panel->y(), y) << kPanels[i];
        y += kHeights[i];
    }
}

void settleLayout() {
    QCoreApplication::processEvents();
}

struct SwitchCase {
    int index;
    const char* picture;
    const char* titleOff;
    const char* bulletOff;
};
void PrintTo(const SwitchCase& c, std::ostream* os) {
    *os << kSwitches[c.index];
}

class SwitchTest : public WindowTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(SwitchTest, ClearingHidesThePanelAndTickingRestoresIt) {
    const SwitchCase& c = GetParam();
    std::vector<bool> shown(6, true);
    click(box(kSwitches[c.index]));
    settleLayout();
    shown[c.index] = false;
    expectStacked(*this, shown);
    EXPECT_EQ(doc().picture(), c.picture);
    ASSERT_EQ(texts().size(), 3u);
    EXPECT_EQ(texts()[0], c.titleOff);
    EXPECT_EQ(texts()[1], "");
    EXPECT_EQ(texts()[2], c.bulletOff);
    EXPECT_TRUE(doc().paragraphs()[2].format.bullets);
    EXPECT_FALSE(doc().paragraphs()[0].format.bullets);

    click(box(kSwitches[c.index]));
    settleLayout();
    expectStacked(*this, std::vector<bool>(6, true));
    std::string titleOn = c.titleOff;
    titleOn.replace(titleOn.rfind("ВЫКЛЮЧЕНА"), std::string("ВЫКЛЮЧЕНА").size(), "ВКЛЮЧЕНА");
    EXPECT_EQ(firstText(), titleOn);
    EXPECT_EQ(texts()[2].rfind("Выключите панель", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SwitchTest,
    ::testing::Values(
        SwitchCase{0, "PSTEND", "Панель расчета стендов ВЫКЛЮЧЕНА",
                   "Включите панель для включения стендов в расчетную стоимость"},
        SwitchCase{1, "PPER", "Панель расчета плакатов и перекидных систем ВЫКЛЮЧЕНА",
                   "Включите панель для включения плакатов и перекидных систем в расчетную "
                   "стоимость"},
        SwitchCase{2, "PVIT", "Панель расчета витрин и манекенов для демонстрации СИЗ ВЫКЛЮЧЕНА",
                   "Включите панель для включения витрин и манекенов для демонстрации СИЗ в "
                   "расчетную стоимость"},
        SwitchCase{3, "PMEBEL", "Панель расчета мебели ВЫКЛЮЧЕНА",
                   "Включите панель для включения мебели в расчетную стоимость"},
        SwitchCase{4, "PTEH", "Панель расчета компьютеров и оргтехники ВЫКЛЮЧЕНА",
                   "Включите панель для включения компьютеров, мультимедийного оборудования и "
                   "оргтехники в расчетную стоимость"},
        SwitchCase{5, "PTEACH", "Панель расчета средств обучения ВЫКЛЮЧЕНА",
                   "Включите панель для включения средств обучения в расчетную стоимость"}));

TEST_F(WindowTest, PanelsReturnInTheirOrderWhateverTheOrderOfSwitching) {
    std::vector<bool> shown(6, true);
    for (int i : {3, 0, 5, 2}) {
        click(box(kSwitches[i]));
        shown[i] = false;
    }
    settleLayout();
    expectStacked(*this, shown);
    for (int i : {5, 3, 2, 0}) {
        click(box(kSwitches[i]));
        shown[i] = true;
        settleLayout();
        expectStacked(*this, shown);
    }
}

TEST_F(WindowTest, ClearingAllSwitchesEmptiesTheScrollAreaAndKeepsValues) {
    box("CBVitrinGO")->setChecked(true);
    edit("EditPlakatA3")->setText("12");
    slider("TrackTeh")->setValue(6);
    for (const char* s : kSwitches)
        click(box(s));
    settleLayout();
    expectStacked(*this, std::vector<bool>(6, false));
    EXPECT_TRUE(box("CBVitrinGO")->isChecked());
    EXPECT_EQ(edit("EditPlakatA3")->text(), "12");
    EXPECT_EQ(slider("TrackTeh")->value(), 6);
    const auto c = w->readConfig();
    EXPECT_FALSE(c.CBStend || c.CBPlakat || c.CBVitrin || c.CBMebel || c.CBComp || c.CBTeh);
}

TEST_F(WindowTest, ProgramMadeSwitchChangesRunTheHandler) {
    box("CBComp")->setChecked(false);
    EXPECT_TRUE(widget("CompPanel")->isHidden());
    EXPECT_EQ(doc().picture(), "PTEH");
    // Setting the state it already has runs nothing.
    doc().clear();
    box("CBComp")->setChecked(false);
    EXPECT_TRUE(doc().paragraphs().empty());
}

struct SliderCase {
    const char* slider;
    const char* label;
    int from, to;
    const char* labelText;
    const char* band;
    const char* picture;
};
void PrintTo(const SliderCase& c, std::ostream* os) {
    *os << c.slider << " " << c.from << "->" << c.to;
}

class SliderTest : public WindowTest, public ::testing::WithParamInterface<SliderCase> {};

TEST_P(SliderTest, LabelAndTopicFollowThePosition) {
    const SliderCase& c = GetParam();
    QSlider* s = slider(c.slider);
    s->setValue(c.from);
    s->setFocus();
    QTest::keyClick(s, c.to > c.from ? Qt::Key_Right : Qt::Key_Left);
    ASSERT_EQ(s->value(), c.to);
    EXPECT_EQ(label(c.label)->text(), QString::fromUtf8(c.labelText));
    EXPECT_LE(label(c.label)->sizeHint().width(), label(c.label)->width());
    EXPECT_EQ(doc().picture(), c.picture);
    const auto t = texts();
    ASSERT_EQ(t.size(), 6u);
    // The topic's title ends with the percentage that the label shows.
    EXPECT_TRUE(QString::fromStdString(t[0]).endsWith(
        u' ' + label(c.label)->text().section(u'=', 1).trimmed()));
    EXPECT_EQ(t[4], c.band);
    EXPECT_TRUE(doc().paragraphs()[4].format.bullets);
    EXPECT_TRUE(doc().paragraphs()[5].format.bullets);
    EXPECT_EQ(doc().paragraphs()[3].format.align, estimate::Align::Left);
    EXPECT_FALSE(doc().paragraphs()[3].format.bullets);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, SliderTest,
    ::testing::Values(
        SliderCase{"TrackComp", "LabelCompTeh", 4, 5, "технический уровень = 50%",
                   "Оптимальный вариант компьютерной комплектации - соответствие цена-качество",
                   "PTEH"},
        SliderCase{"TrackComp", "LabelCompTeh", 5, 4, "технический уровень = 40%",
                   "Экономный вариант комплектации компьютеров и техники", "PTEH"},
        SliderCase{"TrackComp", "LabelCompTeh", 7, 8, "технический уровень = 80%",
                   "Идеальный технический вариант комплектации - высокое качество, "
                   "производительность и внешний дизайн - лучшие брэнды",
                   "PTEH"},
        SliderCase{"TrackMebel", "LabelMebelComfort", 9, 10, "уровень комфорта = 100%",
                   "Идеальный вариант мебели - высокое качество, стильный дизайн и высокие "
                   "эксплуатационные характеристики - лучшие производители",
                   "PMEBEL"},
        SliderCase{"TrackTeh", "LabelTehComplect", 2, 1, "комплектация = 10%",
                   "Экономный вариант комплектации учебным материалом - всего понемножку",
                   "PTEACH"},
        SliderCase{"TrackTeh", "LabelTehComplect", 6, 7, "комплектация = 70%",
                   "Оптимальный вариант поставки учебного материала - соответствие - то, что "
                   "Вам необходимо",
                   "PTEACH"}));

TEST_F(WindowTest, KeyboardTickOfAssemblyWritesTheTextAndKeepsThePicture) {
    const std::string before = doc().picture();
    box("CBSborka")->setFocus();
    QTest::keyClick(box("CBSborka"), Qt::Key_Space);
    ASSERT_TRUE(box("CBSborka")->isChecked());
    EXPECT_EQ(doc().picture(), before);
    ASSERT_EQ(texts().size(), 10u);
    EXPECT_EQ(firstText(), "Сборка и установка кабинета под ключ");
    EXPECT_EQ(texts()[8], "Услуга платная - составляет 10% от стоимости комплектующих");
    // Clearing it writes the same text.
    QTest::keyClick(box("CBSborka"), Qt::Key_Space);
    EXPECT_EQ(texts().size(), 10u);
}

TEST_F(WindowTest, DeliveryTextForBothStates) {
    for (bool on : {true, false}) {
        box("CBDostavka")->setChecked(on);
        ASSERT_EQ(texts().size(), 5u);
        EXPECT_EQ(firstText(), "Доставка комплектующих кабинета");
        EXPECT_EQ(texts()[2],
                  "Доставка комплектующих по Москве и близжайшему подмосковью - бесплатная");
        EXPECT_FALSE(doc().currentFormat().bullets);
    }
}

} // namespace

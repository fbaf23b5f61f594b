// SPDX-License-Identifier: MIT
// The window for screen readers and the keyboard: every control of the layout table seen
// through QAccessible, and the focus order that Tab gives.
#include "window_fixture.h"

#include "info/link_label.h"
#include "window/layout.h"

#include <QAccessible>
#include <QApplication>
#include <QTextEdit>

namespace {

using window::Kind;

QString utf8(const char* s) {
    return QString::fromUtf8(s);
}

QAccessible::Role roleOf(Kind kind) {
    switch (kind) {
    case Kind::CheckBox:
        return QAccessible::CheckBox;
    case Kind::RadioButton:
        return QAccessible::RadioButton;
    case Kind::RadioGroup:
    case Kind::GroupBox:
        return QAccessible::Grouping;
    case Kind::Section:
        return QAccessible::Pane;
    case Kind::CountEdit:
    case Kind::Edit:
    case Kind::ResultEdit:
    case Kind::RichText:
        return QAccessible::EditableText;
    case Kind::Slider:
        return QAccessible::Slider;
    case Kind::Button:
        return QAccessible::Button;
    default:
        return QAccessible::NoRole;
    }
}

// The names that do not come from the control's own caption.
struct NameCase {
    const char* control;
    const char* name;
};
const NameCase kBorrowedNames[] = {
    {"EditSquare", "Площадь кабинета м2"},
    {"EditPrice", "Стоимость"},
    {"EditVitrinPusto", "Пустые витрины"},
    {"EditVitrinManeken", "Манекены СИЗ"},
    {"EditMebelMest", "Учебные места"},
    {"EditCompStudent", "Компьютеры для тестирования"},
    {"TrackMebel", "уровень комфорта"},
    {"TrackComp", "технический уровень"},
    {"TrackTeh", "комплектация"},
    {"GroupBoxMebel", "Учебные места"},
    {"GroupBoxCompNet", "Компьютерная сеть"},
    {"RGClass", "Комплектация кабинета"},
    {"RGVitrinTip", "Тип витрин"},
    {"RichEdit", "Краткое описание комплектующих кабинета"},
    {"VitrinPanel", "Витрины и манекены"},
    {"LabelKabinetKey", "КАБИНЕТ ПОД КЛЮЧ"},
};

// A description of its own, or the hint, which is also the tooltip.
QString descriptionOf(const window::ControlSpec& row) {
    return utf8(*row.description ? row.description : row.hint);
}

using AccessTest = WindowTest;

TEST_F(AccessTest, EveryControlHasItsNameDescriptionRoleAndState) {
    for (const window::ControlSpec& row : window::controls()) {
        const QAccessible::Role role = roleOf(row.kind);
        if (role == QAccessible::NoRole)
            continue;
        SCOPED_TRACE(row.name);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget(row.name));
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty());
        EXPECT_EQ(a->text(QAccessible::Description), descriptionOf(row));
        EXPECT_EQ(widget(row.name)->toolTip(), utf8(row.hint)); // a description is no tooltip
        EXPECT_EQ(a->role(), role);
        EXPECT_EQ(a->state().readOnly, row.kind == Kind::ResultEdit || row.kind == Kind::RichText);
        if (role != QAccessible::Grouping && role != QAccessible::Pane) {
            EXPECT_TRUE(a->state().focusable);
        }
        if (row.kind == Kind::RichText) { // the description panel reads out its text
            ASSERT_NE(a->textInterface(), nullptr);
            EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()),
                      get<QTextEdit>("RichEdit")->toPlainText());
        }
    }
    for (const info::Link& link : info::links()) {
        const std::string name(link.name);
        SCOPED_TRACE(name);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget(name.c_str()));
        EXPECT_EQ(a->role(), QAccessible::Link);
        EXPECT_EQ(a->text(QAccessible::Name), label(name.c_str())->text());
        EXPECT_EQ(a->text(QAccessible::Description), label(name.c_str())->toolTip());
        EXPECT_TRUE(a->state().focusable);
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
    for (const NameCase& c : kBorrowedNames)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget(c.control))->text(QAccessible::Name),
                  utf8(c.name))
            << c.control;
}

// Tab visits these in this order, round and round: of a radio group only its selected button.
// Inside a section panel: the level slider, the equipment row by row (a column beside a radio
// group before the group; a link of one item right after it), the panel's own links last.
// clang-format off
const char* const kReadingOrder[] = {
    // top
    "RGClass:ПРЕМИУМ-КЛАСС", "EditSquare", "CB3d", "CBDostavka", "CBSborka", "EditPrice",
    "EditVolume", "EditWeight", "EditTime",
    // switches
    "CBStend", "CBPlakat", "CBVitrin", "CBMebel", "CBComp", "CBTeh",
    // stands
    "EditStendS", "EditStendL", "EditStendP", "RBStendAllum",
    "LabelStendShop", "LabelStendCatalog", "LabelStendPrice",
    // posters
    "EditPlakatA4", "EditPlakatA3", "EditPlakatA2",
    "LabelPlakatShop", "LabelPlakatShopPer", "LabelPlakatPrice",
    // showcases
    "CBVitrinSIZ", "CBVitrinGO", "CBVitrinEB", "CBVitrinPB", "CBVitrinPM", "EditVitrinPusto",
    "EditVitrinManeken", "RGVitrinTip:Витрина-прилавок с накопителем",
    "LabelVitrinObzor", "LabelVitrinManekenObzor", "LabelVitrinSIZObzor",
    // furniture
    "TrackMebel", "CBMebelPrepod", "CBMebelStudent", "EditMebelMest", "RBMebelKreslo",
    "CBMebelGarderob", "CBMebeShkaf", "CBMebelBed",
    "LabelMebelObzor",
    // computers
    "TrackComp", "CBCompPrepod", "RBCompPrepodStatic", "CBCompStudent", "EditCompStudent",
    "RBCompStudentStatic", "CBCompNet", "RBCompNetWifi", "CBCompProector", "CBCompTelephone",
    "CBCompTV", "CBCompPrinter", "CBCompAudio",
    "LabelCompObzor", "LabelCompObzorMult",
    // training aids
    "TrackTeh", "CBTehBoard", "LabelTehShopBoard", "CBTehFilm", "LabelTehShopFilm",
    "CBTehProgramma", "LabelTehShopProgramma", "CBTehBook", "LabelTehShopBook", "CBTehTrenajer",
    "LabelTehShopTrenajer", "CBTehTest", "LabelTehShopTest",
    // description
    "LabelVedramo", "LabelMale", "LabelSale", "LabelTel", "RichEdit",
    // buttons and links
    "ButtonCalc", "ButtonClear", "ButtonRequest", "ButtonLoad", "LabelKabinetKey",
    "LabelKabinetModul", "LabelKabinetBooklet", "ButtonPrint", "ButtonClose",
};
// clang-format on

TEST_F(AccessTest, TabRunsAsAPersonReads) {
    // From the focused control once round, given from the first control of the order.
    const auto tabThrough = [] {
        QStringList seen;
        QWidget* first = QApplication::focusWidget();
        do {
            QWidget* f = QApplication::focusWidget();
            const auto* button = qobject_cast<QAbstractButton*>(f);
            seen << (f->objectName().isEmpty() && button
                         ? f->parentWidget()->objectName() + u':' + button->text()
                         : f->objectName());
            QTest::keyClick(f, Qt::Key_Tab);
        } while (QApplication::focusWidget() != first && seen.size() < 200);
        const qsizetype start = seen.indexOf(QStringLiteral("RGClass:ПРЕМИУМ-КЛАСС"));
        return start < 0 ? seen : seen.mid(start) + seen.mid(0, start);
    };
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QStringList expected;
    for (const char* name : kReadingOrder)
        expected << utf8(name);
    box("CBStend")->setFocus();
    EXPECT_EQ(tabThrough(), expected);

    // A hidden section panel drops out.
    box("CBVitrin")->setChecked(false);
    QStringList withoutShowcases;
    for (const QString& name : expected)
        if (!name.contains(QStringLiteral("Vitrin")) || name == u"CBVitrin")
            withoutShowcases << name;
    box("CBStend")->setFocus();
    EXPECT_EQ(tabThrough(), withoutShowcases);

    // Within a radio group the arrow keys choose, and the group's handler runs.
    box("CBVitrin")->setChecked(true);
    group("RGVitrinTip")->buttons()->checkedButton()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(w->itemIndex(QStringLiteral("RGVitrinTip")), 6);
    EXPECT_EQ(firstText(), "Витрина-прилавок со стендовой частью");
}

} // namespace

// SPDX-License-Identifier: MIT
// The window as it opens: size and flags, places, initial states, captions and the welcome
// topic.
#include "window_fixture.h"

#include "info/seller.h"
#include "window/start_folder.h"

#include <QGroupBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTextEdit>

using estimate::Align;

TEST_F(WindowTest, OpensWithFixedClientAreaAndNoMaximiseButton) {
    EXPECT_EQ(w->size(), QSize(1232, 641));
    EXPECT_EQ(w->minimumSize(), QSize(1232, 641));
    EXPECT_EQ(w->maximumSize(), QSize(1232, 641));
    const Qt::WindowFlags f = w->windowFlags();
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(f & Qt::WindowSystemMenuHint);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Калькулятор расчета кабинета ОТ"));
    EXPECT_EQ(w->objectName(), QStringLiteral("Main"));
}

struct Place {
    const char* control;
    QRect inWindow; // left, top, width, height relative to the window's client area
};
void PrintTo(const Place& c, std::ostream* os) {
    *os << c.control;
}

class PlaceTest : public WindowTest, public ::testing::WithParamInterface<Place> {};

TEST_P(PlaceTest, StandsAtItsPlace) {
    const Place& p = GetParam();
    QWidget* c = widget(p.control);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(QRect(c->mapTo(w.get(), QPoint(0, 0)), c->size()), p.inWindow) << p.control;
}

// Section panels stack from y = 57: 49 + 49 + 175 + 74 + 126 + 74 = 547.
INSTANTIATE_TEST_SUITE_P(
    Layout, PlaceTest,
    ::testing::Values(
        Place{"TopPanel", {0, 0, 1232, 57}}, Place{"BottomPanel", {0, 604, 1232, 37}},
        Place{"LeftPanel", {0, 57, 179, 547}}, Place{"MemoPanel", {837, 57, 395, 547}},
        Place{"ScrollBox", {179, 57, 658, 547}}, Place{"StendPanel", {179, 57, 658, 49}},
        Place{"PlakatPanel", {179, 106, 658, 49}}, Place{"VitrinPanel", {179, 155, 658, 175}},
        Place{"MebelPanel", {179, 330, 658, 74}}, Place{"CompPanel", {179, 404, 658, 126}},
        Place{"TehPanel", {179, 530, 658, 74}}, Place{"RGClass", {8, 9, 389, 42}},
        Place{"EditSquare", {419, 30, 113, 21}}, Place{"CBSborka", {755, 34, 57, 17}},
        Place{"EditTime", {1103, 30, 122, 21}}, Place{"CBTeh", {7, 57 + 121, 172, 17}},
        Place{"RBStendAllum", {179 + 387, 57 + 26, 123, 17}},
        Place{"RGVitrinTip", {179 + 236, 155 + 6, 311, 163}},
        Place{"RBMebelKreslo", {179 + 238 + 243, 330 + 26 + 3, 57, 17}},
        Place{"TrackComp", {179 + 6, 404 + 41, 194, 36}},
        Place{"CBCompAudio", {179 + 468, 404 + 84, 118, 17}},
        Place{"CBTehTest", {179 + 472, 530 + 52, 118, 17}},
        Place{"Image", {837 + 2 + 2, 57 + 2 + 2, 123, 92}},
        Place{"ImageLogo", {837 + 2 + 125, 57 + 2 + 2, 264, 92}},
        Place{"RichEdit", {837 + 2, 57 + 98, 391, 447}}, Place{"ButtonCalc", {8, 604 + 6, 80, 25}},
        Place{"ButtonClose", {1145, 604 + 6, 80, 25}}));

TEST_F(WindowTest, OpensWithTheDefaultConfiguration) {
    EXPECT_EQ(w->readConfig(), estimate::CabinetConfig{});
    EXPECT_EQ(w->itemIndex("RGClass"), -1);
    EXPECT_EQ(group("RGVitrinTip")->itemCaption(5),
              QString::fromUtf8("Витрина-прилавок с накопителем"));
    for (const char* field : {"EditPrice", "EditVolume", "EditWeight", "EditTime"}) {
        EXPECT_TRUE(edit(field)->text().isEmpty()) << field;
        EXPECT_TRUE(edit(field)->isReadOnly()) << field;
    }
    for (const char* panel :
         {"StendPanel", "PlakatPanel", "VitrinPanel", "MebelPanel", "CompPanel", "TehPanel"})
        EXPECT_TRUE(widget(panel)->isVisible()) << panel;
    EXPECT_EQ(label("LabelMebelComfort")->text(), QString::fromUtf8("уровень комфорта = 10%"));
    EXPECT_EQ(label("LabelCompTeh")->text(), QString::fromUtf8("технический уровень = 10%"));
    EXPECT_EQ(label("LabelTehComplect")->text(), QString::fromUtf8("комплектация = 10%"));
    for (const char* s : {"TrackMebel", "TrackComp", "TrackTeh"}) {
        EXPECT_EQ(slider(s)->minimum(), 1);
        EXPECT_EQ(slider(s)->maximum(), 10);
        EXPECT_EQ(slider(s)->tickPosition(), QSlider::TicksAbove);
    }
    EXPECT_TRUE(widget("LabelKabinetPrezent")->isHidden());
}

TEST_F(WindowTest, NothingScrollsWhileAllSectionsAreShown) {
    auto* scroll = get<QScrollArea>("ScrollBox");
    EXPECT_EQ(scroll->verticalScrollBar()->maximum(), 0);
}

TEST_F(WindowTest, OpensWithTheWelcomeTopic) {
    using std::string;
    struct Line {
        string text;
        Align align;
        bool bullets;
    };
    const std::vector<Line> expected = {
        {"КАЛЬКУЛЯТОР РАСЧЕТА СТОИМОСТИ КАБИНЕТОВ ОХРАНЫ ТРУДА", Align::Center, false},
        {"", Align::Center, false},
        {"Предлагаем Вам воспользоваться нашим специальным калькулятором - для расчета стоимости "
         "указанных комплектующих кабинета",
         Align::Center, false},
        {"", Align::Center, false},
        {"За более подробной информацией по комплектации и расчету кабинетов охраны труда "
         "обращайтесь к нашим специалистам:",
         Align::Center, false},
        {"", Align::Center, false},
        {string(seller::shopName) + ": " + string(seller::address), Align::Left, true},
        {"Телефон: " + string(seller::phone) + " (многоканальный)", Align::Left, true},
        {"Электрическая почта: " + string(seller::mailPublic) + ", " + string(seller::mailSales),
         Align::Left, true},
        {"Наш сайт в интернет: " + string(seller::site), Align::Left, true},
    };
    EXPECT_EQ(doc().picture(), "KABINET");
    const auto& paragraphs = doc().paragraphs();
    ASSERT_EQ(paragraphs.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(paragraphs[i].text, expected[i].text) << i;
        EXPECT_EQ(paragraphs[i].format.align, expected[i].align) << i;
        EXPECT_EQ(paragraphs[i].format.bullets, expected[i].bullets) << i;
        EXPECT_EQ(paragraphs[i].format.size, 10) << i;
        EXPECT_TRUE(paragraphs[i].format.bold()) << i;
    }
    EXPECT_FALSE(doc().currentFormat().bullets);
    // The panel shows the same paragraphs.
    EXPECT_EQ(get<QTextEdit>("RichEdit")->document()->blockCount(), int(expected.size()));
}

TEST_F(WindowTest, HintsAreTooltips) {
    EXPECT_EQ(
        box("CBSborka")->toolTip(),
        QString::fromUtf8("Выберите, если требуется сборка мебели и настройка оборудования "));
    EXPECT_EQ(widget("LeftPanel")->toolTip(),
              QString::fromUtf8("Для расчета стоимости можно отключить любую вкладку"));
    EXPECT_EQ(widget("RichEdit")->toolTip(),
              QString::fromUtf8("Краткое описание комплектующих кабинета"));
    EXPECT_TRUE(widget("ButtonClose")->toolTip().isEmpty());
}

TEST_F(WindowTest, EveryCaptionFitsItsBox) {
    int checked = 0;
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
        if (b->text().isEmpty())
            continue;
        QStyleOptionButton opt;
        opt.initFrom(b);
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox*>(b))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton*>(b))
            contents = QStyle::SE_RadioButtonContents;
        const QRect room = b->style()->subElementRect(contents, &opt, b);
        // The ink of the caption, from the start of the text.
        const int needed = b->fontMetrics().tightBoundingRect(b->text()).right() + 1;
        EXPECT_LE(needed, room.width())
            << b->objectName().toStdString() << " \"" << b->text().toStdString() << '"';
        ++checked;
    }
    EXPECT_GE(checked, 60);
    // Wrapping and fixed labels show their whole text.
    QLabel* plakat = label("LabelPlakat");
    const QRect needed = plakat->fontMetrics().boundingRect(
        plakat->contentsRect(), Qt::TextWordWrap | int(Qt::AlignLeft), plakat->text());
    EXPECT_LE(needed.height(), plakat->height());
}

TEST_F(WindowTest, ActivationShortensTheEditsInTheNarrowGroupBoxes) {
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(edit("EditMebelMest")->height(), 18);
    EXPECT_EQ(edit("EditCompStudent")->height(), 18);
    EXPECT_EQ(edit("EditStendS")->height(), 21);
}

TEST_F(WindowTest, CloseButtonClosesTheWindow) {
    QTest::mouseClick(widget("ButtonClose"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(WindowTest, DescriptionIsSelectableButNotEditable) {
    auto* text = get<QTextEdit>("RichEdit");
    const QString before = text->toPlainText();
    text->setFocus();
    QTest::keyClicks(text, "xyz");
    QTest::keyClick(text, Qt::Key_Backspace);
    EXPECT_EQ(text->toPlainText(), before);
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text->textCursor().selectedText().size(), before.size());
    EXPECT_TRUE(text->isReadOnly());
}

// Controls that share a parent never cover each other (the contact labels stand on the logo by
// design, and edit captions let clicks through).
TEST_F(WindowTest, NoControlCoversAnother) {
    QList<QWidget*> parents = w->findChildren<QWidget*>();
    parents.append(w.get());
    int pairs = 0;
    for (QWidget* parent : parents) {
        if (parent->objectName() == u"ImagePanel")
            continue;
        QList<QWidget*> kids;
        for (QWidget* kid : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!kid->isHidden() && !kid->testAttribute(Qt::WA_TransparentForMouseEvents) &&
                !kid->objectName().isEmpty())
                kids.append(kid);
        for (int i = 0; i < kids.size(); ++i)
            for (int j = i + 1; j < kids.size(); ++j) {
                ++pairs;
                EXPECT_FALSE(kids[i]->geometry().intersects(kids[j]->geometry()))
                    << kids[i]->objectName().toStdString() << " and "
                    << kids[j]->objectName().toStdString();
            }
    }
    EXPECT_GT(pairs, 300);
}

// Where the file dialogs start: the program's folder only when it takes the user's files (an
// installed program's /usr/bin or Program Files does not), else the documents folder, else home.
// The tests run as root, whom permissions do not stop: /proc stands for a folder that takes no
// file.
struct StartFolderCase {
    const char* name;
    const char* program;  // "" for a writable folder, else a path
    bool documentsExists; // the XDG_DOCUMENTS_DIR of the user's user-dirs.dirs
    const char* expected; // "program", "documents" or "home"
};
void PrintTo(const StartFolderCase& c, std::ostream* os) {
    *os << c.name;
}

class StartFolderTest : public ::testing::TestWithParam<StartFolderCase> {};

TEST_P(StartFolderTest, IsWhereTheUserMayWrite) {
    const StartFolderCase& c = GetParam();
#ifdef Q_OS_WIN
    if (std::string(c.expected) != "program")
        GTEST_SKIP() << "Windows names the documents folder itself, not through HOME or XDG";
#endif
    QTemporaryDir root;
    const QString home = root.filePath(QStringLiteral("home"));
    const QString documents = home + QStringLiteral("/Документы");
    const QString config = root.filePath(QStringLiteral("config"));
    QDir().mkpath(home);
    QDir().mkpath(config);
    if (c.documentsExists)
        QDir().mkpath(documents);
    QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Документы\"\n");
    dirs.close();
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const QString program = *c.program ? QString::fromUtf8(c.program) : root.path();
    const QString got = window::dialogStartFolder(program);
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    const std::string expected = c.expected;
    EXPECT_EQ(got, expected == "program" ? program : expected == "documents" ? documents : home);
    EXPECT_EQ(QDir(root.path()).entryList(QDir::Files | QDir::Hidden), QStringList()); // no probe
}

INSTANTIATE_TEST_SUITE_P(Folders, StartFolderTest,
                         ::testing::Values(StartFolderCase{"unpacked_copy", "", true, "program"},
                                           StartFolderCase{"installed", "/proc", true, "documents"},
                                           StartFolderCase{"installed_without_documents", "/proc",
                                                           false, "home"},
                                           StartFolderCase{"program_folder_gone",
                                                           "/nonexistent/bin", true, "documents"}),
                         [](const auto& info) { return std::string(info.param.name); });

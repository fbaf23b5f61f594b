// SPDX-License-Identifier: MIT
// The window under the looks of other desktops, one run per look (KC_LOOKS, see looks[]): the real
// platform theme qt6ct (qt5ct for Qt 5) with a private configuration of a colour scheme and a
// 12-point face, or the screen at 200 %. A forced or themed face or style moves no caption, every
// text reads on its background, the pictures are drawn for the pixel ratio. The default run leaves
// its record and screenshot in KC_LOOKS_REFERENCE for the others.
#include "app/app_setup.h"
#include "info/contrast.h"
#include "info/link_label.h"
#include "resources/kc_resources.h"
#include "window/face.h"
#include "window/looks.h"
#include "window/main_window.h"
#include "window/qt_compat.h"

#include <QApplication>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr const char* theme = QT_VERSION >= QT_VERSION_CHECK(6, 0, 0) ? "qt6ct" : "qt5ct";

struct Look {
    const char* name;
    const char* scheme;      // the theme's colour scheme; "" its own colours; null: no theme
    bool linksKeepHighlight; // the scheme's highlight reads 3 : 1 on the panels
};
const Look looks[] = {
    {"default", nullptr, true},  {"darker", "colors/darker.conf", false},
    {"theme-default", "", true}, {"high-contrast", KC_LOOKS_DATA "/high-contrast.conf", true},
    {"scale-2", nullptr, true}, // with QT_SCALE_FACTOR=2
};
const Look& look() {
    for (const Look& l : looks)
        if (qEnvironmentVariable("KC_LOOKS") == QLatin1String(l.name))
            return l;
    return looks[0];
}
bool is(const char* name) {
    return qstrcmp(look().name, name) == 0;
}
QString configFile() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + '/' + theme + '/' + theme + ".conf";
}
QString reference(const char* suffix) {
    const QString folder = qEnvironmentVariable("KC_LOOKS_REFERENCE");
    return folder.isEmpty() ? QString() : folder + "/default" + suffix;
}

// The theme's configuration, as its own dialog saves it; `face` is the general font.
void writeTheme(const QString& face) {
    QString scheme = QString::fromUtf8(look().scheme);
    if (scheme.startsWith(QLatin1String("colors/")))
        scheme = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                        QString::fromUtf8(theme) + '/' + scheme);
    QDir().mkpath(QFileInfo(configFile()).path());
    QSaveFile conf(configFile());
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("[Appearance]\ncolor_scheme_path=%1\ncustom_palette=%2\n"
                              "style=Fusion\n[Fonts]\ngeneral=\"%3\"\n")
                   .arg(scheme, scheme.isEmpty() ? "false" : "true", face)
                   .toUtf8());
    ASSERT_TRUE(conf.commit());
}

// Every control's class, name, place and face, in building order.
QStringList record(const QWidget& w) {
    QStringList out;
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        const QRect g = c->geometry();
        out << QStringLiteral("%1 %2 %3 %4,%5 %6x%7")
                   .arg(c->metaObject()->className(), c->objectName(), c->font().toString())
                   .arg(g.x())
                   .arg(g.y())
                   .arg(g.width())
                   .arg(g.height());
    }
    return out;
}

std::unique_ptr<TMain> openWindow() {
    auto main = std::make_unique<TMain>();
    main->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    if (QWidget* f = QApplication::focusWidget())
        f->clearFocus(); // no caret blinking into the screenshots
    return main;
}

class Looks : public ::testing::Test {
  protected:
    std::unique_ptr<TMain> w = openWindow();
};

TEST_F(Looks, ForcedOrThemedFaceOrStyleMovesNoCaption) {
    const QStringList built = record(*w);
    const QFont own = window::windowFont();
    for (const QWidget* c : w->findChildren<QWidget*>()) {
        EXPECT_EQ(c->font().family(), own.family()) << qPrintable(c->objectName());
        EXPECT_EQ(c->font().pixelSize(), own.pixelSize()) << qPrintable(c->objectName());
    }
    QFile ref(reference(".txt"));
    if (is("default") && !ref.fileName().isEmpty() && ref.open(QIODevice::WriteOnly)) {
        ref.write(built.join('\n').toUtf8());
    } else if (!ref.fileName().isEmpty() && ref.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(built, QString::fromUtf8(ref.readAll()).split('\n'));
    }

    // The desktop's face while the window is open, and a window opened under it; its style.
    const QFont before = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Serif"), 13, QFont::Bold));
    QCoreApplication::processEvents();
    EXPECT_EQ(record(*w), built);
    EXPECT_EQ(record(*openWindow()), built);
    QApplication::setFont(before);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QCoreApplication::processEvents();
    EXPECT_EQ(record(*w), built);
    QApplication::setStyle(window::makeWindowStyle());

    if (!look().scheme)
        return;
    writeTheme(QStringLiteral("DejaVu Sans,14"));
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::font().pointSize() == 14; }, 10000));
    EXPECT_EQ(record(*w), built);
    writeTheme(QStringLiteral("DejaVu Sans,12"));
}

// Which texts are drawn in which role on which background.
struct Texts {
    const char* what;
    std::function<bool(const QWidget*)> is;
    QPalette::ColorRole text, background;
};
template <class T> bool isA(const QWidget* w) {
    return qobject_cast<const T*>(w) && !qobject_cast<const info::LinkLabel*>(w);
}
const Texts texts[] = {
    {"captions",
     [](auto* w) { return isA<QLabel>(w) && !static_cast<const QLabel*>(w)->text().isEmpty(); },
     QPalette::WindowText, QPalette::Window},
    {"marks", [](auto* w) { return isA<QAbstractButton>(w) && !isA<QPushButton>(w); },
     QPalette::WindowText, QPalette::Window},
    {"groups", isA<QGroupBox>, QPalette::WindowText, QPalette::Window},
    {"buttons", isA<QPushButton>, QPalette::ButtonText, QPalette::Button},
    {"edits", isA<QLineEdit>, QPalette::Text, QPalette::Base},
    {"panel", isA<QTextEdit>, QPalette::Text, QPalette::Base},
};

TEST_F(Looks, EveryTextReadsOnItsBackground) {
    for (const Texts& t : texts) {
        double least[2] = {21, 21}; // enabled, disabled
        for (const QWidget* c : w->findChildren<QWidget*>()) {
            for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                if (!t.is(c))
                    continue;
                const double ratio = info::contrastRatio(c->palette().color(group, t.text),
                                                         c->palette().color(group, t.background));
                double& l = least[group == QPalette::Disabled];
                l = std::min(l, ratio);
                EXPECT_GE(ratio, 4.5) << t.what << ' ' << qPrintable(c->objectName()) << group;
            }
        }
        std::printf("%s: %s %.2f, disabled %.2f\n", look().name, t.what, least[0], least[1]);
    }
    const QPalette tip = QToolTip::palette();
    EXPECT_GE(
        info::contrastRatio(tip.color(QPalette::ToolTipText), tip.color(QPalette::ToolTipBase)),
        4.5);
}

TEST_F(Looks, LinksReadInTheHighlightOrAClearerColour) {
    const auto* logo = w->control<QLabel>(QStringLiteral("ImageLogo"));
    double least[2] = {21, 21}; // normal, hovered
    for (info::LinkLabel* label : w->findChildren<info::LinkLabel*>()) {
        const QColor highlight = label->palette().color(QPalette::Active, QPalette::Highlight);
        const bool onLogo = label->parentWidget() == logo->parentWidget();
        const QColor ground = onLogo
                                  ? window::meanColour(QString::fromUtf8(kc::resources::logoStrip),
                                                       label->geometry().translated(-logo->pos()))
                                  : label->palette().color(QPalette::Window);
        for (const bool hovered : {false, true}) {
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(label, hovered ? static_cast<QEvent*>(&enter) : &leave);
            const QColor colour = label->palette().color(QPalette::WindowText);
            const double ratio = info::contrastRatio(colour, ground);
            least[hovered] = std::min(least[hovered], ratio);
            const bool kept = colour == highlight || colour == QColor(255, 0, 0);
            EXPECT_GE(ratio, kept ? 3.0 : 4.5) << qPrintable(label->objectName()) << hovered;
            if (!onLogo && !hovered) {
                EXPECT_EQ(kept, look().linksKeepHighlight) << qPrintable(label->objectName());
            }
        }
    }
    std::printf("%s: links %.2f, hovered %.2f\n", look().name, least[0], least[1]);
}

// Where each kind of control shows its edge: the mark of a check or radio box, an edit's and a
// button's frame, a slider's handle.
struct Edge {
    const char* control;
    std::function<QRect(const QWidget*)> where;
};
QRect indicator(const QWidget* c, QStyle::SubElement element) {
    QStyleOptionButton option;
    option.initFrom(c);
    return c->style()->subElementRect(element, &option, c);
}
QRect border(const QWidget* c) {
    return QRect(0, 0, c->width(), 2);
}
const Edge edges[] = {
    {"CB3d", [](auto* c) { return indicator(c, QStyle::SE_CheckBoxIndicator); }},
    {"RBStendPlastic", [](auto* c) { return indicator(c, QStyle::SE_RadioButtonIndicator); }},
    {"EditSquare", border},
    {"ButtonCalc", border},
    {"TrackMebel",
     [](auto* c) {
         QStyleOptionSlider option;
         option.initFrom(c);
         return c->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, c);
     }},
};

// Every control shows where it is: some pixel of its edge stands clear of the window's colour.
TEST_F(Looks, EveryControlShowsItsEdge) {
    for (const Edge& e : edges) {
        auto* c = w->findChild<QWidget*>(QString::fromUtf8(e.control));
        ASSERT_NE(c, nullptr) << e.control;
        const qreal ratio = c->devicePixelRatioF();
        const QImage shot = c->grab().toImage();
        const QRect r = e.where(c);
        const QColor window = c->palette().color(QPalette::Window);
        double most = 1;
        for (int y = r.top() * ratio; y <= r.bottom() * ratio; ++y)
            for (int x = r.left() * ratio; x <= r.right() * ratio; ++x)
                most = std::max(most, info::contrastRatio(shot.pixelColor(x, y), window));
        std::printf("%s: %s edge %.2f\n", look().name, e.control, most);
        EXPECT_GE(most, 1.5) << e.control;
    }
}

TEST_F(Looks, PicturesAreDrawnForThePixelRatio) {
    const qreal ratio = w->devicePixelRatioF();
    const QString kabinet = kc::resources::picture(QStringLiteral("KABINET"));
    for (const auto& [name, bitmap] :
         {std::pair{"Image", kabinet}, std::pair{"ImageLogo", QString(kc::resources::logoStrip)}}) {
        const QImage shown = window::qt::pixmapOf(*w->control<QLabel>(name)).toImage();
        const QImage own(ratio > 1 ? kc::resources::twice(bitmap) : bitmap);
        EXPECT_EQ(shown.devicePixelRatio(), ratio) << name;
        EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
                  own.convertToFormat(QImage::Format_RGB32))
            << name;
    }
    // What the screen shows of the topic picture is its bitmap, pixel for pixel.
    const QImage shot = w->grab().toImage();
    const auto* image = w->control<QLabel>(QStringLiteral("Image"));
    const QImage drawn =
        shot.copy(QRect(image->mapTo(w.get(), QPoint(0, 0)) * ratio, QSize(122, 92) * ratio));
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
              QImage(ratio > 1 ? kc::resources::twice(kabinet) : kabinet)
                  .convertToFormat(QImage::Format_RGB32));
    const QList<QSize> icons = QApplication::windowIcon().availableSizes();
    EXPECT_TRUE(icons.contains(QSize(32, 32)) && icons.contains(QSize(64, 64)));
}

// Under the theme with its own colours, whatever its face, the window looks as without it.
TEST_F(Looks, ThemeWithItsOwnColoursLooksAsWithout) {
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (const QString folder = qEnvironmentVariable("KC_LOOKS_SHOTS"); !folder.isEmpty())
        shot.save(folder + '/' + look().name + ".png");
    if (is("default") && !reference(".png").isEmpty())
        shot.save(reference(".png"));
    if (is("theme-default") && !reference(".png").isEmpty()) {
        EXPECT_EQ(shot, QImage(reference(".png")).convertToFormat(QImage::Format_RGB32));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir home;
    if (look().scheme) {
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORMTHEME", theme);
        writeTheme(QStringLiteral("DejaVu Sans,12"));
    }
    QApplication app(argc, argv);
    app::setupApplication();
    // The theme sets its face once the event loop runs; without the theme, nothing to test.
    if (look().scheme && !QTest::qWaitFor([] { return QApplication::font().pointSize() == 12; })) {
        for (const QString& folder : QCoreApplication::libraryPaths())
            if (QFile::exists(folder + "/platformthemes/lib" + theme + ".so"))
                return std::printf("%s did not set its face\n", theme), 1;
        return std::printf("no %s installed: nothing to test\n", theme), 0;
    }
    return RUN_ALL_TESTS();
}

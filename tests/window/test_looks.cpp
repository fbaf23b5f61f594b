// SPDX-License-Identifier: MIT
// The window under the looks of the desktops it meets. One program, run once per look (the
// environment's KC_LOOKS, see looks[] below): the real platform theme qt6ct (qt5ct for the Qt 5
// program) with a private configuration choosing a colour scheme and a 12-point face, or the
// screen at twice the pixel ratio. In each look: a forced or themed face moves no caption, every
// text reads on its background, the pictures are drawn for the pixel ratio. The "default" run
// leaves its record and screenshot in KC_LOOKS_REFERENCE for the others to compare with.
#include "info/contrast.h"
#include "info/link_label.h"
#include "resources/kc_resources.h"
#include "window/app_setup.h"
#include "window/looks.h"
#include "window/main_window.h"
#include "window/qt_compat.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

constexpr const char* theme = QT_VERSION >= QT_VERSION_CHECK(6, 0, 0) ? "qt6ct" : "qt5ct";

struct Look {
    const char* name;
    const char* scheme;      // the theme's colour scheme file; "" its own colours; null: no theme
    bool linksKeepHighlight; // the scheme's highlight reads 3 : 1 on the panels
};

const Look looks[] = {
    {"default", nullptr, true},
    {"darker", "colors/darker.conf", false}, // under the theme's data folder
    {"high-contrast", KC_LOOKS_DATA "/high-contrast.conf", true},
    {"theme-default", "", true},
    {"scale-2", nullptr, true}, // run with QT_SCALE_FACTOR=2
};

bool is(const char* name);

const Look& look() {
    const QString name = qEnvironmentVariable("KC_LOOKS", QStringLiteral("default"));
    for (const Look& l : looks)
        if (name == QLatin1String(l.name))
            return l;
    return looks[0];
}

bool is(const char* name) {
    return qstrcmp(look().name, name) == 0;
}

QString configFile() {
    return qEnvironmentVariable("XDG_CONFIG_HOME") + '/' + theme + '/' + theme + ".conf";
}

// The theme's configuration, written before the application starts.
void configureTheme(const QTemporaryDir& home) {
    if (!look().scheme)
        return;
    QString scheme = QString::fromUtf8(look().scheme);
    if (scheme.startsWith(QLatin1String("colors/")))
        scheme = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                        QString::fromUtf8(theme) + '/' + scheme);
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORMTHEME", theme);
    QDir().mkpath(home.path() + '/' + theme);
    QFile conf(configFile());
    if (!conf.open(QIODevice::WriteOnly))
        return;
    conf.write(QStringLiteral("[Appearance]\ncolor_scheme_path=%1\ncustom_palette=%2\n"
                              "style=Fusion\n\n[Fonts]\nfixed=\"DejaVu Sans Mono,12\"\n"
                              "general=\"DejaVu Sans,12\"\n")
                   .arg(scheme, scheme.isEmpty() ? "false" : "true")
                   .toUtf8());
}

bool themed() {
    return look().scheme != nullptr;
}

// The desktop changes the face while the program runs, as the theme's own dialog saves it.
void changeThemeFace(int points) {
    QFile in(configFile());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray text = in.readAll();
    text.replace("DejaVu Sans,12", "DejaVu Sans," + QByteArray::number(points));
    QSaveFile out(configFile());
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    ASSERT_TRUE(out.commit());
}

// Every control's class, name, place and face, in building order.
QStringList record(const QWidget& w) {
    QStringList out;
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        const QRect g = c->geometry();
        out << QStringLiteral("%1 %2 %3,%4 %5x%6 %7")
                   .arg(c->metaObject()->className(), c->objectName())
                   .arg(g.x())
                   .arg(g.y())
                   .arg(g.width())
                   .arg(g.height())
                   .arg(c->font().toString());
    }
    return out;
}

// Where the default run leaves its record and screenshot; empty without KC_LOOKS_REFERENCE.
QString referencePath(const char* suffix) {
    const QString folder = qEnvironmentVariable("KC_LOOKS_REFERENCE");
    return folder.isEmpty() ? QString() : folder + "/default" + suffix;
}

class Looks : public ::testing::Test {
  protected:
    void SetUp() override { w = open(); }
    static std::unique_ptr<TMain> open() {
        auto main = std::make_unique<TMain>();
        main->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        if (QWidget* f = QApplication::focusWidget())
            f->clearFocus(); // no caret blinking into the screenshots
        QTest::qWait(50);
        return main;
    }
    std::unique_ptr<TMain> w;
};

TEST_F(Looks, ForcedOrThemedFaceMovesNoCaption) {
    const QStringList built = record(*w);
    const QFont own = window::windowFont();
    for (const QWidget* c : w->findChildren<QWidget*>()) {
        EXPECT_EQ(c->font().family(), own.family()) << qPrintable(c->objectName());
        EXPECT_EQ(c->font().pixelSize(), own.pixelSize()) << qPrintable(c->objectName());
    }
    QFile reference(referencePath(".txt"));
    if (is("default") && !reference.fileName().isEmpty()) {
        ASSERT_TRUE(reference.open(QIODevice::WriteOnly));
        reference.write(built.join('\n').toUtf8());
    } else if (!reference.fileName().isEmpty() && reference.open(QIODevice::ReadOnly)) {
        EXPECT_EQ(built, QString::fromUtf8(reference.readAll()).split('\n'));
    }

    // The desktop's face while the window is open, and a window opened under it.
    const QFont before = QApplication::font();
    QFont forced(QStringLiteral("DejaVu Serif"));
    forced.setPointSize(13);
    forced.setBold(true);
    QApplication::setFont(forced);
    QCoreApplication::processEvents();
    EXPECT_EQ(record(*w), built);
    EXPECT_EQ(record(*open()), built);
    QApplication::setFont(before);

    // Another style for the application: the window keeps its own.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QCoreApplication::processEvents();
    EXPECT_EQ(record(*w), built);
    for (const QWidget* c : w->findChildren<QWidget*>())
        EXPECT_NE(c->style(), QApplication::style()) << qPrintable(c->objectName());
    QApplication::setStyle(window::makeWindowStyle());

    if (!themed())
        return;
    changeThemeFace(14);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::font().pointSize() == 14; }, 10000))
        << theme << " did not change the face";
    EXPECT_EQ(record(*w), built);
    changeThemeFace(12);
}

// A text drawn in `text` on `background` of the widget's palette, in each colour group.
struct TextRoles {
    const char* what;
    bool (*is)(const QWidget*);
    QPalette::ColorRole text;
    QPalette::ColorRole background;
};

template <class T> bool isA(const QWidget* w) {
    return qobject_cast<const T*>(w) != nullptr && !qobject_cast<const info::LinkLabel*>(w);
}
bool isButton(const QWidget* w) {
    return qobject_cast<const QPushButton*>(w) != nullptr;
}
bool isMark(const QWidget* w) {
    return isA<QAbstractButton>(w) && !isButton(w);
}
bool isCaption(const QWidget* w) {
    const auto* l = qobject_cast<const QLabel*>(w);
    return isA<QLabel>(w) && !l->text().isEmpty();
}

const TextRoles textRoles[] = {
    {"captions and labels", isCaption, QPalette::WindowText, QPalette::Window},
    {"check boxes and radio items", isMark, QPalette::WindowText, QPalette::Window},
    {"radio group captions", isA<QGroupBox>, QPalette::WindowText, QPalette::Window},
    {"buttons", isButton, QPalette::ButtonText, QPalette::Button},
    {"edits and result fields", isA<QLineEdit>, QPalette::Text, QPalette::Base},
    {"description panel", isA<QTextEdit>, QPalette::Text, QPalette::Base},
};

TEST_F(Looks, EveryTextReadsOnItsBackground) {
    for (const TextRoles& r : textRoles) {
        double least[2] = {21, 21}; // enabled, disabled
        for (const QWidget* c : w->findChildren<QWidget*>()) {
            if (!r.is(c))
                continue;
            for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                const QPalette& p = c->palette();
                const double ratio =
                    info::contrastRatio(p.color(group, r.text), p.color(group, r.background));
                double& l = least[group == QPalette::Disabled];
                l = std::min(l, ratio);
                EXPECT_GE(ratio, 4.5)
                    << r.what << ' ' << qPrintable(c->objectName()) << " group " << group;
            }
        }
        std::printf("%s: %s at least %.2f : 1, disabled %.2f : 1\n", look().name, r.what, least[0],
                    least[1]);
    }
    const QPalette tip = QToolTip::palette();
    const double hints =
        info::contrastRatio(tip.color(QPalette::ToolTipText), tip.color(QPalette::ToolTipBase));
    std::printf("%s: hints %.2f : 1\n", look().name, hints);
    EXPECT_GE(hints, 4.5);
}

// What a contact label stands on: the logo under it.
QColor logoUnder(const TMain& main, const QWidget& label) {
    const auto* logo = main.control<QLabel>(QStringLiteral("ImageLogo"));
    if (logo->parentWidget() != label.parentWidget())
        return {};
    return window::meanColour(QString::fromUtf8(kc::resources::logoStrip),
                              label.geometry().translated(-logo->pos()));
}

TEST_F(Looks, LinksReadInTheHighlightOrAClearerColour) {
    double least[2] = {21, 21};
    for (info::LinkLabel* label : w->findChildren<info::LinkLabel*>()) {
        if (label->objectName() == QLatin1String("LabelKabinetPrezent"))
            continue; // never shown
        const QPalette& p = label->palette();
        const QColor highlight = p.color(QPalette::Active, QPalette::Highlight);
        const QColor onLogo = logoUnder(*w, *label);
        const QColor ground = onLogo.isValid() ? onLogo : p.color(QPalette::Window);
        for (const bool hovered : {false, true}) {
            if (hovered) {
                QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
                QApplication::sendEvent(label, &enter);
            }
            const QColor colour = label->palette().color(QPalette::WindowText);
            const double ratio = info::contrastRatio(colour, ground);
            const bool kept = colour == highlight || colour == QColor(255, 0, 0);
            least[hovered] = std::min(least[hovered], ratio);
            if (label->objectName() == QLatin1String("LabelStendShop") ||
                label->objectName() == QLatin1String("LabelVedramo"))
                std::printf("%s: %s%s %s on %s, %.2f : 1\n", look().name,
                            qPrintable(label->objectName()), hovered ? " hovered" : "",
                            qPrintable(colour.name()), qPrintable(ground.name()), ratio);
            EXPECT_GE(ratio, kept ? 3.0 : 4.5) << qPrintable(label->objectName()) << hovered;
            if (!onLogo.isValid() && !hovered) {
                EXPECT_EQ(colour == highlight, look().linksKeepHighlight)
                    << qPrintable(label->objectName());
            }
        }
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
    }
    std::printf("%s: links at least %.2f : 1, hovered %.2f : 1\n", look().name, least[0], least[1]);
}

TEST_F(Looks, PicturesAreDrawnForThePixelRatio) {
    const qreal ratio = w->devicePixelRatioF();
    struct Shown {
        const char* control;
        QString bitmap;
        QSize size;
    };
    const Shown pictures[] = {
        {"Image", kc::resources::picture(QStringLiteral("KABINET")), QSize(122, 92)},
        {"ImageLogo", QString::fromUtf8(kc::resources::logoStrip), QSize(263, 92)},
    };
    for (const Shown& s : pictures) {
        const QPixmap shown = window::qt::pixmapOf(*w->control<QLabel>(s.control));
        EXPECT_EQ(shown.devicePixelRatio(), ratio) << s.control;
        EXPECT_EQ(shown.size(), s.size * ratio) << s.control;
        const QImage own(ratio > 1 ? kc::resources::twice(s.bitmap) : s.bitmap);
        if (ratio == 1 || ratio == 2) {
            EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_RGB32),
                      own.convertToFormat(QImage::Format_RGB32))
                << s.control;
        }
    }
    // What the screen shows of the topic picture is the bitmap for it, pixel for pixel.
    const QPixmap shot = w->grab();
    EXPECT_EQ(shot.devicePixelRatio(), ratio);
    if (ratio == 2) {
        const auto* image = w->control<QLabel>(QStringLiteral("Image"));
        const QRect at(image->mapTo(w.get(), QPoint(0, 0)) * 2, QSize(244, 184));
        EXPECT_EQ(
            shot.toImage().copy(at).convertToFormat(QImage::Format_RGB32),
            QImage(kc::resources::twice(pictures[0].bitmap)).convertToFormat(QImage::Format_RGB32));
    }
    const QList<QSize> icons = QApplication::windowIcon().availableSizes();
    EXPECT_TRUE(icons.contains(QSize(32, 32)) && icons.contains(QSize(64, 64)));
}

// Under the theme with its own colours, whatever its face, the window is the default one.
TEST_F(Looks, ThemeWithItsOwnColoursLooksAsWithout) {
    const QImage shot = w->grab().toImage();
    if (const QString folder = qEnvironmentVariable("KC_LOOKS_SHOTS"); !folder.isEmpty())
        shot.save(folder + '/' + look().name + ".png");
    if (is("default") && !referencePath(".png").isEmpty())
        shot.save(referencePath(".png"));
    if (!is("theme-default") || referencePath(".png").isEmpty())
        return;
    const QImage reference(referencePath(".png"));
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(shot.convertToFormat(QImage::Format_RGB32),
              reference.convertToFormat(QImage::Format_RGB32));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QTemporaryDir home;
    configureTheme(home);
    QApplication app(argc, argv);
    window::setupApplication();
    if (themed()) {
        // The theme sets its face once the event loop runs.
        QTest::qWait(200);
        if (QApplication::font().family() != QLatin1String("DejaVu Sans")) {
            const QString plugin = QStringLiteral("/platformthemes/lib%1.so").arg(theme);
            for (const QString& folder : QCoreApplication::libraryPaths())
                if (QFile::exists(folder + plugin)) {
                    std::printf("%s did not set its face\n", theme);
                    return 1;
                }
            std::printf("no %s installed: nothing to test\n", theme);
            return 0;
        }
    }
    return RUN_ALL_TESTS();
}

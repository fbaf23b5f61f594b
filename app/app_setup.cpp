// SPDX-License-Identifier: MIT
#include "app/app_setup.h"

#include "access/access.h"
#include "office/workflow.h"
#include "resources/kc_resources.h"
#include "window/face.h"
#include "window/main_window.h"
#include "window/platform.h"
#include "window/widgets.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#include <QPixmapCache>
#include <QTranslator>

namespace app {

namespace {

// Without the catalogue (Qt's translations not installed) Qt's own texts stay English.
void installQtTranslation() {
    auto* translator = new QTranslator(qApp);
    const QString folder = window::platform::qtTranslationsFolder();
    if (!translator->load(QString::fromUtf8(qtTranslation), folder)) {
        qWarning("no %s in %s: Qt's own texts stay English", qtTranslation, qPrintable(folder));
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
}

} // namespace

void installAccessibility() {
    // What screen readers call the window's containers: the window a window, not a plain pane;
    // the panels panes and the frames round a row groupings, not window frames.
    static const accessibility::ClassRole roles[] = {
        {TMain::staticMetaObject.className(), QAccessible::Window},
        {window::BevelPanel::staticMetaObject.className(), QAccessible::Pane},
        {"QFrame", QAccessible::Grouping},
    };
    accessibility::install(roles);
}

QString setupApplication() {
    installAccessibility();
    installQtTranslation();
    const QString fontFile = window::panelFontFile();
    const int regular = QFontDatabase::addApplicationFont(fontFile);
    if (regular >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(regular);
        if (!families.isEmpty())
            window::useWindowFamily(families.front());
        office::shareFontWithOffice(fontFile); // the printout's body too
    }
    // The window keeps its own font and style (TMain); the application's are where the
    // dialogs and menus start from, and a platform theme may replace them.
    QApplication::setFont(window::windowFont());
    QApplication::setStyle(window::makeWindowStyle());
    QIcon icon;
    for (const QString& file : {QString::fromUtf8(kc::resources::appIcon),
                                kc::resources::twice(QString::fromUtf8(kc::resources::appIcon))})
        icon.addFile(file); // both sizes: the screen's pixel ratio picks
    QApplication::setWindowIcon(icon);
    // Every file dialog draws its icons anew under keys of their own, and the shared pixmap
    // cache keeps them up to its limit (10 MB of pixels by default, about 18 MB of heap): over
    // a day of requests that is most of the calculator's growth. The window's own controls
    // need far less.
    QPixmapCache::setCacheLimit(pixmapCacheKb);
    return window::windowFont().family();
}

} // namespace app

// The request workbook, its loading and the printout.
#include "window/main_window.h"

void TMain::ButtonRequestClick(QObject*) {}

void TMain::ButtonLoadClick(QObject*) {}

void TMain::ButtonPrintClick(QObject*) {}

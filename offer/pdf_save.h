// SPDX-License-Identifier: MIT
// "Сохранить как PDF…": an item of the description panel's context menu and Ctrl+S in the
// window. Asks for a file and writes the description there as a PDF (offer/offer_pdf.h).
#pragma once

#include "estimate/document.h"

#include <QString>

class QTextEdit;
class QWidget;

namespace offer {

inline constexpr const char* savePdfCaption = "Сохранить как PDF…";
inline constexpr const char* savePdfFileName = "Коммерческое предложение.pdf";

// What the action needs of the window, which outlives it: the window (the dialogs' parent and the
// action's owner), its description panel (its font, its context menu), the description, and
// the folder its file dialogs start in (found once the window is made).
struct PdfSource {
    QWidget* window;
    QTextEdit* panel;
    const estimate::DescriptionDocument* description;
    const QString* startFolder;
};

// Adds the action to the window and to the panel's context menu, which keeps its own items.
void addPdfSave(const PdfSource& source);

} // namespace offer

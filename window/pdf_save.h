// SPDX-License-Identifier: MIT
// "Сохранить как PDF…": an item of the description panel's context menu and Ctrl+S in the
// window. Asks for a file and writes the description there as a PDF (window/offer_pdf.h).
#pragma once

class TMain;

namespace window {

inline constexpr const char* savePdfCaption = "Сохранить как PDF…";
inline constexpr const char* savePdfFileName = "Коммерческое предложение.pdf";

// Adds the action to the window and to the panel's context menu, which keeps its own items.
void addPdfSave(TMain& main);

} // namespace window

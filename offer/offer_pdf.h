// SPDX-License-Identifier: MIT
// The description panel's content as an A4 PDF under the seller's letterhead, laid out like the
// word-processor printout: the same page margins, the 1 x 2 header table with the logo and the
// six letterhead lines, then the description paragraph by paragraph. Needs no office suite.
#pragma once

#include "estimate/document.h"

#include <QString>

class QFont;

namespace offer {

// Writes the PDF to `path` atomically: an existing file is replaced only when the whole new
// one is written; a symbolic link there is replaced unless the user alone can have made it
// (office/save_place.h). `font` is the description panel's font (its family is used). Gives an
// empty string on success, otherwise the reason, in Russian, to show to the user.
QString writeOfferPdf(const QString& path, const estimate::DescriptionDocument& description,
                      const QFont& font);

} // namespace offer

// SPDX-License-Identifier: MIT
// The entry rules of the count edits and the area field, as plain functions.
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace window {

// An area text read as a decimal number written the way the locale writes numbers (its
// decimal separator, no group separators). Texts that do not read as a finite number that is
// not negative read as nothing.
std::optional<double> readArea(const QString& text, const QLocale& locale);

// The four counts that follow from an area, as the texts of their edits.
struct AreaCounts {
    QString studyPlaces; // EditMebelMest: A / 1.5
    QString stands;      // EditStendS: 1.5 x sqrt(A)
    QString slogans;     // EditStendL: sqrt(A)
    QString agitation;   // EditStendP: 2.5 x sqrt(A)
    bool operator==(const AreaCounts&) const = default;
};
AreaCounts areaCounts(double area);

// The character filter of the count edits: digits and Backspace pass, all else is dropped.
bool passesCountFilter(QChar c);

} // namespace window

// SPDX-License-Identifier: MIT
// Where a save of the user's ("Заявка", "Сохранить как PDF…") puts its file when the chosen
// name is a symbolic link. A link that someone else can have put where the user saves (a
// shared folder, another account's link) must not make the user overwrite a file of that
// one's choosing: the save replaces such a link. A link that only the user can have made is
// followed, as the user expects.
#pragma once

#include <QString>

namespace office {

// Whether the user alone can have made this link: it is the user's own, in a folder of the
// user's own that nobody else may write into. False for what is no link.
bool trustedLink(const QString& path);

// The name a save to `path` leaves its file under: the path itself, or, for a trusted link,
// the file it points to (link by link, while each is trusted).
QString saveDestination(const QString& path);

// The name to give a QSaveFile for a save to `destination`. QSaveFile writes through a link at
// its name, so for a link (one saveDestination did not follow) this is a fresh name beside it,
// which placeSaved then renames over the link.
QString saveFileName(const QString& destination);

// After the save to saveFileName(destination) was committed: puts the file at `destination`.
// False when that fails; the written file is then removed.
bool placeSaved(const QString& written, const QString& destination);

} // namespace office

// SPDX-License-Identifier: MIT
// Where the office lives. The calculator runs on whichever LibreOffice the machine has: the
// distribution's (officeKnownPlaces below) or the LibreOffice project's own packages
// (/opt/libreoffice<version>, several side by side). Every folder of the office the calculator
// uses (the office program, its types, the URE libraries the plugin runs on) comes from the
// program folder found here.
#pragma once

#include <QString>
#include <QStringList>
#include <QVersionNumber>

namespace office {

// Where to look, in this order; the first folder that holds a usable office wins.
struct OfficeSearch {
    QString unoPath;         // a program folder named by the user ($UNO_PATH)
    QStringList pathDirs;    // folders searched for soffice, then libreoffice ($PATH)
    QStringList knownPlaces; // program folders; a '*' in one stands for any folder name
};

// The usual install places, in this order: Debian's, Astra's and Ubuntu's; RED OS's, ROSA's and
// Fedora's; ALT Linux's, its current office before its "still" one; the LibreOffice project's
// own packages, the newest first.
inline const QStringList officeKnownPlaces{QStringLiteral("/usr/lib/libreoffice/program"),
                                           QStringLiteral("/usr/lib64/libreoffice/program"),
                                           QStringLiteral("/usr/lib64/LibreOffice/program"),
                                           QStringLiteral("/usr/lib64/LibreOffice-still/program"),
                                           QStringLiteral("/opt/libreoffice*/program")};

// The search of this machine: $UNO_PATH, $PATH, then officeKnownPlaces. An soffice or
// libreoffice on the path stands for the folder it resolves to, or, when it is a shell script
// that runs an office elsewhere (ALT Linux's /usr/bin/soffice), for the program folders the
// script names (comments aside). Relative $PATH entries are skipped.
OfficeSearch defaultOfficeSearch();

// The oldest office the calculator runs on.
inline const QVersionNumber minimumOfficeVersion{7, 0};

// The version the office in this program folder reports of itself (its bootstraprc),
// null when it cannot be read.
QVersionNumber officeVersion(const QString& programDir);

// Why the office in this program folder cannot be used; empty when it can. Its code runs in the
// calculator, so every folder from / to the program folder, links resolved, must be owned by
// root or this user and writable by nobody else (a folder on the way may be root's sticky
// one, as /tmp).
QString officeRefusal(const QString& programDir);

// The program folder with every link resolved: what officeRefusal examined, and so the only
// path the office's libraries are loaded and its program started from.
QString canonicalOfficeDir(const QString& programDir);

// The canonical program folder of the first usable office, or empty when there is none. Every
// folder tried and refused is logged to kc.office with the reason.
QString findOfficeProgramDir(const OfficeSearch& search = defaultOfficeSearch());

// The URE libraries of an office, in the order they are loaded before the plugin.
inline const QStringList officeUreLibraries{
    QStringLiteral("libuno_sal.so.3"), QStringLiteral("libuno_salhelpergcc3.so.3"),
    QStringLiteral("libuno_cppu.so.3"), QStringLiteral("libuno_cppuhelpergcc3.so.3")};

} // namespace office

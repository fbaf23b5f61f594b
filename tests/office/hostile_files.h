// SPDX-License-Identifier: MIT
// Hostile request workbooks, made by a seeded generator from a request that the program wrote
// and from the template: truncated and damaged compound files, cells of the wrong type,
// formulas and error values, renamed, missing and protected sheets, a password, files of
// other kinds named .xls, unreadable files and awkward paths.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace officetest {

// What loading the file must come to.
enum class Expect {
    Loads,      // a valid request: the controls take its values
    CannotLoad, // "Приложению не удается загрузить файл"
    CannotRead, // "Не могу прочитать файл"
    Nothing,    // missing or in use: nothing is shown and nothing changes
    Refused,    // damaged: either message, or it loads if the office still reads a request
};

struct HostileFile {
    QString what; // which cell, formula or format, for failure messages
    QString path;
    Expect expect;
    bool pickable = true; // a file dialog can choose it (a folder cannot)
};

struct HostileKind {
    const char* name;
    int full;   // files of the whole campaign
    int sample; // files of the default test run
    // Makes `count` files of the kind in `dir`; `rng` gives the kind's random choices.
    std::function<std::vector<HostileFile>(const QString& dir, int count, unsigned seed)> make;
};

// Every kind. The makers need the office running (officetest::documents()), and the first
// call writes the base request with the program's own "Заявка".
const std::vector<HostileKind>& hostileKinds();

const char* expectName(Expect e);

} // namespace officetest

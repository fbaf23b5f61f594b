// SPDX-License-Identifier: MIT
// The request workbook's input cells: which cells a configuration writes (the request), and
// how a workbook's cells read back into a configuration (loading a request).
#pragma once

#include "estimate/config.h"
#include "office/suite.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace office {

// One cell to write: a text (counts, type words, "Да") or an integer (flags, levels).
struct CellWrite {
    std::string address;
    std::variant<std::string, int> value;
    bool operator==(const CellWrite&) const = default;
};

// The cells a request writes for the configuration, in the order they are written: the cells
// of the catalogue's rows, then those that follow them (types and levels). Numbers in
// texts (the area) are read with the default QLocale.
std::vector<CellWrite> requestCells(const estimate::CabinetConfig& c);

// A cell that does not read by its rule: a word where a number is expected, a number where a
// text is expected.
class ReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

using CellReader = std::function<CellValue(std::string_view address)>;

// Reads every input cell into a copy of `current`; the fields that loading does not touch
// (the section switches, the class, a showcase type that matches no item) keep their values.
// Texts go into the record as read: the window's own rules correct an empty count or area
// when the record is applied. Throws ReadError.
estimate::CabinetConfig readRequest(const CellReader& cell, estimate::CabinetConfig current);

// A number's text as loading puts it into an edit: the default QLocale's decimal separator,
// whole numbers without a fractional part.
std::string numberText(double n);

} // namespace office

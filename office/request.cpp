// SPDX-License-Identifier: MIT
#include "office/request.h"

#include "estimate/config.h"
#include "estimate/inputs.h"
#include "estimate/showcases.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <set>

namespace office {

namespace {

using estimate::CabinetConfig;
using estimate::Cell;
using estimate::Flag;
using estimate::InputRow;
using estimate::Number;
using estimate::Text;

// The cells written only when one of their trigger cells was: a type word, the showcase type
// and the levels follow the items they describe.
struct Triggers {
    std::string_view cell;
    std::vector<std::string_view> by;
};
const Triggers kTriggers[] = {
    {"F26", {"E26", "E27", "E28"}},
    {"F49", {"E49", "E50", "E51", "E52", "E53", "E54"}},
    {"H66", {"E66", "E67", "E68", "E69", "E70"}},
    {"F67", {"E67"}},
    {"F80", {"E80"}},
    {"F81", {"E81"}},
    {"F82", {"E82"}},
    {"H80", {"E80", "E81", "E83", "E84", "E85", "E86", "E87"}},
    {"H97", {"E97", "E98", "E99", "E100", "E101", "E102"}},
};

bool derived(Cell rule) {
    return rule == Cell::Word || rule == Cell::Showcase || rule == Cell::Level;
}

double readNumber(const std::string& text, bool* ok) {
    return QLocale().toDouble(QString::fromStdString(text), ok);
}

// A text where a number is expected converts with the locale, or the load fails. QLocale reads
// "nan" and "inf" as numbers too; neither is a count or a level (and clamping a NaN is
// undefined), so they fail as any other word does.
double asNumber(const CellValue& v, const char* cell) {
    switch (v.kind) {
    case CellValue::Kind::Empty:
        return 0;
    case CellValue::Kind::Number:
        if (!std::isfinite(v.number))
            throw ReadError(std::string(cell) + " holds a number that is not finite");
        return v.number;
    case CellValue::Kind::Text:
        break;
    }
    bool ok = false;
    const double n = readNumber(v.text, &ok);
    if (!ok || !std::isfinite(n))
        throw ReadError(std::string(cell) + " holds \"" + v.text + "\", not a number");
    return n;
}

std::string asText(const CellValue& v, const char* cell) {
    if (v.kind == CellValue::Kind::Number)
        throw ReadError(std::string(cell) + " holds a number, not a text");
    return v.text;
}

std::string textOf(const CellValue& v) {
    return v.kind == CellValue::Kind::Number ? numberText(v.number) : v.text;
}

int levelOf(double value) {
    const double position = std::nearbyint(value / estimate::percentPerLevel); // half to even
    return static_cast<int>(std::clamp(position, 1.0, 10.0));
}

} // namespace

std::string numberText(double n) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(n, 'g', 15).toStdString();
}

std::vector<CellWrite> requestCells(const CabinetConfig& c) {
    std::vector<CellWrite> out;
    std::set<std::string, std::less<>> written;
    const auto write = [&](std::string_view cell, std::variant<std::string, int> v) {
        out.push_back({std::string(cell), std::move(v)});
        written.emplace(cell);
    };
    const auto gated = [&](const InputRow& r) { // every gate of the cell ticked
        return std::all_of(estimate::inputs().begin(), estimate::inputs().end(),
                           [&](const auto& g) {
                               return g.cell != Cell::Gate || g.address != r.address ||
                                      c.*std::get<Flag>(g.member);
                           });
    };
    const auto triggered = [&](const InputRow& r) {
        for (const Triggers& t : kTriggers)
            if (t.cell == r.address)
                return std::any_of(t.by.begin(), t.by.end(),
                                   [&](std::string_view by) { return written.count(by) > 0; });
        return false;
    };
    for (const bool second : {false, true}) // the triggered cells after all others
        for (const InputRow& r : estimate::inputs()) {
            if (r.cell == Cell::None || derived(r.cell) != second ||
                (r.section >= 0 && !(c.*estimate::sectionSwitches[r.section].enabled)))
                continue;
            switch (r.cell) {
            case Cell::None:
            case Cell::Gate:
                break;
            case Cell::Area: {
                bool ok = false;
                const std::string& text = c.*std::get<Text>(r.member);
                if (readNumber(text, &ok) > 0 && ok)
                    write(r.address, text);
                break;
            }
            case Cell::One:
                if (c.*std::get<Flag>(r.member))
                    write(r.address, 1);
                break;
            case Cell::Yes:
                if (c.*std::get<Flag>(r.member))
                    write(r.address, std::string("Да"));
                break;
            case Cell::Count:
                if (const std::string& text = c.*std::get<Text>(r.member); text != "0" && gated(r))
                    write(r.address, text);
                break;
            case Cell::Word:
                if (c.*std::get<Flag>(r.member) && !written.count(r.address) && triggered(r))
                    write(r.address, std::string(r.words[0]));
                break;
            case Cell::Showcase:
                if (const auto* t = estimate::showcaseType(c.*std::get<Number>(r.member));
                    t && triggered(r))
                    write(r.address, std::string(t->caption));
                break;
            case Cell::Level:
                if (triggered(r))
                    write(r.address, c.*std::get<Number>(r.member) * estimate::percentPerLevel);
                break;
            }
        }
    return out;
}

CabinetConfig readRequest(const CellReader& cell, CabinetConfig c) {
    for (const InputRow& r : estimate::inputs()) {
        if (r.cell == Cell::None)
            continue;
        const std::string address(r.address);
        const CellValue v = cell(r.address);
        switch (r.cell) {
        case Cell::None:
            break;
        case Cell::Area:
        case Cell::Count:
            c.*std::get<Text>(r.member) = textOf(v);
            break;
        case Cell::One:
        case Cell::Gate:
            c.*std::get<Flag>(r.member) = asNumber(v, address.c_str()) != 0;
            break;
        case Cell::Yes:
            c.*std::get<Flag>(r.member) = !asText(v, address.c_str()).empty();
            break;
        case Cell::Word: {
            const std::string t = asText(v, address.c_str());
            c.*std::get<Flag>(r.member) = !t.empty() && (t == r.words[0] || t == r.words[1]);
            break;
        }
        case Cell::Showcase: {
            const std::string t = textOf(v);
            const auto types = estimate::showcaseTypes();
            const auto hit = std::find_if(types.begin(), types.end(),
                                          [&](const auto& type) { return type.caption == t; });
            if (hit != types.end())
                c.*std::get<Number>(r.member) = static_cast<int>(hit - types.begin());
            break;
        }
        case Cell::Level:
            c.*std::get<Number>(r.member) = levelOf(asNumber(v, address.c_str()));
            break;
        }
    }
    return c;
}

} // namespace office

// SPDX-License-Identifier: MIT
#include "office/com/rtf.h"

#include "office/com/dispatch.h"
#include "office/suite.h"

namespace kccom {

namespace {

constexpr int twipsPerPoint = 20;

std::string escaped(const std::string& text) {
    std::string out;
    for (const wchar_t c : wide(text)) {
        if (c == L'\\' || c == L'{' || c == L'}')
            out += '\\' + std::string(1, static_cast<char>(c));
        else if (c == L'\t')
            out += "\\tab ";
        else if (c >= 0x20 && c < 0x80)
            out += static_cast<char>(c);
        else // \uN takes a signed 16-bit number; "?" is the reader's fallback
            out += "\\u" + std::to_string(static_cast<short>(c)) + '?';
    }
    return out;
}

// A bullet list of Word's own (\listtable, \ls1), so that Word shows its bullets as a list
// and not as typed characters.
const char* const bulletList = "{\\*\\listtable{\\list\\listtemplateid1\\listsimple"
                               "{\\listlevel\\levelnfc23\\leveljc0\\levelfollow0\\levelstartat1"
                               "{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}}"
                               "\\listid1}}"
                               "{\\*\\listoverridetable{\\listoverride\\listid1"
                               "\\listoverridecount0\\ls1}}";

} // namespace

LCID printoutLcid() {
    return LocaleNameToLCID(
        wide(std::string(office::printoutLanguage) + '-' + office::printoutCountry).c_str(), 0);
}

std::string toRtf(const std::vector<estimate::Paragraph>& body, const std::string& family) {
    const std::string lang = std::to_string(printoutLcid());
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang" + lang +
                      "{\\fonttbl{\\f0\\fnil\\fcharset204 " +
                      escaped(family.empty() ? "Times New Roman" : family) + ";}}" + bulletList +
                      '\n';
    for (const auto& p : body) {
        const auto& f = p.format;
        rtf += "\\pard\\plain\\f0\\lang" + lang;
        rtf += f.align == estimate::Align::Center ? "\\qc" : "\\ql";
        // A bullet hangs in the paragraph's left indent, which makes room for it.
        if (f.bullets)
            rtf += "\\ls1\\fi-" + std::to_string(f.bulletIndent * twipsPerPoint);
        if (f.leftIndent)
            rtf += "\\li" + std::to_string(f.leftIndent * twipsPerPoint);
        rtf += "\\fs" + std::to_string(f.size * 2);
        if (f.bold())
            rtf += "\\b";
        if (f.italic())
            rtf += "\\i";
        rtf += ' ' + escaped(p.text) + "\\par\n";
    }
    return rtf + '}';
}

} // namespace kccom

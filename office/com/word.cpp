// SPDX-License-Identifier: MIT
// The word-processor half: the printout in "Word.Application". The logo and the body reach the
// document through the clipboard, as Word pastes them: the logo a bitmap, the body RTF.
#include "office/com/clipboard.h"
#include "office/com/rtf.h"
#include "office/com/suite_com.h"

#include <stdexcept>

namespace kccom {

namespace {

struct PageMargin {
    const char* member;
    double points;
};
// HeaderDistance is the top one: from the page's edge to the header.
constexpr PageMargin pageMargins[] = {
    {"LeftMargin", office::printoutMargins.left},
    {"RightMargin", office::printoutMargins.right},
    {"HeaderDistance", office::printoutMargins.top},
    {"BottomMargin", office::printoutMargins.bottom},
};
constexpr int verticallyCentred = 1; // wdCellAlignVerticalCenter
constexpr int primaryHeader = 1;     // wdHeaderFooterPrimary
constexpr int doNotSave = 0;         // wdDoNotSaveChanges
constexpr int openDocumentText = 23; // wdFormatOpenDocumentText

std::string plainText(const std::vector<estimate::Paragraph>& body) {
    std::string text;
    for (const auto& p : body)
        text += (text.empty() ? "" : "\r\n") + p.text;
    return text;
}

} // namespace

void ComSuite::openWordDocument() {
    wordDocumentOpen_ = false;
    release(word_);
    word_ = Dispatch::create(L"Word.Application");
    guarded("start the word processor", word_, [&] {
        word_.put("Visible", {false});
        word_.object("Documents").call("Add");
    });
    wordDocumentOpen_ = true;
}

void ComSuite::fillWordDocument(const office::Letterhead& head,
                                const std::vector<estimate::Paragraph>& body,
                                const std::string& bodyFamily) {
    guarded("build the printout", word_, [&] {
        if (!wordDocumentOpen_)
            throw std::runtime_error("no document is open");
        const Dispatch doc = word_.object("ActiveDocument");
        const Dispatch page = doc.object("PageSetup");
        for (const auto& m : pageMargins)
            page.put(m.member, {Variant(static_cast<int>(m.points))});

        const Dispatch header = doc.object("Sections")
                                    .object("Item", {Variant(1)})
                                    .object("Headers")
                                    .object("Item", {Variant(primaryHeader)})
                                    .object("Range");
        doc.object("Tables").call("Add", {Variant(header), Variant(1), Variant(2)});
        const Dispatch table = header.object("Tables").object("Item", {Variant(1)});

        const Dispatch logoCell = table.object("Cell", {Variant(1), Variant(1)});
        logoCell.put("VerticalAlignment", {Variant(verticallyCentred)});
        if (!head.logo.empty()) {
            putBitmap(head.logo);
            logoCell.object("Range").call("Paste");
        }
        const Dispatch textRange = table.object("Cell", {Variant(1), Variant(2)}).object("Range");
        textRange.object("Font").put("Size", {Variant(static_cast<int>(office::letterheadPoints))});
        textRange.put("Text", {Variant(head.text)});
        textRange.put("LanguageID", {Variant(static_cast<int>(printoutLcid()))});

        putRichText(toRtf(body, bodyFamily), plainText(body));
        doc.object("Paragraphs").object("Last").object("Range").call("Paste");
    });
}

void ComSuite::showWordDocument() {
    guarded("show the printout", word_, [&] {
        if (!wordDocumentOpen_)
            throw std::runtime_error("no document is open");
        word_.put("Visible", {true});
        word_.call("Activate");
    });
}

// The half-built document is closed unsaved; the server ends when it shows nothing else.
void ComSuite::discardWordDocument() {
    if (!word_ || !wordDocumentOpen_)
        return;
    wordDocumentOpen_ = false;
    try {
        guarded("close the printout", word_, [&] {
            word_.object("ActiveDocument").call("Close", {Variant(doNotSave)});
            Variant open = word_.object("Documents").get("Count");
            if (SUCCEEDED(VariantChangeType(open.get(), open.get(), 0, VT_I4)) &&
                open.value().lVal == 0)
                word_.call("Quit", {Variant(doNotSave)});
        });
    } catch (const std::exception&) {
        // Nothing more can be done for a document the server cannot close.
    }
}

void ComSuite::storeWordDocument(const std::string& path) {
    guarded("store the printout", word_, [&] {
        if (!wordDocumentOpen_)
            throw std::runtime_error("no document is open");
        word_.object("ActiveDocument")
            .call("SaveAs", {Variant(windowsPath(path).c_str()), Variant(openDocumentText)});
    });
}

} // namespace kccom

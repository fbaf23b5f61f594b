// SPDX-License-Identifier: MIT
// The word-processor half: the printout in "Word.Application". The logo and the body reach the
// document through the clipboard, as Word pastes them: the logo a bitmap, the body RTF. The
// clipboard is filled on the calling thread, the pastes run on the server thread.
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

const Dispatch& documentServer(const Server& s) {
    if (!s.documentOpen)
        throw std::runtime_error("no document is open");
    return s.app;
}

// Cell (1, column) of the table in the first section's primary header.
Dispatch headerCell(const Server& s, int column) {
    return documentServer(s)
        .object("ActiveDocument")
        .object("Sections")
        .object("Item", {Variant(1)})
        .object("Headers")
        .object("Item", {Variant(primaryHeader)})
        .object("Range")
        .object("Tables")
        .object("Item", {Variant(1)})
        .object("Cell", {Variant(1), Variant(column)});
}

} // namespace

void ComSuite::openWordDocument() {
    release(word_);
    word_ = start(L"Word.Application");
    onServer("start the word processor", word_, [](Server& s) {
        s.app.put("Visible", {false});
        s.app.object("Documents").call("Add");
        s.documentOpen = true;
    });
}

void ComSuite::fillWordDocument(const office::Letterhead& head,
                                const std::vector<estimate::Paragraph>& body,
                                const std::string& bodyFamily) {
    onServer("lay out the printout's page", word_, [](Server& s) {
        const Dispatch doc = documentServer(s).object("ActiveDocument");
        const Dispatch page = doc.object("PageSetup");
        for (const auto& m : pageMargins)
            page.put(m.member, {Variant(static_cast<int>(m.points))});
        const Dispatch header = doc.object("Sections")
                                    .object("Item", {Variant(1)})
                                    .object("Headers")
                                    .object("Item", {Variant(primaryHeader)})
                                    .object("Range");
        doc.object("Tables").call("Add", {Variant(header), Variant(1), Variant(2)});
        headerCell(s, 1).put("VerticalAlignment", {Variant(verticallyCentred)});
    });
    if (!head.logo.empty()) {
        putBitmap(head.logo);
        onServer("paste the logo", word_,
                 [](Server& s) { headerCell(s, 1).object("Range").call("Paste"); });
    }
    onServer("write the letterhead", word_, [text = head.text](Server& s) {
        const Dispatch range = headerCell(s, 2).object("Range");
        range.object("Font").put("Size", {Variant(static_cast<int>(office::letterheadPoints))});
        range.put("Text", {Variant(text)});
        range.put("LanguageID", {Variant(static_cast<int>(printoutLcid()))});
    });
    putRichText(toRtf(body, bodyFamily), plainText(body));
    onServer("paste the description", word_, [](Server& s) {
        documentServer(s)
            .object("ActiveDocument")
            .object("Paragraphs")
            .object("Last")
            .object("Range")
            .call("Paste");
    });
}

void ComSuite::showWordDocument() {
    onServer("show the printout", word_, [](Server& s) {
        documentServer(s).put("Visible", {true});
        s.app.call("Activate");
    });
}

// The half-built document is closed unsaved; the server ends when it shows nothing else.
void ComSuite::discardWordDocument() {
    if (!word_ || !word_->documentOpen)
        return;
    try {
        onServer("close the printout", word_, [](Server& s) {
            s.documentOpen = false;
            s.app.object("ActiveDocument").call("Close", {Variant(doNotSave)});
            Variant open = s.app.object("Documents").get("Count");
            if (SUCCEEDED(VariantChangeType(open.get(), open.get(), 0, VT_I4)) &&
                open.value().lVal == 0)
                s.app.call("Quit", {Variant(doNotSave)});
        });
    } catch (const std::exception&) {
        // Nothing more can be done for a document the server cannot close.
    }
}

// Word writes no flat ODF: a ".fodt" path gets ODF text as well.
void ComSuite::storeWordDocument(const std::string& path) {
    onServer("store the printout", word_, [file = windowsPath(path)](Server& s) {
        documentServer(s)
            .object("ActiveDocument")
            .call("SaveAs", {Variant(file.c_str()), Variant(openDocumentText)});
    });
}

} // namespace kccom

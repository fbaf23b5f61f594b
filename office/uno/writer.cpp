// SPDX-License-Identifier: MIT
// The word-processor half: the printout in LibreOffice Writer.
#include "office/uno/suite_uno.h"

#include <com/sun/star/awt/FontSlant.hpp>
#include <com/sun/star/awt/FontWeight.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/io/SequenceInputStream.hpp>
#include <com/sun/star/lang/Locale.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/VertOrientation.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <osl/file.hxx>

#include <filesystem>

namespace kcuno {

using namespace css;
using rtl::OUString;

namespace {

// Page geometry of the printout, in points.
struct PageMargin {
    const char* property;
    double points;
};
constexpr PageMargin pageMargins[] = {
    {"LeftMargin", office::printoutMargins.left},
    {"RightMargin", office::printoutMargins.right},
    {"TopMargin", office::printoutMargins.top},
    {"BottomMargin", office::printoutMargins.bottom},
};
constexpr float letterheadSize = office::letterheadPoints;
const char* const bulletList = "List 1";

sal_Int32 pointsToHmm(double points) {
    return static_cast<sal_Int32>(points * 2540 / 72 + 0.5);
}
sal_Int32 pixelsToHmm(int pixels) {
    return pixels * 2540 / 96;
}

template <class T> Reference<T> query(const uno::Reference<uno::XInterface>& x) {
    return Reference<T>(x, uno::UNO_QUERY_THROW);
}

void setProperty(const Reference<uno::XInterface>& x, const char* name, const uno::Any& v) {
    query<beans::XPropertySet>(x)->setPropertyValue(OUString::createFromAscii(name), v);
}

Reference<graphic::XGraphic> makeGraphic(const Reference<uno::XComponentContext>& ctx,
                                         const std::vector<unsigned char>& bytes) {
    uno::Sequence<sal_Int8> data(reinterpret_cast<const sal_Int8*>(bytes.data()),
                                 static_cast<sal_Int32>(bytes.size()));
    uno::Sequence<beans::PropertyValue> query(1);
    query.getArray()[0] = property(
        "InputStream", uno::Any(io::SequenceInputStream::createStreamFromSequence(ctx, data)));
    return graphic::GraphicProvider::create(ctx)->queryGraphic(query);
}

void fillHeader(const Reference<frame::XModel>& doc, const Reference<uno::XComponentContext>& ctx,
                const Reference<beans::XPropertySet>& page, const office::Letterhead& head) {
    page->setPropertyValue("HeaderIsOn", uno::Any(true));
    auto header =
        query<text::XText>(page->getPropertyValue("HeaderText").get<Reference<uno::XInterface>>());
    auto factory = query<lang::XMultiServiceFactory>(doc);
    auto table = query<text::XTextTable>(factory->createInstance("com.sun.star.text.TextTable"));
    table->initialize(1, 2);
    header->insertTextContent(header->getEnd(), query<text::XTextContent>(table), false);

    auto logoCell = table->getCellByName("A1");
    setProperty(logoCell, "VertOrient", uno::Any(text::VertOrientation::CENTER));
    if (!head.logo.empty()) {
        auto image = factory->createInstance("com.sun.star.text.TextGraphicObject");
        setProperty(image, "Graphic", uno::Any(makeGraphic(ctx, head.logo)));
        setProperty(image, "AnchorType", uno::Any(text::TextContentAnchorType_AS_CHARACTER));
        setProperty(
            image, "Size",
            uno::Any(awt::Size(pixelsToHmm(head.logoWidthPx), pixelsToHmm(head.logoHeightPx))));
        auto logoText = query<text::XText>(logoCell);
        logoText->insertTextContent(logoText->getEnd(), query<text::XTextContent>(image), false);
    }

    // The letterhead lines become line breaks within one paragraph.
    auto headText = query<text::XText>(table->getCellByName("B1"));
    headText->setString(toOUString(head.text));
    auto all = headText->createTextCursor();
    all->gotoStart(false);
    all->gotoEnd(true);
    setProperty(all, "CharHeight", uno::Any(letterheadSize));
}

// The document's own language, which the header, the body and whatever the user adds inherit:
// the spell checker reads the printout as Russian, whatever the office's default.
void markLanguage(const Reference<frame::XModel>& doc) {
    const lang::Locale locale(OUString::createFromAscii(office::printoutLanguage),
                              OUString::createFromAscii(office::printoutCountry), OUString());
    setProperty(doc, "CharLocale", uno::Any(locale));
}

void fillBody(const Reference<frame::XModel>& doc, const std::vector<estimate::Paragraph>& body,
              const std::string& family) {
    auto text = query<text::XTextDocument>(doc)->getText();
    auto cursorObject = text->createTextCursor();
    cursorObject->gotoEnd(false);
    Reference<text::XTextRange> cursor(cursorObject.get());
    bool first = true;
    for (const auto& p : body) {
        if (!first)
            text->insertControlCharacter(cursor, text::ControlCharacter::PARAGRAPH_BREAK, false);
        first = false;
        const auto& f = p.format;
        setProperty(cursor, "ParaAdjust",
                    uno::Any(f.align == estimate::Align::Center ? style::ParagraphAdjust_CENTER
                                                                : style::ParagraphAdjust_LEFT));
        setProperty(cursor, "NumberingStyleName",
                    uno::Any(f.bullets ? OUString::createFromAscii(bulletList) : OUString()));
        if (!family.empty())
            setProperty(cursor, "CharFontName", uno::Any(toOUString(family)));
        setProperty(cursor, "CharHeight", uno::Any(static_cast<float>(f.size)));
        setProperty(cursor, "CharWeight",
                    uno::Any(f.bold() ? awt::FontWeight::BOLD : awt::FontWeight::NORMAL));
        setProperty(cursor, "CharPosture",
                    uno::Any(f.italic() ? awt::FontSlant_ITALIC : awt::FontSlant_NONE));
        text->insertString(cursor, toOUString(p.text), false);
    }
}

} // namespace

void UnoSuite::openWordDocument() {
    guarded("start the word processor", [&] {
        wordDocument_.clear();
        Reference<frame::XModel> doc = load("private:factory/swriter", true, ownMacros);
        if (!Reference<text::XTextDocument>(doc, uno::UNO_QUERY).is()) {
            closeModel(doc);
            throw uno::RuntimeException("not a text document");
        }
        wordDocument_ = doc;
    });
}

void UnoSuite::fillWordDocument(const office::Letterhead& head,
                                const std::vector<estimate::Paragraph>& body,
                                const std::string& bodyFamily) {
    guarded("build the printout", [&] {
        if (!wordDocument_.is())
            throw uno::RuntimeException("no document is open");
        auto families = query<style::XStyleFamiliesSupplier>(wordDocument_)->getStyleFamilies();
        auto pageStyles = query<container::XNameAccess>(
            families->getByName("PageStyles").get<Reference<uno::XInterface>>());
        auto page = query<beans::XPropertySet>(
            pageStyles->getByName("Standard").get<Reference<uno::XInterface>>());
        for (const auto& m : pageMargins)
            page->setPropertyValue(OUString::createFromAscii(m.property),
                                   uno::Any(pointsToHmm(m.points)));
        markLanguage(wordDocument_);
        fillHeader(wordDocument_, office_.context(), page, head);
        fillBody(wordDocument_, body, bodyFamily);
    });
}

void UnoSuite::showWordDocument() {
    guarded("show the printout", [&] {
        if (!wordDocument_.is())
            throw uno::RuntimeException("no document is open");
        showFrontWindow(wordDocument_);
    });
}

void UnoSuite::discardWordDocument() {
    Reference<frame::XModel> doc = wordDocument_;
    wordDocument_.clear();
    if (!doc.is() || !office_.connected())
        return;
    try {
        guarded("close the printout", [&] { closeModel(doc); });
        office_.terminateIfIdle();
    } catch (const std::exception&) {
        // Nothing more can be done for a document the office cannot close.
    }
}

void UnoSuite::storeWordDocument(const std::string& path) {
    guarded("store the printout", [&] {
        if (!wordDocument_.is())
            throw uno::RuntimeException("no document is open");
        const bool flat = path.size() > 5 && path.compare(path.size() - 5, 5, ".fodt") == 0;
        uno::Sequence<beans::PropertyValue> args(1);
        args.getArray()[0] = property(
            "FilterName",
            uno::Any(OUString::createFromAscii(flat ? "OpenDocument Text Flat XML" : "writer8")));
        const OUString url = fileUrl(path);
        query<frame::XStorable>(wordDocument_)->storeToURL(url, args);
    });
}

} // namespace kcuno

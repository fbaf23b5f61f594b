// SPDX-License-Identifier: MIT
// The spreadsheet half: request workbooks in LibreOffice Calc.
#include "office/uno/suite_uno.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheetView.hpp>
#include <com/sun/star/table/CellContentType.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XText.hpp>
#include <osl/file.hxx>

#include <filesystem>

namespace kcuno {

using namespace css;
using rtl::OUString;

namespace {

// Calc's filter for Excel 97-2003 workbooks; a file of any other format is not a request.
const char* const excelFilter = "MS Excel 97";
constexpr sal_Int32 formulaResultValue = 1; // sheet::FormulaResult::VALUE
constexpr sal_Int16 noUpdate = 0;           // document::UpdateDocMode::NO_UPDATE

OUString filterOf(const Reference<frame::XModel>& model) {
    for (const auto& arg : model->getArgs())
        if (arg.Name == "FilterName") {
            OUString name;
            arg.Value >>= name;
            return name;
        }
    return {};
}

} // namespace

OUString fileUrl(const std::string& path) {
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    OUString url;
    if (osl::FileBase::getFileURLFromSystemPath(toOUString(absolute), url) != osl::FileBase::E_None)
        throw uno::RuntimeException("not a file path: " + toOUString(path));
    return url;
}

void UnoSuite::openWorkbook(const std::string& path) {
    openExcelWorkbook(path, false, foreignMacros);
}

void UnoSuite::openWorkbookToRead(const std::string& path) {
    openExcelWorkbook(path, true, foreignMacros);
}

void UnoSuite::openOwnWorkbook(const std::string& path) {
    openExcelWorkbook(path, false, ownMacros);
}

// The Excel filter is named, so that no other import filter ever sees the file, and links to
// other files or to the web are never updated, whatever the office's settings say.
void UnoSuite::openExcelWorkbook(const std::string& path, bool readOnly, sal_Int16 macros) {
    guarded("open the workbook", [&] {
        workbook_.clear();
        sheet_.clear();
        std::error_code ec;
        if (std::filesystem::file_size(path, ec) == 0 || ec)
            throw uno::RuntimeException("an empty or missing file");
        uno::Sequence<beans::PropertyValue> more(3);
        more.getArray()[0] =
            property("FilterName", uno::Any(OUString::createFromAscii(excelFilter)));
        more.getArray()[1] = property("UpdateDocMode", uno::Any(noUpdate));
        more.getArray()[2] = property("ReadOnly", uno::Any(readOnly));
        Reference<frame::XModel> model = load(fileUrl(path), true, macros, more);
        if (!Reference<sheet::XSpreadsheetDocument>(model, uno::UNO_QUERY).is() ||
            filterOf(model) != OUString::createFromAscii(excelFilter)) {
            closeModel(model);
            throw uno::RuntimeException("not an Excel 97-2003 workbook");
        }
        Reference<sheet::XSpreadsheetView> view(model->getCurrentController(),
                                                uno::UNO_QUERY_THROW);
        sheet_ = view->getActiveSheet();
        workbook_ = model;
    });
}

Reference<table::XCell> UnoSuite::cellAt(std::string_view address) {
    if (!sheet_.is())
        throw uno::RuntimeException("no workbook is open");
    return sheet_->getCellRangeByName(toOUString(address))->getCellByPosition(0, 0);
}

void UnoSuite::setCell(std::string_view address, std::string_view text) {
    guarded("write a cell", [&] {
        Reference<text::XText>(cellAt(address), uno::UNO_QUERY_THROW)->setString(toOUString(text));
    });
}

void UnoSuite::setCell(std::string_view address, int value) {
    guarded("write a cell", [&] { cellAt(address)->setValue(value); });
}

office::CellValue UnoSuite::cell(std::string_view address) {
    office::CellValue result;
    guarded("read a cell", [&] {
        Reference<table::XCell> c = cellAt(address);
        auto text = [&] {
            return toUtf8(Reference<text::XText>(c, uno::UNO_QUERY_THROW)->getString());
        };
        switch (c->getType()) {
        case table::CellContentType_EMPTY:
            result = {};
            break;
        case table::CellContentType_VALUE:
            result = office::CellValue::ofNumber(c->getValue());
            break;
        case table::CellContentType_TEXT:
            result = office::CellValue::ofText(text());
            break;
        default: {
            sal_Int32 type = 0;
            Reference<beans::XPropertySet>(c, uno::UNO_QUERY_THROW)
                ->getPropertyValue("FormulaResultType2") >>= type;
            result = type == formulaResultValue ? office::CellValue::ofNumber(c->getValue())
                                                : office::CellValue::ofText(text());
        }
        }
    });
    return result;
}

void UnoSuite::saveWorkbook() {
    guarded("save the workbook", [&] {
        if (!workbook_.is())
            throw uno::RuntimeException("no workbook is open");
        Reference<frame::XStorable>(workbook_, uno::UNO_QUERY_THROW)->store();
    });
}

void UnoSuite::showWorkbook() {
    guarded("show the workbook", [&] {
        if (!workbook_.is())
            throw uno::RuntimeException("no workbook is open");
        showFrontWindow(workbook_);
        workbook_.clear();
        sheet_.clear();
    });
}

void UnoSuite::closeWorkbook() {
    if (!workbook_.is() || !office_.connected()) {
        dropWorkbook();
        return;
    }
    guarded("close the workbook", [&] {
        Reference<frame::XModel> model = workbook_;
        dropWorkbook();
        closeModel(model);
    });
    if (office_.options().showsDocuments)
        office_.terminateIfIdle(); // a reading office waits for the next workbook
}

void UnoSuite::closeDocumentOf(const std::string& path) {
    if (!office_.connected())
        return;
    guarded("close a document", [&] {
        const OUString url = fileUrl(path);
        auto components = office_.desktop()->getComponents()->createEnumeration();
        while (components->hasMoreElements()) {
            Reference<frame::XModel> model(components->nextElement(), uno::UNO_QUERY);
            try {
                if (model.is() && model->getURL() == url)
                    closeModel(model);
            } catch (const lang::DisposedException&) {
                // Closed meanwhile by someone else, such as another calculator on the same
                // office; a bridge that went away fails the next call on the enumeration.
            }
        }
    });
}

void UnoSuite::dropWorkbook() {
    workbook_.clear();
    sheet_.clear();
}

} // namespace kcuno

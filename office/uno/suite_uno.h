// SPDX-License-Identifier: MIT
// The office suite over UNO: LibreOffice Calc for request workbooks, Writer for the printout.
#pragma once

#include "office/suite.h"
#include "office/uno/connection.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>

#include <functional>

namespace kcuno {

class UnoSuite final : public office::Suite {
  public:
    explicit UnoSuite(const office::SuiteOptions& options)
        : office_(options) {}

    void openWorkbook(const std::string& path) override;
    void openWorkbookToRead(const std::string& path) override;
    void openOwnWorkbook(const std::string& path) override;
    void setCell(std::string_view address, std::string_view text) override;
    void setCell(std::string_view address, int value) override;
    office::CellValue cell(std::string_view address) override;
    void saveWorkbook() override;
    void showWorkbook() override;
    void closeWorkbook() override;
    void dropWorkbook() override;
    void closeDocumentOf(const std::string& path) override;

    void openWordDocument() override;
    void fillWordDocument(const office::Letterhead& head,
                          const std::vector<estimate::Paragraph>& body,
                          const std::string& bodyFamily) override;
    void showWordDocument() override;
    void discardWordDocument() override;
    void storeWordDocument(const std::string& path) override;

    std::string windowTitle(const std::string& path) override;

    long officePid() const override { return office_.pid(); }
    void shutdown() override;
    void startEarly() override { office_.startEarly(); }

  private:
    // Runs one operation within the call deadline and turns UNO failures into
    // std::runtime_error; an office found dead is forgotten, so the next use starts anew.
    void guarded(const char* what, const std::function<void()>& op);
    // `macros`: the office's MacroExecMode for the document.
    Reference<css::frame::XModel>
    load(const rtl::OUString& url, bool hidden, sal_Int16 macros,
         const css::uno::Sequence<css::beans::PropertyValue>& more = {});
    void openExcelWorkbook(const std::string& path, bool readOnly, sal_Int16 macros);
    Reference<css::table::XCell> cellAt(std::string_view address);

    Connection office_;
    Reference<css::frame::XModel> workbook_;
    Reference<css::sheet::XSpreadsheet> sheet_;
    Reference<css::frame::XModel> wordDocument_;
};

// Macros of a document from elsewhere never run. LibreOffice 25.2 then shows a bar "Macros
// disabled" on the document's window whether it holds macros or not (7.4 only when it holds
// some). The calculator's own documents hold none: they are opened as the office opens files of
// the places the user trusts, without a question; nothing runs, and no bar alarms the user.
inline constexpr sal_Int16 foreignMacros = 0; // document::MacroExecMode::NEVER_EXECUTE
inline constexpr sal_Int16 ownMacros = 7;     // document::MacroExecMode::FROM_LIST_NO_WARN

// Helpers shared by the Calc and Writer parts.
rtl::OUString toOUString(std::string_view s);
std::string toUtf8(const rtl::OUString& s);
css::beans::PropertyValue property(const char* name, const css::uno::Any& value);
void showFrontWindow(const Reference<css::frame::XModel>& model);
void closeModel(const Reference<css::frame::XModel>& model);
rtl::OUString fileUrl(const std::string& path);

} // namespace kcuno

// SPDX-License-Identifier: MIT
// The spreadsheet half: request workbooks in "Excel.Application".
#include "office/com/suite_com.h"

#include <stdexcept>

namespace kccom {

namespace {

// Macros of any workbook opened by automation are forced off (msoAutomationSecurityForceDisable):
// Excel started by automation would otherwise enable them. The calculator's template holds no
// macro code.
constexpr int macrosForcedOff = 3;
constexpr int updateNoLinks = 0; // Workbooks.Open's UpdateLinks: update no external reference

office::CellValue toCellValue(const Variant& value) {
    Variant v(value);
    switch (v.value().vt) {
    case VT_EMPTY:
    case VT_NULL:
        return {};
    case VT_BSTR:
        return office::CellValue::ofText(v.value().bstrVal ? utf8(v.value().bstrVal) : "");
    case VT_ERROR:
        throw std::runtime_error("the cell holds an error value");
    default:
        if (FAILED(VariantChangeType(v.get(), v.get(), 0, VT_R8)))
            throw std::runtime_error("the cell holds neither a number nor a text");
        return office::CellValue::ofNumber(v.value().dblVal);
    }
}

} // namespace

void ComSuite::openWorkbook(const std::string& path) {
    openExcelWorkbook(path, false);
}

void ComSuite::openWorkbookToRead(const std::string& path) {
    openExcelWorkbook(path, true);
}

// The calculator's own request: opened as any workbook to be written, with macros off.
void ComSuite::openOwnWorkbook(const std::string& path) {
    openExcelWorkbook(path, false);
}

// Each open starts a new server; the one before, shown to the user, is left to the user.
void ComSuite::openExcelWorkbook(const std::string& path, bool readOnly) {
    release(excel_);
    workbookOpen_ = excelShown_ = false;
    excelPid_ = 0;
    excel_ = Dispatch::create(L"Excel.Application");
    try {
        guarded("open the workbook", excel_, [&] {
            excel_.put("AutomationSecurity", {macrosForcedOff});
            excel_.put("DisplayAlerts", {false});
            std::vector<Variant> args{Variant(windowsPath(path).c_str()), Variant(updateNoLinks)};
            if (readOnly)
                args.emplace_back(true); // ReadOnly: no write access, no lock on the file
            excel_.object("Workbooks").call("Open", std::move(args));
        });
        workbookOpen_ = true;
    } catch (const std::exception&) {
        if (excel_) {
            // The server's own clean-up; its failure reaches the caller instead.
            Dispatch server = excel_;
            excel_.reset();
            guarded("end the spreadsheet server", server, [&] {
                server.object("Workbooks").call("Close");
                server.call("Quit");
            });
        }
        throw;
    }
}

const Dispatch& ComSuite::workbookServer() const {
    if (!excel_ || !workbookOpen_)
        throw std::runtime_error("no workbook is open");
    return excel_;
}

void ComSuite::setCell(std::string_view address, std::string_view text) {
    guarded("write a cell", excel_, [&] {
        workbookServer().put("Range", {Variant(address), Variant(text)});
    });
}

void ComSuite::setCell(std::string_view address, int value) {
    guarded("write a cell", excel_, [&] {
        workbookServer().put("Range", {Variant(address), Variant(value)});
    });
}

office::CellValue ComSuite::cell(std::string_view address) {
    office::CellValue result;
    guarded("read a cell", excel_, [&] {
        result = toCellValue(workbookServer().object("Range", {Variant(address)}).get("Value"));
    });
    return result;
}

// The active workbook is stored in its own file and format.
void ComSuite::saveWorkbook() {
    guarded("save the workbook", excel_,
            [&] { workbookServer().object("ActiveWorkbook").call("Save"); });
}

void ComSuite::showWorkbook() {
    guarded("show the workbook", excel_, [&] {
        const Dispatch& server = workbookServer();
        server.put("DisplayAlerts", {true});
        server.put("Visible", {true});
        const Variant hwnd = server.get("Hwnd");
        excelPid_ = processOfWindow(hwnd);
        Variant low(hwnd);
        if (SUCCEEDED(VariantChangeType(low.get(), low.get(), 0, VT_I8)))
            SetForegroundWindow(reinterpret_cast<HWND>(
                static_cast<intptr_t>(static_cast<LONG>(low.value().llVal & 0xffffffff))));
        workbookOpen_ = false;
        excelShown_ = true;
    });
}

void ComSuite::closeWorkbook() {
    if (!excel_) {
        workbookOpen_ = false;
        return;
    }
    try {
        guarded("close the workbook", excel_, [&] {
            excel_.object("ActiveWorkbook").call("Close");
            excel_.call("Quit");
        });
        excel_.reset();
    } catch (const std::exception&) {
        if (excel_) {
            Dispatch server = excel_;
            excel_.reset();
            guarded("end the spreadsheet server", server, [&] {
                server.object("Workbooks").call("Close");
                server.call("Quit");
            });
        }
        workbookOpen_ = false;
        throw;
    }
    workbookOpen_ = false;
}

// The server keeps running as it is; the reference is released.
void ComSuite::dropWorkbook() {
    release(excel_);
    workbookOpen_ = excelShown_ = false;
    excelPid_ = 0;
}

void ComSuite::closeDocumentOf(const std::string& path) {
    if (!excel_)
        return;
    const std::wstring wanted = windowsPath(path);
    guarded("close a document", excel_, [&] {
        const Dispatch books = excel_.object("Workbooks");
        Variant count = books.get("Count");
        VariantChangeType(count.get(), count.get(), 0, VT_I4);
        for (int i = count.value().lVal; i >= 1; --i) {
            const Dispatch book = books.object("Item", {Variant(i)});
            const Variant name = book.get("FullName");
            if (name.value().vt == VT_BSTR && name.value().bstrVal &&
                CompareStringOrdinal(name.value().bstrVal, -1, wanted.c_str(), -1, TRUE) ==
                    CSTR_EQUAL)
                book.call("Close", {Variant(false)});
        }
    });
}

} // namespace kccom

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

const Dispatch& workbookServer(const Server& s) {
    if (!s.workbookOpen)
        throw std::runtime_error("no workbook is open");
    return s.app;
}

// The server's own clean-up after a failure: every workbook closed, the server ended.
void endServer(Server& s) {
    s.workbookOpen = false;
    s.app.object("Workbooks").call("Close");
    s.app.call("Quit");
    s.app.reset();
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
    excel_ = start(L"Excel.Application");
    const std::wstring file = windowsPath(path);
    try {
        onServer("open the workbook", excel_, [file, readOnly](Server& s) {
            s.app.put("AutomationSecurity", {macrosForcedOff});
            s.app.put("DisplayAlerts", {false});
            std::vector<Variant> args{Variant(file.c_str()), Variant(updateNoLinks)};
            if (readOnly)
                args.emplace_back(true); // ReadOnly: no write access, no lock on the file
            s.app.object("Workbooks").call("Open", std::move(args));
            s.workbookOpen = true;
        });
    } catch (const std::exception&) {
        if (excel_) // its failure reaches the caller instead
            onServer("end the spreadsheet server", excel_, endServer);
        excel_.reset();
        throw;
    }
}

void ComSuite::setCell(std::string_view address, std::string_view text) {
    onServer("write a cell", excel_, [a = std::string(address), t = std::string(text)](Server& s) {
        workbookServer(s).put("Range", {Variant(a), Variant(t)});
    });
}

void ComSuite::setCell(std::string_view address, int value) {
    onServer("write a cell", excel_, [a = std::string(address), value](Server& s) {
        workbookServer(s).put("Range", {Variant(a), Variant(value)});
    });
}

office::CellValue ComSuite::cell(std::string_view address) {
    return onServer("read a cell", excel_, [a = std::string(address)](Server& s) {
        return toCellValue(workbookServer(s).object("Range", {Variant(a)}).get("Value"));
    });
}

// The active workbook is stored in its own file and format.
void ComSuite::saveWorkbook() {
    onServer("save the workbook", excel_,
             [](Server& s) { workbookServer(s).object("ActiveWorkbook").call("Save"); });
}

void ComSuite::showWorkbook() {
    const Variant hwnd = onServer("show the workbook", excel_, [](Server& s) {
        const Dispatch& app = workbookServer(s);
        app.put("DisplayAlerts", {true});
        app.put("Visible", {true});
        Variant h = app.get("Hwnd");
        s.workbookOpen = false;
        s.shown = true;
        return h;
    });
    // On the calling thread, whose process the user works in: Windows lets the foreground
    // process hand the foreground on.
    const HWND window = windowOf(hwnd);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    excel_->pid = static_cast<long>(pid);
    SetForegroundWindow(window);
}

void ComSuite::closeWorkbook() {
    if (!excel_)
        return;
    try {
        onServer("close the workbook", excel_, [](Server& s) {
            s.workbookOpen = false;
            s.app.object("ActiveWorkbook").call("Close");
            s.app.call("Quit");
            s.app.reset();
        });
    } catch (const std::exception&) {
        if (excel_)
            onServer("end the spreadsheet server", excel_, endServer);
        excel_.reset();
        throw;
    }
    excel_.reset();
}

// The server keeps running as it is; only the reference goes.
void ComSuite::dropWorkbook() {
    release(excel_);
}

void ComSuite::closeDocumentOf(const std::string& path) {
    if (!excel_)
        return;
    onServer("close a document", excel_, [wanted = windowsPath(path)](Server& s) {
        const Dispatch books = s.app.object("Workbooks");
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

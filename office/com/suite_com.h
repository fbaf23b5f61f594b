// SPDX-License-Identifier: MIT
// The office suite over COM automation: "Excel.Application" for request workbooks,
// "Word.Application" for the printout, both by late binding. Each start of a server makes a
// new server object; the one before is left to the user without a call. Like the servers'
// references, the suite is used on the thread that made it, a single-threaded apartment.
#pragma once

#include "office/com/call_guard.h"
#include "office/com/dispatch.h"
#include "office/suite.h"

#include <functional>

namespace kccom {

// The calling thread's membership in a single-threaded apartment, for the suite's life.
struct Apartment {
    Apartment();
    ~Apartment();
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;
    bool started;
};

class ComSuite final : public office::Suite {
  public:
    explicit ComSuite(const office::SuiteOptions& options);
    ~ComSuite() override;

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
    long officePid() const override;
    void shutdown() override;

  private:
    // Runs one operation on `server` within the call deadline. A server that did not answer
    // in time is forgotten without any further call (it may never answer one).
    void guarded(const char* what, Dispatch& server, const std::function<void()>& op);
    // Releases the reference within the call deadline.
    void release(Dispatch& server);
    void openExcelWorkbook(const std::string& path, bool readOnly);
    const Dispatch& workbookServer() const;

    office::SuiteOptions options_;
    Apartment apartment_;
    CallGuard guard_;
    Dispatch excel_;            // the spreadsheet server of the last request or load
    bool workbookOpen_ = false; // excel_'s active workbook is the suite's
    bool excelShown_ = false;
    long excelPid_ = 0;
    Dispatch word_; // the word processor of the last printout
    bool wordDocumentOpen_ = false;
};

// A path as Windows programs take it: absolute, with backslashes.
std::wstring windowsPath(const std::string& path);
// The process of a server's main window, 0 when unknown.
long processOfWindow(const Variant& hwnd);

} // namespace kccom

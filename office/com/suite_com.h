// SPDX-License-Identifier: MIT
// The office suite over COM automation: "Excel.Application" for request workbooks,
// "Word.Application" for the printout, both by late binding. Each start of a server makes a
// new server object; the one before is released and left to the user. Every call on a server
// runs on the suite's server thread within the deadline (server_thread.h); an operation given
// to it owns copies of what it uses, as it may outlive a deadline.
#pragma once

#include "office/com/dispatch.h"
#include "office/com/server_thread.h"
#include "office/suite.h"

#include <memory>
#include <optional>
#include <type_traits>

namespace kccom {

// A started server and what the suite knows of it; its references live on the server thread.
struct Server {
    Dispatch app;
    bool workbookOpen = false; // the active workbook is the suite's
    bool shown = false;
    bool documentOpen = false;
    long pid = 0;
};
using ServerRef = std::shared_ptr<Server>;

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
    // Runs op(server) on the server thread and gives its result. A server that did not answer
    // in time is forgotten (`server` emptied) without any further call.
    template <class Op>
    auto onServer(const char* what, ServerRef& server, Op op, int timeoutMs = 0)
        -> decltype(op(std::declval<Server&>()));
    // A new server object of the ProgID, within the start deadline.
    ServerRef start(const wchar_t* progId);
    // Releases the server's reference on the server thread and forgets it.
    void release(ServerRef& server);
    void openExcelWorkbook(const std::string& path, bool readOnly);

    office::SuiteOptions options_;
    ServerThread thread_;
    ServerRef excel_; // the spreadsheet server of the last request or load
    ServerRef word_;  // the word processor of the last printout
};

template <class Op>
auto ComSuite::onServer(const char* what, ServerRef& server, Op op, int timeoutMs)
    -> decltype(op(std::declval<Server&>())) {
    using Result = decltype(op(std::declval<Server&>()));
    if (!server)
        throw std::runtime_error(std::string(what) + ": no server is running");
    auto result =
        std::make_shared<std::optional<std::conditional_t<std::is_void_v<Result>, bool, Result>>>();
    try {
        thread_.run(
            [s = server, op, result] {
                if constexpr (std::is_void_v<Result>)
                    op(*s);
                else
                    result->emplace(op(*s));
            },
            timeoutMs ? timeoutMs : options_.callTimeoutMs);
    } catch (const Late& e) {
        server.reset(); // the late operation holds its own reference
        throw std::runtime_error(std::string(what) + ": " + e.what());
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(what) + ": " + e.what());
    }
    if constexpr (!std::is_void_v<Result>)
        return std::move(**result);
}

// A path as Windows programs take it: absolute, with backslashes.
std::wstring windowsPath(const std::string& path);
// A window handle as a server gives it (only its low 32 bits are significant).
HWND windowOf(const Variant& hwnd);

} // namespace kccom

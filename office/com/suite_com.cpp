// SPDX-License-Identifier: MIT
#include "office/com/suite_com.h"

#include <objbase.h>

#include <stdexcept>

namespace kccom {

namespace {
const wchar_t* const serverIds[] = {L"Excel.Application", L"Word.Application"};

// Which servers this system has, for the calculator's log.
std::string registeredServers() {
    std::string found;
    for (const wchar_t* id : serverIds) {
        CLSID clsid;
        found += (found.empty() ? "" : ", ") + utf8(id) +
                 (SUCCEEDED(CLSIDFromProgID(id, &clsid)) ? " is registered" : " is not registered");
    }
    return found;
}
} // namespace

std::wstring windowsPath(const std::string& path) {
    std::wstring w = wide(path);
    for (wchar_t& c : w)
        if (c == L'/')
            c = L'\\';
    wchar_t full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(w.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return n > 0 && n < std::size(full) ? std::wstring(full, n) : w;
}

long processOfWindow(const Variant& hwnd) {
    Variant v(hwnd);
    if (FAILED(VariantChangeType(v.get(), v.get(), 0, VT_I8)))
        return 0;
    DWORD pid = 0;
    // Only the low 32 bits of a window handle are significant.
    GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<intptr_t>(
                                 static_cast<LONG>(v.value().llVal & 0xffffffff))),
                             &pid);
    return static_cast<long>(pid);
}

// Qt has made the user-interface thread a single-threaded apartment already (OleInitialize);
// the call then only counts once more.
Apartment::Apartment()
    : started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

Apartment::~Apartment() {
    if (started)
        CoUninitialize();
}

ComSuite::ComSuite(const office::SuiteOptions& options)
    : options_(options) {
    if (options_.notice)
        options_.notice("automation servers: " + registeredServers());
}

// The servers' references are released without any other call: whatever the user sees stays
// open. A server that does not take the release in time is left as it is.
ComSuite::~ComSuite() {
    release(excel_);
    release(word_);
}

void ComSuite::release(Dispatch& server) {
    Deadline deadline(guard_, options_.callTimeoutMs);
    server.reset();
}

void ComSuite::guarded(const char* what, Dispatch& server, const std::function<void()>& op) {
    try {
        Deadline deadline(guard_, options_.callTimeoutMs);
        op();
    } catch (const std::exception& e) {
        if (!guard_.expired())
            throw std::runtime_error(std::string(what) + ": " + e.what());
        server.abandon();
        if (&server == &excel_)
            workbookOpen_ = false;
        else if (&server == &word_)
            wordDocumentOpen_ = false;
        throw std::runtime_error(std::string(what) + ": the server did not answer within " +
                                 std::to_string(options_.callTimeoutMs) + " ms (" + e.what() + ")");
    }
}

std::string ComSuite::windowTitle(const std::string& path) {
    std::string title;
    Dispatch& server = path.empty() ? word_ : excel_;
    guarded("read a window's title", server, [&] {
        Variant caption = server.get("Caption");
        if (caption.value().vt == VT_BSTR && caption.value().bstrVal)
            title = utf8(caption.value().bstrVal);
    });
    return title;
}

long ComSuite::officePid() const {
    return excel_ ? excelPid_ : 0;
}

// A server the suite started and shows nothing of is ended.
void ComSuite::shutdown() {
    if (!excel_ || excelShown_)
        return;
    try {
        guarded("end the spreadsheet server", excel_, [&] { excel_.call("Quit"); });
    } catch (const std::exception&) {
    }
    excel_.reset();
    workbookOpen_ = false;
    excelPid_ = 0;
}

} // namespace kccom

extern "C" __declspec(dllexport) office::Suite* kc_office_create(
    const office::SuiteOptions* options) {
    try {
        return new kccom::ComSuite(*options);
    } catch (...) {
        return nullptr;
    }
}

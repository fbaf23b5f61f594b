// SPDX-License-Identifier: MIT
#include "office/com/suite_com.h"

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

HWND windowOf(const Variant& hwnd) {
    Variant v(hwnd);
    if (FAILED(VariantChangeType(v.get(), v.get(), 0, VT_I8)))
        return nullptr;
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<LONG>(v.value().llVal)));
}

ComSuite::ComSuite(const office::SuiteOptions& options)
    : options_(options) {
    if (!options_.notice)
        return;
    auto found = std::make_shared<std::string>();
    try {
        thread_.run([found] { *found = registeredServers(); }, options_.callTimeoutMs);
    } catch (const std::exception& e) {
        *found = e.what();
    }
    options_.notice("automation servers: " + *found);
}

// The servers' references are released without any other call: whatever the user sees stays
// open.
ComSuite::~ComSuite() {
    release(excel_);
    release(word_);
}

ServerRef ComSuite::start(const wchar_t* progId) {
    auto server = std::make_shared<Server>();
    const std::wstring id = progId;
    onServer(
        "start the server", server, [id](Server& s) { s.app = Dispatch::create(id.c_str()); },
        options_.startTimeoutMs);
    return server;
}

void ComSuite::release(ServerRef& server) {
    if (!server)
        return;
    try {
        onServer("release the server", server, [](Server& s) { s.app.reset(); });
    } catch (const std::exception&) {
        // A server that does not take the release in time is left as it is.
    }
    server.reset();
}

std::string ComSuite::windowTitle(const std::string& path) {
    return onServer("read a window's title", path.empty() ? word_ : excel_,
                    [](Server& s) -> std::string {
                        const Variant caption = s.app.get("Caption");
                        return caption.value().vt == VT_BSTR && caption.value().bstrVal
                                   ? utf8(caption.value().bstrVal)
                                   : std::string();
                    });
}

long ComSuite::officePid() const {
    return excel_ ? excel_->pid : 0;
}

// A spreadsheet server that shows nothing is ended.
void ComSuite::shutdown() {
    if (!excel_ || excel_->shown)
        return;
    try {
        onServer("end the spreadsheet server", excel_, [](Server& s) { s.app.call("Quit"); });
    } catch (const std::exception&) {
    }
    release(excel_);
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

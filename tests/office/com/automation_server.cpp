// SPDX-License-Identifier: MIT
// A test automation server of the tests' own. It is NOT Microsoft Excel or Word and holds no
// part of them: a small local COM server that registers itself under the ProgIDs
// "Excel.Application" and "Word.Application" in a private wine prefix, answers the members the
// calculator calls the way the calculator relies on them (as documented for the two servers),
// and records every call, with its arguments and their types, one line each, to the file named
// by KC_TEST_OFFICE_LOG. Its "workbooks" are text files of its own: one "ADDRESS<TAB>KIND<TAB>
// VALUE" line per cell, KIND N (number) or S (text); a file in any other format opens empty,
// one that starts with "REFUSE" does not open.
//
//   automation_server.exe /regserver      register both classes (/unregserver: remove them)
//   automation_server.exe excel|word      the server, as COM starts it
//
// KC_TEST_OFFICE_REFUSE=Member makes it refuse that member.
// KC_TEST_OFFICE_HANG=Member makes the server sleep 6 s before it answers that member, and end
// right after: its client has given up on it.
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// {6F1D5B10-3C4A-4B7E-9E21-5A0C7D3E1A01}, {6F1D5B10-3C4A-4B7E-9E21-5A0C7D3E1A02}
const CLSID excelClass = {
    0x6f1d5b10, 0x3c4a, 0x4b7e, {0x9e, 0x21, 0x5a, 0x0c, 0x7d, 0x3e, 0x1a, 0x01}};
const CLSID wordClass = {
    0x6f1d5b10, 0x3c4a, 0x4b7e, {0x9e, 0x21, 0x5a, 0x0c, 0x7d, 0x3e, 0x1a, 0x02}};

std::string utf8(const wchar_t* w, int n = -1) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, w, n, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, n, s.data(), size, nullptr, nullptr);
    if (n < 0 && !s.empty())
        s.pop_back();
    return s;
}
std::wstring wide(const std::string& s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}
std::string env(const char* name) {
    wchar_t buffer[1024];
    const DWORD n = GetEnvironmentVariableW(wide(name).c_str(), buffer, 1024);
    return n && n < 1024 ? utf8(buffer, static_cast<int>(n)) : std::string();
}

const char* app = "Excel"; // or "Word": this process's server
LONG liveObjects = 0;
DWORD lastCall = 0;
HWND mainWindow = nullptr;

void record(const std::string& line) {
    const std::string path = env("KC_TEST_OFFICE_LOG");
    if (path.empty())
        return;
    std::ofstream(std::filesystem::path(wide(path)), std::ios::app | std::ios::binary)
        << app << ' ' << line << '\n';
}

struct Cell {
    char kind = 0; // 0 empty, 'N', 'S'
    double number = 0;
    std::string text;
};

// The state of the one application this process serves.
struct State {
    std::map<std::string, Cell> cells;
    std::wstring workbook; // empty: none open
    bool readOnly = false;
    int documents = 0;
    bool headerTable = false;
    int pastes = 0;
} state;

std::string describe(const VARIANT& v) {
    switch (v.vt) {
    case VT_BSTR: {
        std::string s = "BSTR:\"";
        for (const char c : utf8(v.bstrVal ? v.bstrVal : L""))
            s += c == '\n' ? std::string("\\n") : std::string(1, c);
        return s + '"';
    }
    case VT_I4:
        return "I4:" + std::to_string(v.lVal);
    case VT_BOOL:
        return std::string("BOOL:") + (v.boolVal ? "true" : "false");
    case VT_R8:
        return "R8:" + std::to_string(v.dblVal);
    case VT_DISPATCH:
        return "DISPATCH";
    case VT_ERROR:
        return "MISSING";
    case VT_EMPTY:
        return "EMPTY";
    default:
        return "VT" + std::to_string(v.vt);
    }
}

std::string text(const VARIANT& v) {
    return v.vt == VT_BSTR && v.bstrVal ? utf8(v.bstrVal) : std::string();
}
long integer(const VARIANT& v) {
    VARIANT c;
    VariantInit(&c);
    VariantChangeType(&c, const_cast<VARIANT*>(&v), 0, VT_I4);
    return c.lVal;
}

void loadWorkbook(const std::wstring& path) {
    state.cells.clear();
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string address, kind, value;
        if (!std::getline(fields, address, '\t') || !std::getline(fields, kind, '\t'))
            continue;
        std::getline(fields, value);
        if (kind == "N")
            state.cells[address] = {'N', std::strtod(value.c_str(), nullptr), {}};
        else if (kind == "S")
            state.cells[address] = {'S', 0, value};
    }
}

// A file that starts with "REFUSE" is one the server cannot open.
bool refused(const std::wstring& path) {
    char start[6] = {};
    std::ifstream(std::filesystem::path(path), std::ios::binary).read(start, 6);
    return std::string(start, 6) == "REFUSE";
}

void saveWorkbook() {
    std::ofstream out(std::filesystem::path(state.workbook), std::ios::trunc | std::ios::binary);
    for (const auto& [address, c] : state.cells)
        if (c.kind == 'N')
            out << address << "\tN\t" << c.number << '\n';
        else if (c.kind == 'S')
            out << address << "\tS\t" << c.text << '\n';
}

// What a paste finds on the clipboard: the formats offered, the bitmap's size, and the RTF,
// which is kept beside the log for the test.
std::string pasteClipboard() {
    std::string found;
    if (!OpenClipboard(nullptr))
        return "clipboard-unavailable";
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f)) {
        wchar_t name[128] = L"";
        if (!GetClipboardFormatNameW(f, name, 128))
            swprintf(name, 128, L"%u", f);
        found += (found.empty() ? "" : ",") + utf8(name);
    }
    if (HANDLE dib = GetClipboardData(CF_DIB)) {
        const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
        found += " dib=" + std::to_string(info->biWidth) + 'x' + std::to_string(info->biHeight) +
                 'x' + std::to_string(info->biBitCount);
        GlobalUnlock(dib);
    }
    if (HANDLE rtf = GetClipboardData(RegisterClipboardFormatW(L"Rich Text Format"))) {
        const std::string file =
            env("KC_TEST_OFFICE_LOG") + ".paste" + std::to_string(++state.pastes) + ".rtf";
        std::ofstream(std::filesystem::path(wide(file)), std::ios::binary)
            << static_cast<const char*>(GlobalLock(rtf));
        GlobalUnlock(rtf);
        found += " rtf=" + file;
    }
    CloseClipboard();
    return found;
}

class Object;
using Args = std::vector<VARIANT*>; // in their natural order; a put's value last
using Member = std::function<HRESULT(Object&, const Args&, VARIANT*)>;

std::vector<std::string> memberNames; // lower case; a DISPID is an index into this list
std::vector<std::string> spelled;     // as the client first spelled them

class Object final : public IDispatch {
  public:
    Object(std::string kind, std::string detail = {})
        : kind_(std::move(kind))
        , detail_(std::move(detail)) {
        InterlockedIncrement(&liveObjects);
    }
    ~Object() {
        if (InterlockedDecrement(&liveObjects) == 0)
            PostQuitMessage(0);
    }
    const std::string& kind() const { return kind_; }
    const std::string& detail() const { return detail_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* info, UINT*) override;

  private:
    std::string kind_, detail_;
    LONG refs_ = 1;
};

HRESULT answer(VARIANT* result, IDispatch* object) {
    if (result) {
        result->vt = VT_DISPATCH;
        result->pdispVal = object;
    } else {
        object->Release();
    }
    return S_OK;
}
HRESULT answer(VARIANT* result, Object* object) {
    return answer(result, static_cast<IDispatch*>(object));
}
HRESULT answer(VARIANT* result, const std::string& s) {
    if (result) {
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(wide(s).c_str());
    }
    return S_OK;
}
HRESULT answerInt(VARIANT* result, long n) {
    if (result) {
        result->vt = VT_I4;
        result->lVal = n;
    }
    return S_OK;
}

const HRESULT failed = DISP_E_EXCEPTION;
Member ok = [](Object&, const Args&, VARIANT*) { return S_OK; };
Member child(const char* kind) {
    return [kind](Object& self, const Args&, VARIANT* r) {
        return answer(r, new Object(kind, self.detail()));
    };
}

HRESULT cellValue(const std::string& address, VARIANT* r) {
    const Cell& c = state.cells[address];
    if (r && c.kind == 'N') {
        r->vt = VT_R8;
        r->dblVal = c.number;
    } else if (c.kind == 'S') {
        return answer(r, c.text);
    }
    return S_OK;
}
HRESULT setCellValue(const std::string& address, const VARIANT& v) {
    if (v.vt == VT_BSTR)
        state.cells[address] = {'S', 0, text(v)};
    else
        state.cells[address] = {'N', static_cast<double>(integer(v)), {}};
    return S_OK;
}

// Every member the server answers, by the kind of object and its name (lower case: the
// servers match names without regard to case).
const std::map<std::string, Member> members = {
    {"Application.automationsecurity", ok},
    {"Application.displayalerts", ok},
    {"Application.visible",
     [](Object&, const Args& a, VARIANT*) {
         ShowWindow(mainWindow, !a.empty() && integer(*a.back()) ? SW_SHOW : SW_HIDE);
         return S_OK;
     }},
    {"Application.hwnd",
     [](Object&, const Args&, VARIANT* r) {
         return answerInt(r, static_cast<long>(reinterpret_cast<intptr_t>(mainWindow)));
     }},
    {"Application.quit",
     [](Object&, const Args&, VARIANT*) {
         ShowWindow(mainWindow, SW_HIDE);
         return S_OK;
     }},
    {"Application.activate", ok},
    {"Application.workbooks", child("Workbooks")},
    {"Application.activeworkbook",
     [](Object&, const Args&, VARIANT* r) {
         return state.workbook.empty() ? failed : answer(r, new Object("Workbook"));
     }},
    {"Application.range",
     [](Object&, const Args& a, VARIANT* r) {
         if (state.workbook.empty() || a.empty())
             return failed;
         if (!r && a.size() == 2) // an indexed put: the cell takes the value
             return setCellValue(text(*a[0]), *a[1]);
         return answer(r, new Object("Range", text(*a[0])));
     }},
    {"Range.value",
     [](Object& self, const Args& a, VARIANT* r) {
         return r ? cellValue(self.detail(), r) : setCellValue(self.detail(), *a.back());
     }},
    {"Workbooks.open",
     [](Object&, const Args& a, VARIANT* r) {
         const std::wstring path = a.empty() ? L"" : wide(text(*a[0]));
         if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES || refused(path))
             return failed;
         state.workbook = path;
         state.readOnly = a.size() > 2 && integer(*a[2]);
         loadWorkbook(path);
         return answer(r, new Object("Workbook"));
     }},
    {"Workbooks.close",
     [](Object&, const Args&, VARIANT*) {
         state.workbook.clear();
         return S_OK;
     }},
    {"Workbooks.count",
     [](Object&, const Args&, VARIANT* r) { return answerInt(r, state.workbook.empty() ? 0 : 1); }},
    {"Workbooks.item",
     [](Object&, const Args& a, VARIANT* r) {
         return state.workbook.empty() || a.empty() || integer(*a[0]) != 1
                    ? failed
                    : answer(r, new Object("Workbook"));
     }},
    {"Workbook.fullname",
     [](Object&, const Args&, VARIANT* r) { return answer(r, utf8(state.workbook.c_str())); }},
    {"Workbook.save",
     [](Object&, const Args&, VARIANT*) {
         if (state.readOnly)
             return failed;
         saveWorkbook();
         return S_OK;
     }},
    {"Workbook.close",
     [](Object&, const Args&, VARIANT*) {
         state.workbook.clear();
         return S_OK;
     }},

    {"Application.documents", child("Documents")},
    {"Application.activedocument",
     [](Object&, const Args&, VARIANT* r) {
         return state.documents ? answer(r, new Object("Document")) : failed;
     }},
    {"Documents.add",
     [](Object&, const Args&, VARIANT* r) {
         ++state.documents;
         state.headerTable = false;
         return answer(r, new Object("Document"));
     }},
    {"Documents.count",
     [](Object&, const Args&, VARIANT* r) { return answerInt(r, state.documents); }},
    {"Document.pagesetup", child("PageSetup")},
    {"PageSetup.leftmargin", ok},
    {"PageSetup.rightmargin", ok},
    {"PageSetup.headerdistance", ok},
    {"PageSetup.bottommargin", ok},
    {"Document.sections", child("Sections")},
    {"Sections.item", child("Section")},
    {"Section.headers", child("HeadersFooters")},
    {"HeadersFooters.item", child("HeaderFooter")},
    {"HeaderFooter.range",
     [](Object&, const Args&, VARIANT* r) { return answer(r, new Object("Range", "header")); }},
    {"Document.tables", child("Tables")},
    {"Tables.add",
     [](Object&, const Args& a, VARIANT* r) {
         if (a.size() < 3 || a[0]->vt != VT_DISPATCH)
             return failed;
         state.headerTable = true;
         return answer(r, new Object("Table"));
     }},
    {"Range.tables", child("Tables")},
    {"Tables.item",
     [](Object&, const Args&, VARIANT* r) {
         return state.headerTable ? answer(r, new Object("Table")) : failed;
     }},
    {"Table.cell",
     [](Object&, const Args& a, VARIANT* r) {
         if (a.size() != 2)
             return failed;
         return answer(r, new Object("Cell", "cell(" + std::to_string(integer(*a[0])) + ',' +
                                                 std::to_string(integer(*a[1])) + ')'));
     }},
    {"Cell.verticalalignment", ok},
    {"Cell.range", child("Range")},
    {"Range.font", child("Font")},
    {"Font.size", ok},
    {"Range.text", ok},
    {"Range.languageid", ok},
    {"Range.paste",
     [](Object& self, const Args&, VARIANT*) {
         record("  pasted into " + self.detail() + ": " + pasteClipboard());
         return S_OK;
     }},
    {"Document.paragraphs", child("Paragraphs")},
    {"Paragraphs.last",
     [](Object&, const Args&, VARIANT* r) { return answer(r, new Object("Paragraph", "body")); }},
    {"Paragraph.range", child("Range")},
    {"Document.close",
     [](Object&, const Args&, VARIANT*) {
         --state.documents;
         return S_OK;
     }},
};

HRESULT fail(EXCEPINFO* info);

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

HRESULT Object::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    const std::string name = lower(utf8(names[0]));
    if (count != 1 || !members.count(kind_ + '.' + name)) {
        record("unknown " + kind_ + '.' + utf8(names[0]));
        return DISP_E_UNKNOWNNAME;
    }
    for (size_t i = 0; i < memberNames.size(); ++i)
        if (memberNames[i] == name) {
            ids[0] = static_cast<DISPID>(i + 1);
            return S_OK;
        }
    memberNames.push_back(name);
    spelled.push_back(utf8(names[0]));
    ids[0] = static_cast<DISPID>(memberNames.size());
    return S_OK;
}

HRESULT Object::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* info, UINT*) {
    lastCall = GetTickCount();
    if (id < 1 || static_cast<size_t>(id) > memberNames.size())
        return DISP_E_MEMBERNOTFOUND;
    const std::string& name = memberNames[static_cast<size_t>(id - 1)];
    Args args;
    for (UINT i = params->cArgs; i-- > 0;)
        args.push_back(&params->rgvarg[i]);
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    std::string line = kind_ + '.' + spelled[static_cast<size_t>(id - 1)] +
                       (put                              ? " put"
                        : (flags & DISPATCH_PROPERTYGET) ? " get"
                                                         : " call");
    for (const VARIANT* a : args)
        line += ' ' + describe(*a);
    record(line);
    if (lower(env("KC_TEST_OFFICE_REFUSE")) == name)
        return fail(info);
    if (lower(env("KC_TEST_OFFICE_HANG")) == name) {
        Sleep(6000);
        PostQuitMessage(0);
    }
    if (result)
        VariantInit(result);
    const HRESULT hr = members.at(kind_ + '.' + name)(*this, args, put ? nullptr : result);
    return hr == DISP_E_EXCEPTION ? fail(info) : hr;
}

HRESULT fail(EXCEPINFO* info) {
    if (info) {
        *info = {};
        info->scode = E_FAIL;
        info->bstrDescription = SysAllocString(L"the test server refuses this call");
    }
    return DISP_E_EXCEPTION;
}

class Factory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        record("started, process " + std::to_string(GetCurrentProcessId()));
        auto* application = new Object("Application");
        const HRESULT hr = application->QueryInterface(iid, out);
        application->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

void registerClass(const wchar_t* progId, const CLSID& clsid, const wchar_t* which) {
    wchar_t exe[MAX_PATH], guid[64];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    StringFromGUID2(clsid, guid, 64);
    const std::wstring server = L"\"" + std::wstring(exe) + L"\" " + which;
    const std::wstring classKey = L"CLSID\\" + std::wstring(guid);
    auto set = [](const std::wstring& key, const std::wstring& value) {
        RegSetValueW(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(),
                     static_cast<DWORD>(value.size() * sizeof(wchar_t)));
    };
    set(std::wstring(progId) + L"\\CLSID", guid);
    set(classKey, std::wstring(progId) + L" (test automation server)");
    set(classKey + L"\\ProgID", progId);
    set(classKey + L"\\LocalServer32", server);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    const std::wstring command = commandLine;
    if (command.find(L"/unregserver") != std::wstring::npos) {
        for (const auto& [progId, clsid] : {std::pair{L"Excel.Application", excelClass},
                                            std::pair{L"Word.Application", wordClass}}) {
            wchar_t guid[64];
            StringFromGUID2(clsid, guid, 64);
            RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
            RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + std::wstring(guid)).c_str());
        }
        return 0;
    }
    if (command.find(L"/regserver") != std::wstring::npos) {
        registerClass(L"Excel.Application", excelClass, L"excel");
        registerClass(L"Word.Application", wordClass, L"word");
        return 0;
    }
    const bool word = command.find(L"word") != std::wstring::npos;
    app = word ? "Word" : "Excel";
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    mainWindow =
        CreateWindowExW(0, L"STATIC", word ? L"Test Word" : L"Test Excel", WS_OVERLAPPEDWINDOW, 0,
                        0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    if (!mainWindow) // wine without a display makes message-only windows alone
        mainWindow = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
    static Factory factory;
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(word ? wordClass : excelClass, &factory, CLSCTX_LOCAL_SERVER,
                                     REGCLS_SINGLEUSE, &cookie)))
        return 1;
    // Ends when the last object is released, or after 20 s without a call (a client that
    // ended without releasing, or a server left visible for the user).
    lastCall = GetTickCount();
    SetTimer(nullptr, 0, 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && GetTickCount() - lastCall > 20000)
            break;
        DispatchMessageW(&msg);
    }
    CoRevokeClassObject(cookie);
    record("ended");
    CoUninitialize();
    return 0;
}

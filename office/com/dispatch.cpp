// SPDX-License-Identifier: MIT
#include "office/com/dispatch.h"

#include "office/com/server_thread.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace kccom {

std::wstring wide(std::string_view s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string utf8(std::wstring_view w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

Variant::Variant(std::string_view text)
    : Variant() {
    const std::wstring w = wide(text);
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

Variant::Variant(const wchar_t* text)
    : Variant() {
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocString(text);
}

Variant::Variant(int value)
    : Variant() {
    v_.vt = VT_I4;
    v_.lVal = value;
}

Variant::Variant(bool value)
    : Variant() {
    v_.vt = VT_BOOL;
    v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(const Dispatch& object)
    : Variant() {
    v_.vt = VT_DISPATCH;
    v_.pdispVal = object.p_;
    if (v_.pdispVal)
        v_.pdispVal->AddRef();
}

Variant::Variant(const Variant& other)
    : Variant() {
    VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
}

Variant Variant::missing() {
    Variant v;
    v.v_.vt = VT_ERROR;
    v.v_.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

void fail(const std::string& what, HRESULT hr, const EXCEPINFO* info) {
    std::string text = what + ": ";
    if (info && info->bstrDescription)
        text += utf8(info->bstrDescription) + ' ';
    char code[16];
    std::snprintf(code, sizeof code, "(0x%08lX)", static_cast<unsigned long>(hr));
    throw std::runtime_error(text + code);
}

Dispatch::Dispatch(const Dispatch& other)
    : p_(other.p_) {
    if (p_)
        p_->AddRef();
}

Dispatch& Dispatch::operator=(Dispatch other) {
    std::swap(p_, other.p_);
    return *this;
}

Dispatch::~Dispatch() {
    reset();
}

void Dispatch::reset() {
    if (p_)
        p_->Release();
    p_ = nullptr;
}

Dispatch Dispatch::create(const wchar_t* progId) {
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr))
        fail("no " + utf8(progId) + " is registered", hr);
    IDispatch* p = nullptr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                          reinterpret_cast<void**>(&p));
    if (FAILED(hr))
        fail("cannot start " + utf8(progId), hr);
    return Dispatch(p);
}

Variant Dispatch::invoke(const char* member, WORD flags, std::vector<Variant>& args) const {
    if (!p_)
        throw std::runtime_error(std::string(member) + ": no object");
    ServerThread::checkGivenUp();
    std::wstring name = wide(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    HRESULT hr = p_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        fail(member, hr);
    // Invoke takes the arguments last first.
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(*it->get());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    Variant result;
    EXCEPINFO info{};
    UINT badArg = 0;
    // A busy server (Excel while the user edits a cell) rejects the call: it is made again.
    do {
        ServerThread::checkGivenUp();
        hr = p_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                        flags == DISPATCH_PROPERTYPUT ? nullptr : result.get(), &info, &badArg);
    } while ((hr == RPC_E_SERVERCALL_RETRYLATER || hr == RPC_E_CALL_REJECTED) &&
             ServerThread::waitToRetry());
    if (FAILED(hr)) {
        const std::string what = member;
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrHelpFile);
        try {
            fail(what, hr == DISP_E_EXCEPTION && info.scode ? info.scode : hr, &info);
        } catch (...) {
            SysFreeString(info.bstrDescription);
            throw;
        }
    }
    return result;
}

Variant Dispatch::get(const char* member, std::vector<Variant> args) const {
    return invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

Dispatch Dispatch::object(const char* member, std::vector<Variant> args) const {
    Variant v = get(member, std::move(args));
    if (v.value().vt != VT_DISPATCH || !v.value().pdispVal)
        throw std::runtime_error(std::string(member) + ": not an object");
    IDispatch* p = v.value().pdispVal;
    p->AddRef();
    return Dispatch(p);
}

void Dispatch::put(const char* member, std::vector<Variant> args) const {
    invoke(member, DISPATCH_PROPERTYPUT, args);
}

Variant Dispatch::call(const char* member, std::vector<Variant> args) const {
    return invoke(member, DISPATCH_METHOD, args);
}

} // namespace kccom

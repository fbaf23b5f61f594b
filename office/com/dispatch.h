// SPDX-License-Identifier: MIT
// Late binding over IDispatch: every member is named as a string, looked up with
// GetIDsOfNames and called with Invoke. A failed call throws std::runtime_error naming the
// member and the server's own description of the failure.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace kccom {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

class Dispatch;

// A VARIANT that clears itself.
class Variant {
  public:
    Variant() { VariantInit(&v_); }
    Variant(std::string_view text);
    Variant(const wchar_t* text);
    Variant(int value);
    Variant(bool value);
    explicit Variant(const Dispatch& object); // VT_DISPATCH
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant& other);
    Variant& operator=(const Variant&) = delete;
    static Variant missing(); // an optional argument left out

    VARIANT* get() { return &v_; }
    const VARIANT& value() const { return v_; }

  private:
    VARIANT v_;
};

// An owned IDispatch reference. A default one is empty.
class Dispatch {
  public:
    Dispatch() = default;
    explicit Dispatch(IDispatch* adopted)
        : p_(adopted) {}
    Dispatch(const Dispatch& other);
    Dispatch& operator=(Dispatch other);
    ~Dispatch();

    // The object of a ProgID's class, started as its server; throws when there is none.
    static Dispatch create(const wchar_t* progId);

    explicit operator bool() const { return p_ != nullptr; }
    // Forgets the reference without any call on the object (its server stopped answering).
    void abandon() { p_ = nullptr; }
    void reset();

    // Property get, with index arguments.
    Variant get(const char* member, std::vector<Variant> args = {}) const;
    // The same for a property that is an object.
    Dispatch object(const char* member, std::vector<Variant> args = {}) const;
    // Property put: index arguments first, the value last.
    void put(const char* member, std::vector<Variant> args) const;
    Variant call(const char* member, std::vector<Variant> args = {}) const;

  private:
    friend class Variant;
    Variant invoke(const char* member, WORD flags, std::vector<Variant>& args) const;
    IDispatch* p_ = nullptr;
};

// A COM failure as text: "what: the server's description (0x80020009)".
[[noreturn]] void fail(const std::string& what, HRESULT hr, const EXCEPINFO* info = nullptr);

} // namespace kccom

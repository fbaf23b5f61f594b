// SPDX-License-Identifier: MIT
#include "office/com/clipboard.h"

#include "office/com/dispatch.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

namespace kccom {

namespace {

// Another program may hold the clipboard for a moment: a few tries, 20 ms apart.
constexpr int openTries = 25;

// The clipboard's owner while the suite's data is on it: a message-only window of the calling
// thread (with no owner at all, SetClipboardData may fail after EmptyClipboard).
HWND owner() {
    static const HWND window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return window;
}

class OpenClipboardScope {
  public:
    OpenClipboardScope() {
        for (int i = 0; i < openTries; ++i) {
            if (OpenClipboard(owner()))
                return;
            Sleep(20);
        }
        throw std::runtime_error("the clipboard is held by another program");
    }
    ~OpenClipboardScope() { CloseClipboard(); }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
};

// Gives the bytes to the clipboard, which then owns them.
void offer(UINT format, const void* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        throw std::runtime_error("no memory for the clipboard");
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        throw std::runtime_error("the clipboard refused the data");
    }
}

} // namespace

void putBitmap(const std::vector<unsigned char>& bmp) {
    if (bmp.size() <= sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || bmp[0] != 'B' ||
        bmp[1] != 'M')
        throw std::runtime_error("the logo is not a bitmap");
    OpenClipboardScope open;
    EmptyClipboard();
    offer(CF_DIB, bmp.data() + sizeof(BITMAPFILEHEADER), bmp.size() - sizeof(BITMAPFILEHEADER));
}

void putRichText(const std::string& rtf, const std::string& plainUtf8) {
    static const UINT rtfFormat = RegisterClipboardFormatW(L"Rich Text Format");
    const std::wstring plain = wide(plainUtf8);
    OpenClipboardScope open;
    EmptyClipboard();
    offer(rtfFormat, rtf.c_str(), rtf.size() + 1);
    offer(CF_UNICODETEXT, plain.c_str(), (plain.size() + 1) * sizeof(wchar_t));
}

} // namespace kccom

// SPDX-License-Identifier: MIT
// The system clipboard as the carrier of what Word pastes: the letterhead's logo as a device-
// independent bitmap (CF_DIB), the description as RTF with its plain text beside it. Each put
// replaces the clipboard's content; the last one, the description, stays there. Used on the
// calling thread, whose message loop serves the clipboard's owner window.
#pragma once

#include <string>
#include <vector>

namespace kccom {

// `bmp`: a BMP file's bytes; its file header is dropped, the rest is the DIB. Throws
// std::runtime_error when the bytes are not a BMP or the clipboard cannot be had.
void putBitmap(const std::vector<unsigned char>& bmp);
void putRichText(const std::string& rtf, const std::string& plainUtf8);

} // namespace kccom

// SPDX-License-Identifier: MIT
// The user's name and files in use, as Windows tells them.
#include "office/host.h"

#include <QString>
#include <windows.h>

namespace office {

std::string CurrentUserName() {
    wchar_t name[256 + 1] = {}; // UNLEN + 1
    DWORD size = sizeof name / sizeof name[0];
    if (GetUserNameW(name, &size) && name[0])
        return QString::fromWCharArray(name).toStdString();
    return "Unknown";
}

// A file another program holds open (Excel holds its workbooks so) cannot be opened without
// sharing. The profile of the calculator's own LibreOffice means nothing here.
bool FileInUse(const std::string& path, const std::string&) {
    const std::wstring name = QString::fromStdString(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    }
    CloseHandle(file);
    return false;
}

std::string replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = QString::fromStdString(from).toStdWString();
    const std::wstring target = QString::fromStdString(to).toStdWString();
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return {};
    return "error " + std::to_string(GetLastError());
}

// A new file takes the permissions of its folder.
void giveUsersMode(const std::string&) {}

} // namespace office

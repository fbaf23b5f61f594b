// SPDX-License-Identifier: MIT
// The host on Windows: the user's name, and a file another program holds open without sharing
// (as Excel holds a workbook).
#include "office/host.h"

#include <QString>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <windows.h>

namespace {

TEST(Host, UserNameIsKnown) {
    EXPECT_FALSE(office::CurrentUserName().empty());
    EXPECT_NE(office::CurrentUserName(), "Unknown");
}

TEST(Host, FileInUseOnlyWhileHeldWithoutSharing) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("kc-inuse-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(dir);
    const QString file = QString::fromStdWString((dir / L"заявка.xls").wstring());
    std::ofstream(std::filesystem::path(file.toStdWString())) << "x";
    const std::string path = file.toStdString();
    EXPECT_FALSE(office::FileInUse(path + ".no"));
    EXPECT_FALSE(office::FileInUse(path));
    const HANDLE held = CreateFileW(file.toStdWString().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(office::FileInUse(path));
    CloseHandle(held);
    EXPECT_FALSE(office::FileInUse(path));
    std::filesystem::remove_all(dir);
}

} // namespace

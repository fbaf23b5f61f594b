// SPDX-License-Identifier: MIT
// The host on Linux: the user's name, and files in use by another process or by a live office's
// lock beside them.
#include "office/host.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// ---- The host ------------------------------------------------------------------------------

TEST(Host, UserNameIsKnown) {
    EXPECT_FALSE(office::CurrentUserName().empty());
    EXPECT_NE(office::CurrentUserName(), "Unknown");
}

class FileInUse : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("kc-inuse-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        file = (dir / "заявка.xls").string();
        std::ofstream(file) << "x";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void lock(const std::string& host, const std::string& profile) {
        std::ofstream(office::lockFilePath(file))
            << ",someone," << host << ",01.01.2026 10:00," << profile << ";";
    }
    static std::string thisHost() {
        char n[256] = {};
        gethostname(n, sizeof n - 1);
        return n;
    }
    std::filesystem::path dir;
    std::string file;
};

TEST_F(FileInUse, MissingFileIsNotInUse) {
    EXPECT_FALSE(office::FileInUse(file + ".no"));
}

TEST_F(FileInUse, PlainFileIsFree) {
    EXPECT_FALSE(office::FileInUse(file));
}

TEST_F(FileInUse, StaleLockOfDeadOfficeDoesNotCount) {
    lock(thisHost(), "file:///nonexistent/profile");
    EXPECT_FALSE(office::FileInUse(file));
}

TEST_F(FileInUse, OwnStaleLockDoesNotCount) {
    lock(thisHost(), "file:///own/profile");
    EXPECT_FALSE(office::FileInUse(file, "file:///own/profile"));
}

TEST_F(FileInUse, EmptyLockOfAnOfficeKilledWhileWritingItDoesNotCount) {
    std::ofstream{office::lockFilePath(file)};
    EXPECT_FALSE(office::FileInUse(file));
}

TEST_F(FileInUse, LockFromAnotherHostCounts) {
    lock("other-host.example", "file:///home/x/.config/libreoffice/4");
    EXPECT_TRUE(office::FileInUse(file));
}

TEST_F(FileInUse, OpenInAnotherProcessCounts) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    if (child == 0) {
        std::ifstream hold(file);
        (void)!write(fds[1], "r", 1);
        pause(); // holds the file until killed
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(fds[0], &c, 1), 1);
    EXPECT_TRUE(office::FileInUse(file));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(fds[0]);
    close(fds[1]);
    EXPECT_FALSE(office::FileInUse(file));
}

} // namespace

// SPDX-License-Identifier: MIT
// The host on Linux: the user's name, files in use by another process or by a live office's
// lock beside them, the office's profile folder and strangers' sockets of its pipes.
#include "office/host.h"
#include "office/pipes.h"
#include "office/plugin_loader.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
    void lock(const std::string& host, const std::string& profile,
              const std::string& user = office::CurrentUserName()) {
        std::ofstream(office::lockFilePath(file))
            << "," << user << "," << host << ",01.01.2026 10:00," << profile << ";";
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

TEST_F(FileInUse, LockOfAnotherAccountCounts) {
    lock(thisHost(), "file:///nonexistent/profile", "someone-else");
    EXPECT_TRUE(office::FileInUse(file));
}

// Whether the office a lock names runs is asked of the user's own processes only, and of at
// most 64 KiB of a command line: another account's process that names the profile is no
// office of the user's.
struct OfficeProcessCase {
    const char* name;
    uid_t uid;      // the process's account; 0 for the tests' own (root)
    size_t padding; // bytes of arguments before the profile's
    bool inUse;
};

void PrintTo(const OfficeProcessCase& c, std::ostream* os) {
    *os << c.name;
}

class FileInUseByProcess : public FileInUse,
                           public ::testing::WithParamInterface<OfficeProcessCase> {};

TEST_P(FileInUseByProcess, OnlyTheUsersOwnOfficeCounts) {
    const OfficeProcessCase& c = GetParam();
    const std::string profile = "file:///tmp/kc-test-office-profile";
    lock(thisHost(), profile);
    std::string padding(c.padding, 'x');
    std::string option = "-env:UserInstallation=" + profile;
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // ended with its shell's sleep below
        if (c.uid != 0 && setuid(c.uid) != 0)
            _exit(1);
        std::string script = "sleep 30; true", name = "soffice.bin";
        char* argv[] = {
            const_cast<char*>("sh"), const_cast<char*>("-c"), script.data(), name.data(),
            padding.data(),          option.data(),           nullptr};
        execv("/bin/sh", argv);
        _exit(1);
    }
    ASSERT_GT(child, 0);
    for (int i = 0; i < 200; ++i) { // until the child runs the shell
        std::ifstream cmdline("/proc/" + std::to_string(child) + "/cmdline");
        std::string first;
        std::getline(cmdline, first, '\0');
        if (first == "sh")
            break;
        usleep(5000);
    }
    EXPECT_EQ(office::FileInUse(file), c.inUse);
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Office, FileInUseByProcess,
    ::testing::Values(OfficeProcessCase{"OwnOffice", 0, 1, true},
                      OfficeProcessCase{"ProcessOfAnotherAccount", 65534, 1, false},
                      OfficeProcessCase{"ProfileBeyond64KiB", 0, 70000, false}),
    [](const auto& info) { return std::string(info.param.name); });

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

// ---- The office's profile and pipes ---------------------------------------------------------

TEST(ProfileFolder, NameCarriesARandomPartMadeOncePerUser) {
    QTemporaryDir cache, otherUsers;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    const QString profile = office::defaultProfileDir();
    EXPECT_EQ(office::defaultProfileDir(), profile);
    EXPECT_TRUE(QRegularExpression("^office-profile-[0-9a-f]{16}$")
                    .match(QFileInfo(profile).fileName())
                    .hasMatch())
        << profile.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(profile).path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    qputenv("XDG_CACHE_HOME", otherUsers.path().toUtf8());
    EXPECT_NE(QFileInfo(office::defaultProfileDir()).fileName(), QFileInfo(profile).fileName());
    qunsetenv("XDG_CACHE_HOME");
}

// Sockets bound in the pipes' folder: this user's own, and two of another account, one under the
// name of this user's office pipes.
TEST(StrangersPipes, AreFoundBeforeTheOfficeStarts) {
    QTemporaryDir folder;
    std::vector<std::string> paths;
    for (uid_t named : {::getuid(), ::getuid(), ::getuid() + 1}) {
        paths.push_back(folder.filePath("OSL_PIPE_%1_SingleOfficeIPC_%2")
                            .arg(named)
                            .arg(paths.size())
                            .toStdString());
        sockaddr_un a{AF_UNIX, {}};
        std::strncpy(a.sun_path, paths.back().c_str(), sizeof a.sun_path - 1);
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a), 0) << paths.back();
        ::close(s);
        if (paths.size() > 1 && ::chown(paths.back().c_str(), 65534, 65534) != 0)
            GTEST_SKIP() << "giving a socket to another account needs root";
    }
    EXPECT_EQ(office::strangersPipes(folder.path().toStdString()),
              std::vector<std::string>{paths[1]});
}

} // namespace

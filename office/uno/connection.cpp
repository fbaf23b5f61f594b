// SPDX-License-Identifier: MIT
#include "office/uno/connection.h"

#include "office/pipes.h"
#include "office/private_folder.h"
#include "office/processes.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/util/XFlushable.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <osl/file.hxx>
#include <rtl/bootstrap.hxx>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace kcuno {

namespace {

using namespace css;
using rtl::OUString;
using Clock = std::chrono::steady_clock;

constexpr int newProfileExit = 81; // a new profile was set up: start once more
// An office that aborts while starting leaves this empty file in the profile's root; every
// later start on the profile runs in Safe Mode (a fresh, empty configuration) until it goes.
const char* const safeModeFlag = "safemode";

OUString u(const std::string& s) {
    return OUString::fromUtf8(s.c_str());
}

class BridgeListener : public cppu::WeakImplHelper1<lang::XEventListener> {
  public:
    explicit BridgeListener(std::shared_ptr<std::atomic<bool>> lost)
        : lost_(std::move(lost)) {}
    void SAL_CALL disposing(const lang::EventObject&) override { *lost_ = true; }

  private:
    std::shared_ptr<std::atomic<bool>> lost_;
};

// The first office's types serve the whole process, as its URE libraries do.
Reference<uno::XComponentContext> localContext(const std::filesystem::path& programDir) {
    // The office API types live in types/offapi.rdb, which the URE's own unorc does not name;
    // without them creating the desktop crashes instead of throwing. An office with a single
    // types.rdb has them there, and unorc names that one.
    static Reference<uno::XComponentContext> ctx = [&] {
        const auto offapi = programDir / "types" / "offapi.rdb";
        OUString url;
        if (std::filesystem::exists(offapi) &&
            osl::FileBase::getFileURLFromSystemPath(u(offapi.string()), url) ==
                osl::FileBase::E_None)
            rtl::Bootstrap::set("URE_MORE_TYPES", url);
        return cppu::defaultBootstrap_InitialComponentContext();
    }();
    return ctx;
}

std::string officeBinary(const office::SuiteOptions& options) {
    if (options.officeProgramDir.empty())
        throw std::runtime_error("no office folder was given");
    return (std::filesystem::path(options.officeProgramDir) / "soffice.bin").string();
}

std::string uniquePipeName() {
    static int counter = 0;
    return "kc_office_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + "_" +
           std::to_string(Clock::now().time_since_epoch().count() % 1000000);
}

pid_t spawnOffice(const std::string& binary, const std::string& profile, const std::string& pipe) {
    std::vector<std::string> args = {binary,
                                     "-env:UserInstallation=" + profile,
                                     "--nologo",
                                     "--norestore",
                                     "--nodefault",
                                     "--nolockcheck",
                                     "--accept=pipe,name=" + pipe + ";urp;"};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStore;
    for (char** e = environ; *e; ++e)
        if (std::string_view(*e).substr(0, 24) != "SAL_ENABLE_FILE_LOCKING=")
            envStore.emplace_back(*e);
    envStore.emplace_back("SAL_ENABLE_FILE_LOCKING=1");
    std::vector<char*> envp;
    for (auto& e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A process group of its own: a Ctrl+C in the calculator's terminal leaves it alone.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = 0;
    // The office makes its sockets (the bridge's pipe, the one through which a later start hands
    // over its arguments), lock files and profile files as the umask it starts with lets it:
    // under umask 077 each is the user's alone from the moment it exists. The calculator's
    // files are made on this thread only, so the moment of umask 077 takes nothing from them.
    const mode_t userUmask = ::umask(077);
    int rc = posix_spawn(&pid, binary.c_str(), &actions, &attr, argv.data(), envp.data());
    ::umask(userUmask);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0)
        throw std::runtime_error("cannot start the office: " + std::string(strerror(rc)));
    return pid;
}

// The socket of the office's end of a pipe: LibreOffice puts it in /tmp, or in /var/tmp when
// /tmp is not writable, named after the user's id and the pipe's name.
std::string pipeSocket(const std::string& pipe) {
    for (const char* dir : {"/tmp", "/var/tmp"})
        if (::access(dir, W_OK) == 0)
            return std::string(dir) + "/OSL_PIPE_" + std::to_string(::getuid()) + "_" + pipe;
    return {};
}

enum class Socket { Missing, Private, Refused };

// Takes the permissions of group and others off a socket of this user's; `refusal` tells why
// the socket is refused.
Socket makePrivate(const std::string& socket, std::string& refusal) {
    struct stat st {};
    if (::lstat(socket.c_str(), &st) != 0)
        return Socket::Missing;
    if (!S_ISSOCK(st.st_mode))
        refusal = "not a socket";
    else if (st.st_uid != ::getuid())
        refusal = "it belongs to user " + std::to_string(st.st_uid);
    else if ((st.st_mode & 077) != 0 && ::chmod(socket.c_str(), st.st_mode & 0700) != 0)
        refusal = std::string("cannot take others' permissions off: ") + strerror(errno);
    return refusal.empty() ? Socket::Private : Socket::Refused;
}

// The office makes its sockets as open as the umask it was started with (0777 under umask 000:
// any local user could connect and drive the office as this user). Before the calculator
// connects, the pipe's socket must be this user's own, and it and the office's other pipe (the
// one through which a later start hands over its arguments) lose every permission of group and
// others. Gives false while there is no socket yet; throws when the socket is refused.
bool officePipesPrivate(const std::string& pipe, pid_t office,
                        const std::function<void(const std::string&)>& tell) {
    const std::string socket = pipeSocket(pipe);
    std::string refusal = socket.empty() ? "neither /tmp nor /var/tmp is writable" : "";
    const Socket state = refusal.empty() ? makePrivate(socket, refusal) : Socket::Refused;
    if (state == Socket::Missing)
        return false;
    if (state == Socket::Refused) {
        tell("the office's pipe " + socket + " refused: " + refusal);
        throw std::runtime_error("the office's pipe is not the user's own");
    }
    for (const std::string& other : office::socketsOf(office)) {
        refusal.clear();
        if (makePrivate(other, refusal) == Socket::Refused)
            tell("the office's socket " + other + " stays as it is: " + refusal);
    }
    return true;
}

// Exit status of a child that has ended, -1 while it runs.
int exitedWith(pid_t pid) {
    int status = 0;
    pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == 0)
        return -1;
    if (r < 0)
        return 0; // not our child any more
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

using office::findOfficeProcess;
using office::processAlive;
using office::profileUrl;

Connection::Connection(office::SuiteOptions options)
    : options_(std::move(options)) {
    // An office that dies mid-call must not take the calculator with it: a write to its broken
    // pipe then fails with EPIPE, which the bridge reports as a disposed call.
    std::signal(SIGPIPE, SIG_IGN);
}

Connection::~Connection() {
    // Children that ended are reaped; a running office is left to the user.
    if (ownChild_ && pid_ > 0)
        exitedWith(pid_);
    if (helper_ > 0)
        exitedWith(helper_);
}

bool Connection::connected() {
    if (helper_ > 0 && exitedWith(helper_) >= 0)
        helper_ = 0;
    if (!desktop_.is() || *lost_)
        return false;
    // The bridge learns of a killed office a moment later than the process table does.
    if (pid_ > 0 && (ownChild_ ? exitedWith(pid_) >= 0 : !processAlive(pid_))) {
        *lost_ = true;
        return false;
    }
    return true;
}

Reference<frame::XDesktop2> Connection::desktop() {
    if (!connected()) {
        reset();
        start();
    }
    return desktop_;
}

Reference<uno::XComponentContext> Connection::context() {
    desktop();
    return remote_;
}

void Connection::reset() {
    desktop_.clear();
    remote_.clear();
    bridge_.clear();
    // Reap first: a killed child is a zombie, which processAlive already counts as gone.
    if (ownChild_ && pid_ > 0 && (exitedWith(pid_) >= 0 || !processAlive(pid_)))
        adopt(0, false, {});
    if (!ownChild_ && !processAlive(pid_))
        adopt(0, false, {});
    *lost_ = false;
}

bool Connection::tryConnect(const std::string& pipe) {
    if (!officePipesPrivate(pipe, pid_, [this](const std::string& what) { tell(what); }))
        return false;
    Reference<uno::XComponentContext> local = localContext(options_.officeProgramDir);
    // An office this start made shows nothing yet and is ended when it hangs; one found
    // running on the profile is treated as any office that may show the user's documents.
    const auto hang = [this] { return ownChild_ ? std::function<void()>() : onHang(); };
    Reference<connection::XConnection> conn;
    try {
        Deadline guard(watchdog_, process_, options_.callTimeoutMs, hang());
        conn = connection::Connector::create(local)->connect(u("pipe,name=" + pipe));
    } catch (const connection::NoConnectException&) {
        return false;
    }
    auto lost = std::make_shared<std::atomic<bool>>(false);
    bridge_ = bridge::BridgeFactory::create(local)->createBridge(OUString(), "urp", conn, nullptr);
    // An office that takes the connection and then does not answer would hold the calculator
    // for ever: the rest of the connect step is an office call like any other.
    Deadline guard(watchdog_, process_, options_.callTimeoutMs, hang());
    Reference<lang::XComponent>(bridge_, uno::UNO_QUERY_THROW)
        ->addEventListener(new BridgeListener(lost));
    lost_ = lost;
    remote_.set(bridge_->getInstance("StarOffice.ComponentContext"), uno::UNO_QUERY_THROW);
    desktop_ = frame::Desktop::create(remote_);
    return true;
}

void Connection::tell(const std::string& what) const {
    if (options_.notice)
        options_.notice(what);
}

// The profile is the calculator's own, so it is put right before an office starts on it: no
// Safe Mode left over from an office that failed to start, and the calculator's own fonts
// where the office looks for the fonts of its profile (user/fonts, once the office has made
// user/).
void Connection::prepareProfile() {
    namespace fs = std::filesystem;
    const fs::path root(options_.profileDir);
    std::error_code ec;
    if (fs::remove(root / safeModeFlag, ec))
        tell("removed the Safe Mode flag that an office which failed to start left in " +
             root.string());
    const fs::path fonts = root / "user" / "fonts";
    if (options_.fontFiles.empty() || !fs::is_directory(root / "user", ec))
        return;
    fs::create_directories(fonts, ec);
    for (const std::string& file : options_.fontFiles) {
        const fs::path link = fonts / fs::path(file).filename();
        if (!fs::exists(file, ec) || fs::read_symlink(link, ec) == file)
            continue;
        fs::remove(link, ec);
        fs::create_symlink(file, link, ec);
        if (ec)
            tell("cannot link " + file + " into " + fonts.string() + ": " + ec.message());
    }
}

// The profile holds the office's settings, macros included: the user's alone, as the office
// itself makes a profile folder (0700).
void Connection::requirePrivateProfile() const {
    if (const std::string refusal = office::makePrivateFolder(options_.profileDir);
        !refusal.empty()) {
        tell("the office profile " + options_.profileDir + " refused: " + refusal);
        throw std::runtime_error("the office profile is not the user's own");
    }
}

// A socket named as this user's office pipes but of another account, put in the pipes' folder
// before the office starts, would take the office's single-instance pipe: the office would hand
// its arguments to that socket's owner, or every job would wait for it and fail.
void Connection::refuseStrangersPipes() const {
    std::vector<std::string> strangers;
    for (const char* folder : office::pipeFolders)
        for (const std::string& pipe : office::strangersPipes(folder))
            strangers.push_back(pipe);
    for (const std::string& pipe : strangers)
        tell("refused to start the office: " + pipe + " belongs to another account");
    if (!strangers.empty())
        throw std::runtime_error("a pipe of the office's name belongs to another account");
}

std::function<void()> Connection::onHang() const {
    if (!options_.showsDocuments)
        return {}; // killed: it shows nothing
    // The office shows the user's documents: the call is given up by closing the bridge, and
    // the office goes on as it is, its windows the user's.
    Reference<lang::XComponent> bridge(bridge_, uno::UNO_QUERY);
    return [bridge, lost = lost_] {
        *lost = true;
        try {
            if (bridge.is())
                bridge->dispose();
        } catch (const uno::Exception&) {
        }
    };
}

Connection::Spawned Connection::spawn() {
    const std::string profile = profileUrl(options_.profileDir);
    Spawned s;
    s.pipe = uniquePipeName();
    // An office already running on the profile takes the arguments of the new process, which
    // then ends at once; that office is the one we talk to.
    s.running = findOfficeProcess(profile);
    if (!s.running)
        prepareProfile();
    s.child = spawnOffice(officeBinary(options_), profile, s.pipe);
    return s;
}

void Connection::startEarly() {
    if (early_ || connected())
        return;
    try {
        requirePrivateProfile();
        refuseStrangersPipes();
        reset();
        early_ = spawn();
    } catch (const std::exception&) {
        // The job itself starts the office again, and tells.
    }
}

void Connection::start() {
    requirePrivateProfile();
    refuseStrangersPipes();
    const std::string profile = profileUrl(options_.profileDir);
    const auto deadline = Clock::now() + std::chrono::milliseconds(options_.startTimeoutMs);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const Spawned s = early_ ? *std::exchange(early_, std::nullopt) : spawn();
        const std::string& pipe = s.pipe;
        const pid_t running = s.running;
        pid_t child = s.child;
        ownChild_ = running == 0;
        adopt(running ? running : child, ownChild_, profile);
        bool restart = false;
        while (Clock::now() < deadline) {
            const int code = child ? exitedWith(child) : -1;
            if (code >= 0)
                child = 0;
            if (ownChild_ && code == newProfileExit) {
                restart = true;
                break;
            }
            if (ownChild_ && code > 0)
                throw std::runtime_error("the office ended with code " + std::to_string(code));
            if (ownChild_ && code == 0) {
                // Another office started on the profile in the meantime and took over.
                ownChild_ = false;
                adopt(findOfficeProcess(profile), false, profile);
            }
            if (tryConnect(pipe)) {
                helper_ = ownChild_ ? 0 : child; // reaped once it has handed over
                recordLastVersionBounded();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        if (child && !ownChild_) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        // The running office never answered: it hangs. One that may show the user's documents
        // is left as it is.
        if (!ownChild_ && pid_ > 0 && !options_.showsDocuments)
            process_.signal(SIGKILL);
        if (!restart)
            break;
    }
    if (ownChild_ && pid_ > 0) {
        process_.signal(SIGKILL);
        reapOrKill(2000);
    }
    adopt(0, false, {});
    throw std::runtime_error("the office did not answer in time");
}

void Connection::recordLastVersionBounded() {
    watchdog_.arm(process_, std::chrono::milliseconds(options_.callTimeoutMs), onHang());
    try {
        recordLastVersion();
    } catch (...) {
        // Only a speed-up for later starts.
    }
    watchdog_.disarm();
}

void Connection::recordLastVersion() {
    // Until the profile names the version that last ran, every start spends seconds in a
    // graphics self-test. A hidden office of 7.4 never records it by itself; 25.2 records it as
    // it starts, and writes it to disk a moment later.
    auto provider = configuration::theDefaultProvider::get(remote_);
    beans::NamedValue path("nodepath", uno::Any(OUString("/org.openoffice.Setup/Product")));
    uno::Sequence<uno::Any> args(1);
    args.getArray()[0] <<= path;
    Reference<container::XNameAccess> access(
        provider->createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationUpdateAccess", args),
        uno::UNO_QUERY_THROW);
    OUString last;
    access->getByName("ooSetupLastVersion") >>= last;
    if (last.isEmpty()) {
        OUString current;
        access->getByName("ooSetupVersion") >>= current;
        Reference<container::XNameReplace>(access, uno::UNO_QUERY_THROW)
            ->replaceByName("ooSetupLastVersion", uno::Any(current));
        Reference<util::XChangesBatch>(access, uno::UNO_QUERY_THROW)->commitChanges();
    }
    // The office writes its configuration to disk some time later; killed before that (a hang,
    // a crash, a logout), it would lose the record, ours or its own. Write it now.
    Reference<util::XFlushable> flushable(provider, uno::UNO_QUERY);
    if (flushable.is())
        flushable->flush();
}

void Connection::reapOrKill(int waitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    while (Clock::now() < deadline) {
        if (ownChild_ ? exitedWith(pid_) >= 0 : !processAlive(pid_))
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    process_.signal(SIGKILL);
    if (ownChild_)
        ::waitpid(pid_, nullptr, 0);
}

void Connection::terminateIfIdle() {
    if (early_) { // started early and never used
        try {
            desktop();
        } catch (const std::exception&) {
        }
    }
    if (!connected())
        return;
    Deadline guard(watchdog_, process_, options_.callTimeoutMs, onHang());
    try {
        auto components = desktop_->getComponents()->createEnumeration();
        if (components->hasMoreElements())
            return;
        desktop_->terminate();
    } catch (const uno::Exception&) {
        // A bridge that goes away while the office ends is expected.
    }
    desktop_.clear();
    remote_.clear();
    bridge_.clear();
    // An office that did not answer may still show a document: it is left as it is.
    if (pid_ > 0 && !(options_.showsDocuments && watchdog_.fired()))
        reapOrKill(5000);
    adopt(0, false, {});
}

void Connection::adopt(pid_t pid, bool child, const std::string& profile) {
    pid_ = pid;
    process_.hold(pid, child);
    // A process found by its command line may have ended, and its pid been taken, before the
    // pidfd was opened: the process held must still be the office on the profile.
    if (pid > 0 && !child && !office::isOfficeOn(pid, profile)) {
        tell("the office " + std::to_string(pid) + " on the profile ended as it was found");
        process_.release();
    }
}

} // namespace kcuno

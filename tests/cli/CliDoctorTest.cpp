#include "CliOnSim.h"
#include "support/PseudoTerminal.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <grp.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <termios.h>

using namespace vexor::test;

namespace fs = std::filesystem;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::vector<std::string>> reportLines(const std::string& out) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            fields.push_back(cell);
        lines.push_back(fields);
    }
    return lines;
}

// Another process that opens a terminal and holds it in exclusive mode, as
// a terminal program or ModemManager does.
class CPortHolderProcess {
public:
    explicit CPortHolderProcess(const std::string& path) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_NAME, "port-holder");
            // A real holder has only the port open, not the line's other
            // end that the fork inherited from the test.
            for (int fd = 3; fd < 1024; ++fd)
                if (fd != ready[1])
                    ::close(fd);
            const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
            if (fd >= 0)
                ::ioctl(fd, TIOCEXCL);
            char ok = fd >= 0 ? '1' : '0';
            (void)!::write(ready[1], &ok, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char ok = '0';
        m_ready = m_pid > 0 && ::read(ready[0], &ok, 1) == 1 && ok == '1';
        ::close(ready[0]);
    }
    ~CPortHolderProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool ready() const { return m_ready; }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    bool m_ready = false;
};

} // namespace

TEST_F(CliOnSim, doctorExplainsEveryPortAndOnlyReadsTheController) {
    PseudoTerminal silent;
    PseudoTerminal held;
    CPortHolderProcess holder(held.slave());
    ASSERT_TRUE(holder.ready());
    const std::string plain = folder.file("Port zapisany – ąę file");
    std::ofstream(plain) << "not a port";
    const std::string dangling = folder.file("usb-FTDI_gone-if00-port0");
    fs::create_symlink(folder.file("ttyUSB9"), dangling);
    const std::string gone = folder.file("ttyUSB4");

    // Yesterday's adapter, remembered by its stable name, is not plugged in.
    fs::create_directories(folder.file("config"));
    const std::string yesterday = folder.file("by-id/usb-Prolific_PL2303_X9-if00-port0");
    const std::string registry = "Last RS nr=4\nLast RS by-id=" + yesterday + "\n";
    std::ofstream(folder.file("config/registry.ini")) << registry;

    std::vector<std::string> argv = base(silent.slave());
    for (const std::string& port :
         {server.slavePath(), held.slave(), plain, dangling, gone, folder.path().string()})
        argv.insert(argv.end(), {"-p", port});
    argv.push_back("doctor");
    const ProcessResult r = runProcess(argv);

    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = reportLines(r.out);
    ASSERT_EQ(lines.size(), 7u) << r.out;
    for (const auto& line : lines)
        ASSERT_EQ(line.size(), 3u) << r.out;
    auto expect = [&](std::size_t i, const std::string& path, const std::string& state) {
        EXPECT_EQ(lines[i][0], path);
        EXPECT_EQ(lines[i][1], state) << lines[i][2];
        EXPECT_FALSE(lines[i][2].empty()) << path;
    };
    expect(0, silent.slave(), "silent");
    expect(1, server.slavePath(), "answers");
    expect(2, held.slave(), "busy");
    expect(3, plain, "not-a-terminal");
    expect(4, dangling, "missing");
    expect(5, gone, "missing");
    expect(6, folder.path().string(), "not-a-terminal");

    // The holder is named, so the fitter knows what to close.
    EXPECT_TRUE(contains(lines[2][2], std::to_string(holder.pid()) + " (port-holder)"))
        << lines[2][2];
    EXPECT_TRUE(contains(lines[1][2], "GAS1000042")) << lines[1][2];
    EXPECT_TRUE(contains(lines[4][2], folder.file("ttyUSB9"))) << lines[4][2];
    EXPECT_NE(lines[0][2], lines[5][2]);

    // Handshake and identity only: every request is a read, and the port
    // that answered is not remembered by a diagnosis; the missing remembered
    // adapter is pointed out.
    const auto requests = server.requestLog().requests();
    ASSERT_FALSE(requests.empty());
    for (const auto& request : requests)
        EXPECT_EQ(request.command, 2) << "selector " << request.selector;
    std::ifstream stored(folder.file("config/registry.ini"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stored), {}), registry);
    EXPECT_TRUE(contains(r.err, yesterday)) << r.err;
}

TEST_F(CliOnSim, doctorTellsWhichGroupToJoinWhenTheDeviceIsClosedToTheUser) {
    const group* dialout = ::getgrnam("dialout");
    if (::geteuid() != 0 || dialout == nullptr || ::access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "needs root, the dialout group and setpriv to act as another user";
    PseudoTerminal terminal;
    struct stat pts {};
    ASSERT_EQ(::stat(terminal.slave().c_str(), &pts), 0);
    // Device nodes of the same terminal, one for the dialout group only and
    // one closed to everybody; the folder must be open to the other user.
    const std::string groupOnly = folder.file("ttyGroup");
    const std::string closed = folder.file("ttyClosed");
    if (::mknod(groupOnly.c_str(), S_IFCHR | 0660, pts.st_rdev) != 0 ||
        ::mknod(closed.c_str(), S_IFCHR | 0000, pts.st_rdev) != 0)
        GTEST_SKIP() << "cannot make device nodes here";
    ASSERT_EQ(::chown(groupOnly.c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(::chmod(groupOnly.c_str(), 0660), 0);
    ASSERT_EQ(::chmod(closed.c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);

    const ProcessResult r = runProcess({"/usr/bin/setpriv", "--reuid=nobody", "--regid=nogroup",
                                        "--clear-groups", VEXOR_CLI_PATH, "--no-system-ports",
                                        "--lang", "1", "-p", groupOnly, "-p", closed, "doctor"});
    if (r.status == 126 || r.status == 127 || contains(r.err, "setpriv:"))
        GTEST_SKIP() << "cannot run as nobody: " << r.err;

    EXPECT_EQ(r.status, 3) << r.err;
    const auto lines = reportLines(r.out);
    ASSERT_EQ(lines.size(), 2u) << r.out;
    EXPECT_EQ(lines[0][1], "denied");
    EXPECT_TRUE(contains(lines[0][2], "sudo usermod -aG dialout nobody")) << lines[0][2];
    EXPECT_TRUE(contains(lines[0][2], "0660")) << lines[0][2];
    EXPECT_TRUE(contains(lines[0][2], "log in again")) << lines[0][2];
    // Joining root's group is no advice: a closed device needs a rule.
    EXPECT_EQ(lines[1][1], "denied");
    EXPECT_FALSE(contains(lines[1][2], "usermod")) << lines[1][2];
    EXPECT_TRUE(contains(lines[1][2], "0000")) << lines[1][2];
}

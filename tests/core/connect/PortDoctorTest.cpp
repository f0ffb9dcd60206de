#include "connect/PortDoctor.h"
#include "../files/TempFolder.h"
#include "lang/Language.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <stdexcept>

#include <termios.h>

#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;
using vexor::CPortDoctor;
using vexor::EPortState;
using vexor::PortDoctorOptions;
using vexor::SPortFinding;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Options that look only at the test's own folder for lock files and brltty.
PortDoctorOptions isolated(const CTempFolder& dir) {
    PortDoctorOptions options;
    options.lockFolders = {dir.file("lock")};
    options.brlttyPrograms = {dir.file("bin/brltty")};
    options.udevRuleFolders = {dir.file("rules.d")};
    fs::create_directories(dir.file("lock"));
    return options;
}

// A child process that does nothing until it is killed; its PID stands for a
// program that locked the port.
class CIdleChild {
public:
    CIdleChild() {
        int named[2];
        if (::pipe(named) != 0)
            throw std::runtime_error("pipe");
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_NAME, "minicom-ish");
            (void)!::write(named[1], "x", 1);
            for (;;)
                ::pause();
        }
        ::close(named[1]);
        char x;
        (void)!::read(named[0], &x, 1); // named before anyone reads its name
        ::close(named[0]);
    }
    ~CIdleChild() {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid;
};

class PortDoctorTest : public ::testing::Test {
protected:
    void SetUp() override { vexor::setCurrentLanguage(vexor::kLangEnglish); }
    void TearDown() override { vexor::setCurrentLanguage(vexor::kLangPolish); }
};

} // namespace

TEST_F(PortDoctorTest, LockFilesCountOnlyWhileTheirProcessLivesAndHoldersAreNamed) {
    CTempFolder dir;
    vexor::test::PseudoTerminal terminal;
    fs::create_directories(dir.file("lock"));
    const std::string lock =
        dir.file("lock/LCK.." + fs::path(terminal.slave()).filename().string());
    int probed = 0;
    const vexor::ControllerProbe silentProbe = [&](int n) -> std::optional<std::string> {
        probed = n;
        return std::nullopt;
    };

    {
        CIdleChild child;
        std::ofstream(lock) << "      " << child.pid() << "\n"; // the ten-column text form
        const SPortFinding held =
            CPortDoctor(isolated(dir)).examine(terminal.slave(), 4, silentProbe);
        EXPECT_EQ(held.state, EPortState::Busy);
        EXPECT_TRUE(contains(held.detail, std::to_string(child.pid()) + " (minicom-ish)"))
            << held.detail;
        EXPECT_EQ(probed, 0) << "a busy port is never talked to";
    }
    // The locking program died without removing its file.
    const SPortFinding stale = CPortDoctor(isolated(dir)).examine(terminal.slave(), 4, silentProbe);
    EXPECT_EQ(stale.state, EPortState::Silent) << stale.detail;
    EXPECT_EQ(probed, 4);

    // A lock taken with flock() through another open of the same device;
    // the holder list comes from the caller here, as ModemManager.
    const int fd = ::open(terminal.slave().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    PortDoctorOptions options = isolated(dir);
    options.openHolders = [](const std::string&) {
        return std::vector<vexor::SPortHolder>{{4321, "ModemManager"}};
    };
    const SPortFinding modem = CPortDoctor(options).examine(terminal.slave(), 1, silentProbe);
    ::close(fd);
    EXPECT_EQ(modem.state, EPortState::Busy);
    EXPECT_TRUE(contains(modem.detail, "4321 (ModemManager)")) << modem.detail;
    EXPECT_TRUE(contains(modem.detail, "systemctl stop ModemManager")) << modem.detail;

    // This program's own search left the port open and exclusive: that is
    // not another program holding it.
    const int own = ::open(terminal.slave().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(own, 0);
    ASSERT_EQ(::ioctl(own, TIOCEXCL), 0);
    const SPortFinding self = CPortDoctor(isolated(dir)).examine(terminal.slave(), 1, {});
    ::ioctl(own, TIOCNXCL);
    ::close(own);
    EXPECT_EQ(self.state, EPortState::Silent) << self.detail;

    // Free again: the probe decides, and its identity text is passed on.
    const SPortFinding answers = CPortDoctor(isolated(dir)).examine(terminal.slave(), 2, [](int) {
        return std::optional<std::string>("2.8, X1");
    });
    EXPECT_EQ(answers.state, EPortState::Answers);
    EXPECT_TRUE(contains(answers.detail, "(2.8, X1)")) << answers.detail;
}

TEST_F(PortDoctorTest, BrlttyIsBlamedForVanishedAdaptersOnlyWhenItsRulesClaimCh340) {
    CTempFolder dir;
    PortDoctorOptions options = isolated(dir);
    const std::string gone = dir.file("ttyUSB0");

    EXPECT_FALSE(contains(CPortDoctor(options).examine(gone, 1, {}).detail, "brltty"));

    fs::create_directories(dir.file("bin"));
    fs::create_directories(dir.file("rules.d"));
    std::ofstream(dir.file("bin/brltty")) << "#!/bin/sh\n";
    fs::permissions(dir.file("bin/brltty"), fs::perms::owner_all);
    std::ofstream(dir.file("rules.d/85-brltty.rules"))
        << "# 1a86 mentioned in a comment only\nENV{PRODUCT}==\"0403/6001/*\", GOTO=\"b\"\n";
    EXPECT_FALSE(CPortDoctor(options).brlttyClaimsCh340());

    std::ofstream(dir.file("rules.d/85-brltty.rules"), std::ios::app)
        << "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"b\"\n";
    const SPortFinding finding = CPortDoctor(options).examine(gone, 1, {});
    EXPECT_EQ(finding.state, EPortState::Missing);
    EXPECT_TRUE(contains(finding.detail, "apt-get remove brltty")) << finding.detail;
}

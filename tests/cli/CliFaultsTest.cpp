// Signals, lost links, recordings, hostile files and busy ports, each run
// through the real vexor-cli against the simulator.

#include "CliOnSim.h"

#include "doc/KorvantisDoc.h"
#include "files/FirmwareFileBuilder.h"
#include "platform/FileKind.h"
#include "platform/PortHolders.h"

#include <fstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// vexor-cli running in the background, its stderr collected as it comes.
class CRunning {
public:
    explicit CRunning(const std::vector<std::string>& argv) {
        int err[2];
        if (::pipe2(err, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        const int spawned = ::posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(err[1]);
        m_err = err[0];
        if (spawned != 0)
            throw std::runtime_error("spawn");
    }
    ~CRunning() {
        if (m_pid > 0) {
            if (!m_ended)
                ::kill(m_pid, SIGKILL);
            (void)wait();
        }
        ::close(m_err);
    }
    // Reads stderr until it holds `part` or the program ends.
    bool waitFor(const std::string& part) {
        while (!contains(m_text, part)) {
            pollfd fd{m_err, POLLIN, 0};
            if (::poll(&fd, 1, 100) < 0 && errno != EINTR)
                return false;
            char chunk[1024];
            if (fd.revents) {
                const ssize_t n = ::read(m_err, chunk, sizeof chunk);
                if (n <= 0)
                    return contains(m_text, part);
                m_text.append(chunk, static_cast<std::size_t>(n));
            }
        }
        return true;
    }
    void signal(int number) { ::kill(m_pid, number); }
    // Whether the program has not ended yet.
    bool running() {
        if (m_ended)
            return false;
        m_ended = ::waitpid(m_pid, &m_status, WNOHANG) == m_pid;
        return !m_ended;
    }
    pid_t pid() const { return m_pid; }
    // Exit status, or 128 + the signal that ended it.
    int wait() {
        int status = m_status;
        while (!m_ended && ::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = 0;
        (void)waitFor("\x01"); // the rest of stderr, up to its end
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    const std::string& err() const { return m_text; }

private:
    pid_t m_pid = 0;
    bool m_ended = false;
    int m_status = 0;
    int m_err = -1;
    std::string m_text;
};

std::string firmwareFile(CTempFolder& folder) {
    std::vector<std::uint8_t> image(30000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + 5);
    const auto bytes = vexor::buildFirmwareFile(image, 0x0208, "KORVANTIS");
    const std::string path = folder.file("new.img");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

// The simulator behind a link, so that it can come back on a new line.
class CliFaults : public CliOnSim {
protected:
    void SetUp() override {
        server.setLink(folder.file("ttyVEXOR"));
        CliOnSim::SetUp();
    }
    ProcessResult run(std::initializer_list<std::string> args) {
        return cliOn(server.linkPath(), args);
    }
    std::vector<std::string> argv(std::initializer_list<std::string> args) {
        std::vector<std::string> a = base(server.linkPath());
        a.insert(a.end(), args.begin(), args.end());
        return a;
    }
};

} // namespace

TEST_F(CliFaults, ctrlCDuringAFlashWarnsFirstThenStopsReleasingThePortAndFlashingAgainRecovers) {
    const std::string image = firmwareFile(folder);
    // Pages slow enough to be caught in the middle.
    server.faults().setReplyDelay(std::chrono::milliseconds(40), SimMatch::cmd(251));
    {
        CRunning flash(argv({"flash", image}));
        // No progress lines into a pipe: the controller's log says when
        // programming is under way.
        while (count(SimMatch::cmd(251)) == 0 && flash.running())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(flash.running()) << flash.err();
        flash.signal(SIGINT);
        ASSERT_TRUE(flash.waitFor("Ctrl-C")) << flash.err();
        const std::size_t pagesAtWarning = count(SimMatch::cmd(251));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_GT(count(SimMatch::cmd(251)), pagesAtWarning); // the write went on
        flash.signal(SIGINT);
        EXPECT_EQ(flash.wait(), 128 + SIGINT);
        EXPECT_TRUE(contains(flash.err(), "Przerwano."));
        EXPECT_TRUE(contains(flash.err(), CKorvantisDoc::kMsgHalfProgrammed)) << flash.err();
    }
    EXPECT_TRUE(sim([](CSimController& c) { return c.programmingMode(); }));

    // The port is free for the next command, which puts the controller right.
    // The controller still answers the stopped program's last page 40 ms
    // late; a fitter types the next command later than that.
    server.faults().clear();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const ProcessResult again = run({"flash", image});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(sim([](CSimController& c) { return c.programmingEnded(); }));
}

TEST_F(CliFaults, aSignalOutsideAWriteStopsAtOnceAndLeavesThePortFree) {
    server.faults().setSilent(SimMatch::read(0xCC));
    {
        CRunning identify(argv({"identify"}));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        identify.signal(SIGTERM);
        EXPECT_EQ(identify.wait(), 128 + SIGTERM);
    }
    server.faults().clear();
    EXPECT_EQ(run({"identify"}).status, 0);
}

TEST_F(CliFaults, liveGoesOnAfterTheControllerCameBackAndTheRecordingHoldsEveryPrintedLine) {
    const std::string recording = folder.file("run.osc");
    server.setReturnAfterHangUp(std::chrono::milliseconds(300));
    server.faults().setHangUpOnRequest(10, SimMatch::read(6));

    const ProcessResult live = run({"live", "-n", "25", "--record", recording});
    ASSERT_EQ(live.status, 0) << live.err;
    EXPECT_EQ(server.returns(), 1);
    EXPECT_TRUE(contains(live.err, "Połączenie z urządzeniem zostało przywrócone."));
    const auto printed = lines(live.out);
    EXPECT_EQ(printed.size(), 25u);
    EXPECT_EQ(lines(readWholeFile(recording)), printed);
}

TEST_F(CliFaults, liveGivesUpWithStatusThreeWhenNothingComesBackKeepingTheLinesSoFar) {
    const std::string recording = folder.file("run.osc");
    server.faults().setHangUpOnRequest(5, SimMatch::read(6));

    const ProcessResult live = cliOn(server.linkPath(), {"--reconnect-timeout", "1", "live", "-n",
                                                         "100", "--record", recording});
    EXPECT_EQ(live.status, 3) << live.err;
    EXPECT_TRUE(contains(live.err, "Odczyt danych na żywo został przerwany."));
    EXPECT_TRUE(contains(live.err, "Urządzenie nie odpowiada."));
    const auto printed = lines(live.out);
    EXPECT_EQ(printed.size(), 4u);
    EXPECT_EQ(lines(readWholeFile(recording)), printed);
}

TEST_F(CliFaults, liveThatOnlyGetsAnswersToOtherRequestsEndsAsALostControllerInsteadOfWaiting) {
    server.faults().setWrongCommand(0x77, SimMatch::read(6));
    const ProcessResult live =
        cliOn(server.linkPath(), {"--reconnect-timeout", "1", "live", "-n", "5"});
    EXPECT_EQ(live.status, 3) << live.err;
    EXPECT_TRUE(live.out.empty());
    EXPECT_TRUE(contains(live.err, "Urządzenie nie odpowiada.")) << live.err;
    // It did try to get the controller back before giving up.
    EXPECT_GE(count(SimMatch::read(0xCC)), 2u);
}

TEST_F(CliFaults, aRecordingThatHitsTheFileSizeLimitStopsWithStatusOneAndEndsOnAWholeLine) {
    const std::string recording = folder.file("run.osc");
    std::vector<std::string> shell = {"/bin/sh", "-c", "ulimit -f 1; exec \"$0\" \"$@\""};
    for (const std::string& a : argv({"live", "-n", "1000", "--record", recording}))
        shell.push_back(a);
    const ProcessResult live = runProcess(shell);
    EXPECT_EQ(live.status, 1) << live.err;
    EXPECT_TRUE(contains(live.err, "Nie można zapisać pliku z zapisem przebiegu:"));
    const std::string text = readWholeFile(recording);
    ASSERT_FALSE(text.empty());
    EXPECT_LE(text.size(), 512u);
    EXPECT_EQ(text.back(), '\n');
    for (const std::string& line : lines(text))
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 23) << line;
}

TEST_F(CliFaults, filesThatAreNotRegularAreRefusedAtOnceAndNeverReplaced) {
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string notRegular = vexor::notRegularMessage();
    for (const auto& args : std::vector<std::vector<std::string>>{{"settings", "load", fifo},
                                                                  {"settings", "save", fifo},
                                                                  {"flash", fifo},
                                                                  {"flash", folder.file("")},
                                                                  {"live", "--record", fifo}}) {
        std::vector<std::string> a = base(server.linkPath());
        a.insert(a.end(), args.begin(), args.end());
        const ProcessResult refused = runProcess(a, std::chrono::seconds(20));
        EXPECT_EQ(refused.status, 2) << args[0] << " " << args.back() << "\n" << refused.err;
    }
    EXPECT_EQ(vexor::fileKind(fifo), vexor::FileKind::Fifo);
    EXPECT_EQ(server.requestLog().size(), 0u);

    // A link to a regular file is written through; a dangling one is left alone.
    const std::string target = folder.file("target.xset");
    writeWholeFile(target, "old\n");
    const std::string link = folder.file("link.xset");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_EQ(run({"settings", "save", link}).status, 0);
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_TRUE(contains(readWholeFile(target), "m_base.m_switchRPM\t"));

    const std::string dangling = folder.file("dangling.xset");
    ASSERT_EQ(::symlink(folder.file("nowhere/x.xset").c_str(), dangling.c_str()), 0);
    EXPECT_EQ(run({"settings", "save", dangling}).status, 2);
    ASSERT_EQ(::lstat(dangling.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(CliFaults, aPortHeldByAnotherProgramIsReportedAsBusyWithItsProcess) {
    // Another run that polls the controller holds the port.
    CRunning live(argv({"live"}));
    const pid_t holder = live.pid();
    while (count(SimMatch::read(6)) < 3)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const ProcessResult identify = run({"identify"});
    live.signal(SIGINT);
    EXPECT_EQ(live.wait(), 0);
    EXPECT_EQ(identify.status, 3);
    EXPECT_TRUE(contains(identify.err, "Port jest zajęty przez inny program:")) << identify.err;
    EXPECT_TRUE(contains(identify.err, "PID " + std::to_string(holder))) << identify.err;

    // A controller that does not answer is not a busy port.
    server.faults().setSilent();
    const ProcessResult silent = run({"identify"});
    EXPECT_EQ(silent.status, 3);
    EXPECT_FALSE(contains(silent.err, "Port jest zajęty")) << silent.err;
}

TEST_F(CliFaults, identifyPrintsWhatItReadButFailsWhenABlockWasNotRead) {
    server.faults().setBadChecksum(SimMatch::read(7));
    const ProcessResult identify = run({"identify"});
    EXPECT_EQ(identify.status, 1);
    EXPECT_TRUE(contains(identify.out, "serial: "));
    EXPECT_TRUE(contains(identify.err, "(m_base)")) << identify.err;

    const std::string file = folder.file("car.xset");
    writeWholeFile(file, "mine\n");
    EXPECT_EQ(run({"settings", "save", file}).status, 1);
    EXPECT_EQ(readWholeFile(file), "mine\n");
}

TEST_F(CliFaults, aHostileValueIsRefusedWithStatusTwoNamingKeyAndLine) {
    const std::string file = folder.file("car.xset");
    ASSERT_EQ(run({"settings", "save", file}).status, 0);
    std::string text = readWholeFile(file);
    const auto at = text.find("m_base.m_sparkDivider\t");
    text.replace(at, text.find('\n', at) - at, "m_base.m_sparkDivider\t300");
    writeWholeFile(file, text);
    server.requestLog().clear();

    const ProcessResult load = run({"settings", "load", file});
    EXPECT_EQ(load.status, 2);
    EXPECT_TRUE(contains(load.err, "m_base.m_sparkDivider = 300")) << load.err;
    EXPECT_TRUE(contains(load.err, "0..255")) << load.err;
    EXPECT_EQ(server.requestLog().size(), 0u);
}

TEST_F(CliFaults, liveStoppedBeforeItsCountEndsWithTheSignalsStatusAndOnlyCtrlCEndsAnOpenRunWell) {
    struct Stop {
        bool counted;
        int signal;
        int status;
    };
    for (const Stop& stop :
         {Stop{true, SIGINT, 130}, Stop{true, SIGTERM, 143}, Stop{true, SIGHUP, 129},
          Stop{false, SIGINT, 0}, Stop{false, SIGTERM, 143}}) {
        const std::size_t before = count(SimMatch::read(6));
        CRunning live(stop.counted ? argv({"live", "-n", "100000"}) : argv({"live"}));
        // Stopped once records flow, not while it is still connecting.
        while (count(SimMatch::read(6)) < before + 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        live.signal(stop.signal);
        EXPECT_EQ(live.wait(), stop.status)
            << (stop.counted ? "live -n, signal " : "live, signal ") << stop.signal << "\n"
            << live.err();
    }
}

TEST_F(CliFaults, everyFileRefusalNamesTheFileAndTheSystemsReason) {
    const std::string missing = folder.file("no/such.xset");
    const std::string dangling = folder.file("dangling.xset");
    ASSERT_EQ(::symlink(missing.c_str(), dangling.c_str()), 0);
    // Larger than any settings file may be, without taking the disk.
    const std::string huge = folder.file("huge.xset");
    writeWholeFile(huge, "x");
    ASSERT_EQ(::truncate(huge.c_str(), 59 << 20), 0);
    const std::string fifo = folder.file("pipe.img");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Refusal {
        std::vector<std::string> args;
        std::string path;
        std::string reason;
    };
    for (const Refusal& r :
         std::vector<Refusal>{{{"settings", "load", missing}, missing, std::strerror(ENOENT)},
                              {{"settings", "load", dangling}, dangling, std::strerror(ENOENT)},
                              {{"settings", "load", huge}, huge, std::strerror(EFBIG)},
                              {{"settings", "save", missing}, missing, std::strerror(ENOENT)},
                              {{"flash", missing}, missing, std::strerror(ENOENT)},
                              {{"flash", fifo}, fifo, ""}}) {
        std::vector<std::string> a = base(server.linkPath());
        a.insert(a.end(), r.args.begin(), r.args.end());
        const ProcessResult refused = runProcess(a, std::chrono::seconds(20));
        EXPECT_EQ(refused.status, 2) << r.args[0] << " " << r.path << "\n" << refused.err;
        EXPECT_TRUE(contains(refused.err, "vexor-cli: ")) << refused.err;
        EXPECT_TRUE(contains(refused.err, r.path + (r.reason.empty() ? "" : ": " + r.reason)))
            << refused.err;
    }
    EXPECT_EQ(server.requestLog().size(), 0u);

    // A save that runs out of room names the file and why, and keeps the old one.
    const std::string car = folder.file("car.xset");
    writeWholeFile(car, "the fitter's own file\n");
    std::vector<std::string> shell = {"/bin/sh", "-c", "ulimit -f 4; exec \"$0\" \"$@\""};
    for (const std::string& a : argv({"settings", "save", car}))
        shell.push_back(a);
    const ProcessResult full = runProcess(shell);
    EXPECT_EQ(full.status, 2) << full.err;
    EXPECT_TRUE(contains(full.err, car + ": " + std::strerror(EFBIG))) << full.err;
    EXPECT_EQ(readWholeFile(car), "the fitter's own file\n");
}

TEST_F(CliFaults, aRunKilledOutrightLeavesAStaleFlagThatIsToldApartFromABusyPortAndTakenOver) {
    {
        CRunning live(argv({"live"}));
        while (count(SimMatch::read(6)) < 3)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        live.signal(SIGKILL);
        EXPECT_EQ(live.wait(), 128 + SIGKILL);
    }
    // The pseudo-terminal keeps the killed run's exclusive flag; nobody but
    // the simulator serving the line has the port open.
    const ProcessResult doctor = run({"doctor"});
    EXPECT_EQ(doctor.status, 3);
    EXPECT_TRUE(contains(doctor.out, std::string("\tbusy\t") + vexor::kMsgStaleExclusive))
        << doctor.out;
    EXPECT_FALSE(contains(doctor.out, "PID")) << doctor.out;

    const ProcessResult identify = run({"identify"});
    if (::geteuid() == 0) {
        // Whoever may take the flag over does, and releases it at the end.
        EXPECT_EQ(identify.status, 0) << identify.err;
        EXPECT_EQ(run({"doctor"}).status, 0);
    } else {
        EXPECT_EQ(identify.status, 3);
        EXPECT_TRUE(contains(identify.err, vexor::kMsgStaleExclusive)) << identify.err;
        EXPECT_FALSE(contains(identify.err, "Port jest zajęty przez inny program:"));
    }
}

TEST_F(CliFaults, aPlainFileGivenAsThePortIsCalledWhatDoctorCallsIt) {
    const std::string plain = folder.file("port.txt");
    writeWholeFile(plain, "not a port\n");
    const ProcessResult identify = cliOn(plain, {"identify"});
    EXPECT_EQ(identify.status, 3);
    EXPECT_TRUE(contains(identify.err, plain + ": not-a-terminal: ")) << identify.err;
    const ProcessResult doctor = cliOn(plain, {"doctor"});
    const std::string detail = doctor.out.substr(doctor.out.rfind('\t') + 1);
    EXPECT_TRUE(contains(doctor.out, plain + "\tnot-a-terminal\t")) << doctor.out;
    EXPECT_TRUE(contains(identify.err, detail)) << identify.err << "\n" << doctor.out;
}

TEST_F(CliFaults, aSerialNumberWithALineBreakAndBytesThatAreNotUtf8IsShownEscaped) {
    std::array<std::uint8_t, 16> serial{};
    const std::string hostile = "GAS1\nport: x\xff";
    std::copy(hostile.begin(), hostile.end(), serial.begin());
    sim([&](CSimController& c) { c.setSerialBlock(serial); });
    const ProcessResult identify = run({"identify"});
    ASSERT_EQ(identify.status, 0) << identify.err;
    EXPECT_EQ(lines(identify.out).size(), 10u) << identify.out;
    EXPECT_TRUE(contains(identify.out, "serial: GAS1\\x0Aport: x\\xFF\n")) << identify.out;

    const std::string sheet = folder.file("sheet.html");
    ASSERT_EQ(run({"report", sheet}).status, 0);
    const std::string html = readWholeFile(sheet);
    EXPECT_TRUE(contains(html, "GAS1\\x0Aport: x\\xFF")) << html;
    EXPECT_FALSE(contains(html, "\xff"));
}

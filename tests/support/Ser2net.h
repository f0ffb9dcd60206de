#pragma once

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vexor::test {

// ser2net run by a test in front of a device, on 127.0.0.1 only, with the
// configuration shipped in packaging/ (its device and ports replaced). The
// two accepters: telnet with COM-port control, and raw TCP.
class CSer2net {
public:
    CSer2net() = default;
    ~CSer2net() { stop(SIGTERM); }
    CSer2net(const CSer2net&) = delete;
    CSer2net& operator=(const CSer2net&) = delete;

    // Starts ser2net; an empty result when it listens, otherwise why it
    // cannot run here. The ports chosen the first time are kept by restarts.
    std::string start(const std::string& device, const std::string& folder,
                      const std::string& shippedConfig) {
        const std::string program = findProgram();
        if (program.empty())
            return "ser2net is not installed (tools/install-deps.sh installs it)";
        if (m_rfc2217Port == 0) {
            m_rfc2217Port = freePort();
            m_rawPort = freePort();
        }
        if (m_rfc2217Port == 0 || m_rawPort == 0)
            return "no free TCP port on 127.0.0.1";
        std::ifstream in(shippedConfig);
        std::stringstream text;
        text << in.rdbuf();
        std::string config = text.str();
        if (config.empty())
            return "cannot read " + shippedConfig;
        replaceAll(config, "/dev/ttyUSB0", device);
        replaceAll(config, "127.0.0.1,7000", "127.0.0.1," + std::to_string(m_rfc2217Port));
        replaceAll(config, "127.0.0.1,7001", "127.0.0.1," + std::to_string(m_rawPort));
        const std::string configPath = folder + "/ser2net.yaml";
        m_log = folder + "/ser2net.log";
        std::ofstream(configPath) << config;

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, m_log.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        // -n: stay in the foreground; -u: no UUCP lock files.
        std::vector<std::string> argv = {program, "-n", "-u", "-c", configPath};
        std::vector<char*> args;
        for (std::string& a : argv)
            args.push_back(a.data());
        args.push_back(nullptr);
        const int spawned =
            ::posix_spawn(&m_pid, program.c_str(), &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            m_pid = 0;
            return "ser2net cannot be started: " + std::string(std::strerror(spawned));
        }
        // Listening is seen in the kernel's socket table, so no test
        // connection opens the device before the test does.
        for (int i = 0; i < 200; ++i) {
            if (listening(m_rfc2217Port) && listening(m_rawPort))
                return {};
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = 0;
                return "ser2net ended at start: " + logText();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
        }
        stop(SIGKILL);
        return "ser2net does not listen: " + logText();
    }

    // Ends ser2net: SIGKILL drops every connection without a word, as a
    // lost network does from the client's side.
    void stop(int signal = SIGTERM) {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, signal);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = 0;
    }

    std::string rfc2217Address() const {
        return "rfc2217://127.0.0.1:" + std::to_string(m_rfc2217Port);
    }
    std::string rawAddress() const { return "tcp://127.0.0.1:" + std::to_string(m_rawPort); }
    std::string logText() const {
        std::ifstream in(m_log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    static std::string findProgram() {
        for (const char* p : {"/usr/sbin/ser2net", "/usr/bin/ser2net", "/usr/local/sbin/ser2net"}) {
            if (::access(p, X_OK) == 0)
                return p;
        }
        return {};
    }

    static uint16_t freePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        uint16_t port = 0;
        if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) == 0)
            port = ntohs(a.sin_port);
        if (fd >= 0)
            ::close(fd);
        return port;
    }

    static bool listening(uint16_t port) {
        char wanted[32];
        std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port);
        std::ifstream in("/proc/net/tcp");
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string slot, local, remote, state;
            fields >> slot >> local >> remote >> state;
            if (local == wanted && state == "0A")
                return true;
        }
        return false;
    }

    static void replaceAll(std::string& text, const std::string& from, const std::string& to) {
        for (std::size_t at = text.find(from); at != std::string::npos;
             at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    }

    pid_t m_pid = 0;
    uint16_t m_rfc2217Port = 0;
    uint16_t m_rawPort = 0;
    std::string m_log;
};

} // namespace vexor::test

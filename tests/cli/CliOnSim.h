#pragma once

#include "CliRunner.h"
#include "SimServer.h"
#include "core/files/TempFolder.h"
#include "support/CliOnPort.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace vexor::test {

// vexor-cli against a simulated controller served in this process, with its
// remembered port and data folder in a temporary folder. Messages are asked
// for in Polish, the language the texts are written in.
class CliOnSim : public ::testing::Test {
protected:
    void SetUp() override { server.start(); }

    std::vector<std::string> base(const std::string& port) {
        return cliOnPort(VEXOR_CLI_PATH, port, folder);
    }
    ProcessResult cli(std::initializer_list<std::string> args) {
        return cliOn(server.slavePath(), args);
    }
    ProcessResult cliOn(const std::string& port, std::initializer_list<std::string> args) {
        std::vector<std::string> argv = base(port);
        argv.insert(argv.end(), args.begin(), args.end());
        return runProcess(argv);
    }

    template <class F> auto sim(F&& f) { return server.withController(std::forward<F>(f)); }
    std::size_t count(SimMatch match) { return server.requestLog().count(match); }

    CSimServer server;
    CTempFolder folder;
};

} // namespace vexor::test

// vexor-cli: the scriptable front end on the document core.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliOptions.h"
#include "lang/Language.h"
#include "lang/LanguageStart.h"
#include "platform/PortTable.h"
#include "platform/WorkFolders.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#ifndef VEXOR_VERSION
#define VEXOR_VERSION "0"
#endif

int main(int argc, char** argv) {
    // A reader that goes away (`| head`) must not kill the program before it
    // has released the port: a terminal left marked exclusive locks out the
    // next run.
    std::signal(SIGPIPE, SIG_IGN);
    // A recording that meets a file-size limit must fail its write and stop
    // with a message, not kill the program with the port still marked busy.
    std::signal(SIGXFSZ, SIG_IGN);

    CliOptions options;
    std::string error;
    if (!vexor::cli::parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "vexor-cli: %s\n", error.c_str());
        return vexor::cli::kExitUsage;
    }
    if (options.help) {
        vexor::cli::printOut(vexor::cli::usageText());
        return vexor::cli::kExitDone;
    }
    if (options.version) {
        vexor::cli::printOut("vexor-cli " VEXOR_VERSION "\n");
        return vexor::cli::kExitDone;
    }

    vexor::PortTableOptions ports;
    ports.explicitPaths = options.ports;
    ports.systemPorts = !options.noSystemPorts;
    vexor::setCurrentPortTable(vexor::buildPortTable(ports));

    vexor::startLanguages(CWorkFolders::languageFolder());
    if (options.language)
        (void)vexor::setCurrentLanguage(*options.language);

    int status = vexor::cli::kExitFailed;
    {
        CCliCommands commands(options);
        status = commands.run();
    }
    std::fflush(stdout);
    return status;
}

// vexor-cli: the scriptable front end on the document core.

#include "CliCommands.h"
#include "CliComplete.h"
#include "CliFormat.h"
#include "CliOptions.h"
#include "CliOutput.h"
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
    // next run. The failed write is seen instead, and the command stops.
    std::signal(SIGPIPE, SIG_IGN);
    // A recording that meets a file-size limit must fail its write and stop
    // with a message, not kill the program with the port still marked busy.
    std::signal(SIGXFSZ, SIG_IGN);

    // The shells' completion scripts ask here; nothing else runs then.
    if (argc >= 2 && std::string(argv[1]) == vexor::cli::kCompleteCommand) {
        const std::vector<std::string> words(argv + 2, argv + argc);
        (void)vexor::cli::printOut(vexor::cli::completionText(vexor::cli::complete(words)));
        return vexor::cli::finishOutput(vexor::cli::kExitDone);
    }

    CliOptions options;
    std::string error;
    if (!vexor::cli::parseOptions(argc, argv, options, error)) {
        (void)vexor::cli::printErr("vexor-cli: " + error + "\n");
        return vexor::cli::finishOutput(vexor::cli::kExitUsage);
    }
    if (options.help) {
        (void)vexor::cli::printOut(vexor::cli::usageText());
        return vexor::cli::finishOutput(vexor::cli::kExitDone);
    }
    if (options.version) {
        (void)vexor::cli::printOut("vexor-cli " VEXOR_VERSION "\n");
        return vexor::cli::finishOutput(vexor::cli::kExitDone);
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
    return vexor::cli::finishOutput(status);
}

#include "app/AppIdentity.h"
#include "app/AppOptions.h"
#include "app/DialogMnemonics.h"
#include "app/DocumentAdapter.h"
#include "app/KorvantisApp.h"
#include "app/OfflineDocument.h"
#include "app/PortRelease.h"
#include "app/QtTranslations.h"
#include "app/SignalNotifier.h"
#include "diag/RecordingViewer.h"
#include "doc/KorvantisDoc.h"
#include "lang/Language.h"
#include "lang/LanguageStart.h"
#include "platform/PortTable.h"
#include "platform/WorkFolders.h"
#include "threads/LPGThreadManager.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // The options are read before the window system is reached, so usage
    // errors and --help work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    vexor::SAppOptions options;
    QString message;
    switch (vexor::parseAppOptions(arguments, options, message)) {
    case vexor::EOptionsResult::Exit:
        std::fprintf(stdout, "%s\n", qPrintable(message));
        return 0;
    case vexor::EOptionsResult::Error:
        std::fprintf(stderr, "vexor: %s\n", qPrintable(message));
        return 2;
    case vexor::EOptionsResult::Run:
        break;
    }

    if (!vexor::windowSystemReachable(
            arguments, [](const char* name) { return qEnvironmentVariable(name); }, message)) {
        std::fprintf(stderr, "vexor: %s\n", qPrintable(message));
        return 1;
    }

    vexor::releaseTerminalsOnCrash();
    QApplication app(argc, argv);
    vexor::applyAppIdentity();
    CDialogMnemonics dialogKeys;
    app.installEventFilter(&dialogKeys);

    vexor::startLanguages(CWorkFolders::languageFolder());
    if (options.language)
        vexor::setCurrentLanguage(*options.language);
    CQtTranslations::apply(vexor::currentLanguage());
    if (!options.openRecording.empty())
        return CRecordingViewer::runStandalone(options.openRecording,
                                               CWorkFolders(options.dataDir).oscilloscopeFolder());
    vexor::PortTableOptions ports;
    ports.explicitPaths = options.ports;
    ports.systemPorts = options.systemPorts;
    vexor::setCurrentPortTable(vexor::buildPortTable(ports));

    // The document lives until the process ends: a polling thread may still
    // be inside a port read when the window closes.
    auto* doc = new CKorvantisDoc;
    doc->setDataFolder(options.dataDir);
    doc->setConfigFolder(options.configDir);
    CDocumentAdapter device(*doc);
    COfflineDocument port(device);
    CKorvantisApp korvantis(options, port);
    // A second signal while the controller is being written ends at once:
    // the port is released without waiting for the operation.
    CSignalNotifier signalExit([&korvantis] { return korvantis.deviceBusy(); },
                               [](int exitCode) {
                                   vexor::releaseTerminals();
                                   CLPGThreadManager::endProcess(exitCode);
                               });
    int code = korvantis.initInstance() ? 0 : 1;
    // A signal during start-up asked for the end before the loop ran.
    if (signalExit.ending())
        code = signalExit.exitCode();
    else if (code == 0)
        code = QApplication::exec();

    // The window is gone and nothing is left to save; the polling thread may
    // sit in a port read for another second, so end without waiting longer
    // than the document's bounded stop, with the port released.
    vexor::releaseControllerPort(*doc);
    CLPGThreadManager::endProcess(code);
}

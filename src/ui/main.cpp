#include "app/AppOptions.h"
#include "app/KorvantisApp.h"
#include "app/OfflineDocument.h"
#include "lang/Language.h"
#include "lang/LanguageStart.h"
#include "platform/PortTable.h"
#include "platform/WorkFolders.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VEXOR"));
    QApplication::setApplicationVersion(QStringLiteral(VEXOR_VERSION_TEXT));

    vexor::SAppOptions options;
    QString message;
    switch (vexor::parseAppOptions(QApplication::arguments(), options, message)) {
    case vexor::EOptionsResult::Exit:
        std::fprintf(stdout, "%s\n", qPrintable(message));
        return 0;
    case vexor::EOptionsResult::Error:
        std::fprintf(stderr, "vexor: %s\n", qPrintable(message));
        return 2;
    case vexor::EOptionsResult::Run:
        break;
    }

    vexor::startLanguages(CWorkFolders::languageFolder());
    if (options.language)
        vexor::setCurrentLanguage(*options.language);
    vexor::PortTableOptions ports;
    ports.explicitPaths = options.ports;
    ports.systemPorts = options.systemPorts;
    vexor::setCurrentPortTable(vexor::buildPortTable(ports));

    COfflineDocument doc;
    CKorvantisApp korvantis(options, doc);
    if (!korvantis.initInstance())
        return 1;
    QApplication::exec();

    // The polling thread may sit in a port read for another second; the
    // window is gone and nothing is left to save, so end at once.
    std::fflush(nullptr);
    std::_Exit(0);
}

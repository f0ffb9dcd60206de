#include "app/AppOptions.h"

#include "lang/Language.h"

#include <QCommandLineParser>

namespace vexor {

namespace {

// The window system's own options, which QApplication takes out of the
// command line itself; the first group takes a value.
const QStringList kQtValueOptions = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("display"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("session"),         QStringLiteral("name"),
    QStringLiteral("title"),           QStringLiteral("visual")};
const QStringList kQtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                    QStringLiteral("nograb"), QStringLiteral("dograb"),
                                    QStringLiteral("sync")};

QStringList withoutQtOptions(const QStringList& arguments) {
    QStringList kept;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (i > 0 && argument.startsWith(QLatin1Char('-'))) {
            QString name = argument;
            while (name.startsWith(QLatin1Char('-')))
                name.remove(0, 1);
            if (kQtFlagOptions.contains(name))
                continue;
            if (kQtValueOptions.contains(name)) {
                ++i; // and its value
                continue;
            }
        }
        kept << argument;
    }
    return kept;
}

} // namespace

EOptionsResult parseAppOptions(const QStringList& arguments, SAppOptions& options,
                               QString& message) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("VEXOR - configuration and diagnostics of a sequential LPG/CNG "
                       "gas-injection controller"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption port(QStringList{QStringLiteral("p"), QStringLiteral("port")},
                                  QStringLiteral("A serial device to put first in the port "
                                                 "table (repeatable); tcp://HOST:PORT or "
                                                 "rfc2217://HOST:PORT names an adapter served "
                                                 "over the network by ser2net."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption configDir(QStringLiteral("config-dir"),
                                       QStringLiteral("Folder of the remembered-port file."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Program data folder (settings/, "
                                                    "Oscyloskop/)."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption noSystemPorts(
        QStringLiteral("no-system-ports"),
        QStringLiteral("Leave the system's serial devices out of the port table."));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Interface language index 0..13."),
                                  QStringLiteral("N"));
    const QCommandLineOption module(QStringLiteral("module"),
                                    QStringLiteral("Module type, answering the start-up "
                                                   "question: lpg or cng."),
                                    QStringLiteral("TYPE"));
    const QCommandLineOption noSplash(QStringLiteral("no-splash"),
                                      QStringLiteral("Start without the splash picture."));
    const QCommandLineOption offline(QStringLiteral("offline"),
                                     QStringLiteral("Edit a settings file without a controller "
                                                    "(no port search)."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption openRecording(
        QStringLiteral("open-recording"),
        QStringLiteral("Show a recording (.osc) in the recording viewer, without a controller."),
        QStringLiteral("FILE"));
    parser.addOptions(
        {port, configDir, dataDir, noSystemPorts, lang, module, noSplash, offline, openRecording});
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A settings file (.xset) to edit offline, or a recording (.osc) to show."),
        QStringLiteral("[FILE]"));

    if (!parser.parse(withoutQtOptions(arguments))) {
        message = parser.errorText();
        return EOptionsResult::Error;
    }
    if (parser.isSet(help)) {
        message = parser.helpText();
        message.replace(QStringLiteral("<executable_name>"), QStringLiteral("vexor"));
        return EOptionsResult::Exit;
    }
    if (parser.isSet(version)) {
        message = QStringLiteral("vexor ") + QStringLiteral(VEXOR_VERSION_TEXT);
        return EOptionsResult::Exit;
    }
    // A file handed over by the file manager (the desktop entry's %f): a
    // settings file opens for offline editing, a recording in the viewer.
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        message = QStringLiteral("unexpected argument: ") + files.at(1);
        return EOptionsResult::Error;
    }
    if (!files.isEmpty()) {
        const QString& file = files.front();
        if (file.endsWith(QLatin1String(".xset"), Qt::CaseInsensitive) && !parser.isSet(offline)) {
            options.offlineFile = file.toStdString();
        } else if (file.endsWith(QLatin1String(".osc"), Qt::CaseInsensitive) &&
                   !parser.isSet(openRecording)) {
            options.openRecording = file.toStdString();
        } else {
            message = QStringLiteral("unexpected argument: ") + file +
                      QStringLiteral(" (vexor opens a settings file, .xset, or a recording, .osc)");
            return EOptionsResult::Error;
        }
    }

    for (const QString& path : parser.values(port))
        options.ports.push_back(path.toStdString());
    options.systemPorts = !parser.isSet(noSystemPorts);
    options.configDir = parser.value(configDir).toStdString();
    options.dataDir = parser.value(dataDir).toStdString();
    options.splash = !parser.isSet(noSplash);
    if (parser.isSet(offline)) {
        options.offlineFile = parser.value(offline).toStdString();
        if (options.offlineFile.empty()) {
            message = QStringLiteral("--offline takes a settings file");
            return EOptionsResult::Error;
        }
    }
    if (parser.isSet(openRecording))
        options.openRecording = parser.value(openRecording).toStdString();
    if (parser.isSet(lang)) {
        bool ok = false;
        const int index = parser.value(lang).toInt(&ok);
        if (!ok || index < 0 || index >= kLanguageCount) {
            message = QStringLiteral("--lang takes a language index 0..13");
            return EOptionsResult::Error;
        }
        options.language = index;
    }
    if (parser.isSet(module)) {
        const QString type = parser.value(module).toLower();
        if (type != QLatin1String("lpg") && type != QLatin1String("cng")) {
            message = QStringLiteral("--module takes lpg or cng");
            return EOptionsResult::Error;
        }
        options.cng = type == QLatin1String("cng");
    }
    return EOptionsResult::Run;
}

bool windowSystemReachable(const QStringList& arguments,
                           const std::function<QString(const char*)>& environment,
                           QString& message) {
    if (arguments.contains(QStringLiteral("-platform")) ||
        !environment("QT_QPA_PLATFORM").isEmpty() || !environment("DISPLAY").isEmpty() ||
        !environment("WAYLAND_DISPLAY").isEmpty())
        return true;
    message = QStringLiteral("no display: the window program needs a graphical session "
                             "(DISPLAY or WAYLAND_DISPLAY). Without one, vexor-cli does the "
                             "same work from a terminal; see vexor-cli --help.");
    return false;
}

} // namespace vexor

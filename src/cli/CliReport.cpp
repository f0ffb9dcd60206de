#include "CliCommands.h"
#include "CliFormat.h"
#include "lang/Translate.h"
#include "platform/AtomicFile.h"
#include "platform/StationCode.h"
#include "platform/WorkFolders.h"
#include "report/BackupBaseline.h"
#include "report/JobSheetBuilder.h"
#include "report/JobSheetCollector.h"
#include "report/JobSheetHtml.h"
#include "report/JobSheetPhrases.h"
#include "report/Workshop.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <unistd.h>

#ifdef VEXOR_HAVE_PDF
#include "PagedHtml.h"

#include <QGuiApplication>
#endif

using namespace vexor::cli;

namespace {

constexpr const char* kMsgReportWrite = "Nie można zapisać karty zlecenia do pliku";

std::string lowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

bool writeHtml(const std::string& path, const std::string& html) {
    CAtomicFile file;
    if (!file.open(path))
        return false;
    if (std::fwrite(html.data(), 1, html.size(), file.stream()) != html.size())
        return false;
    return file.commit();
}

#ifdef VEXOR_HAVE_PDF
// Qt's text engine needs a GUI application object, but no display: the
// offscreen platform lays out and paints with the system's fonts.
bool writePdfFile(const std::string& path, const std::string& html, std::string& error) {
    if (QGuiApplication::instance())
        return vexor::print::writePdf(html, vexor::translate(vexor::jobsheet::kTitle), path, error);
    static char name[] = "vexor-cli";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    char* argv[] = {name, platformOption, platform, nullptr};
    int argc = 3;
    // Qt's own notes (a missing runtime folder, font fallbacks) are no
    // message of this program: stderr carries only those.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    return vexor::print::writePdf(html, vexor::translate(vexor::jobsheet::kTitle), path, error);
}
#endif

} // namespace

int CCliCommands::cmdReport(const Args& args) {
    if (args.size() != 1 || args[0].empty())
        return usage("report needs one FILE ending in .pdf or .html");
    const std::string& path = args[0];
    const std::string ext = lowerExtension(path);
    if (ext != ".pdf" && ext != ".html")
        return usage("report writes .pdf or .html, not " + (ext.empty() ? path : ext));
#ifndef VEXOR_HAVE_PDF
    if (ext == ".pdf")
        return usage("this vexor-cli was built without PDF output; write .html");
#endif
    // A file that cannot be written is refused before the controller is
    // touched.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK) != 0 ||
        std::filesystem::is_directory(path)) {
        message(kMsgReportWrite);
        return kExitUsage;
    }

    if (const int status = connectController())
        return status;

    SJobSheetInputs inputs;
    inputs.settings = &m_doc.settings();
    inputs.when = std::time(nullptr);
    inputs.demo = m_doc.isDemo();
    // One connection: what is found now is what was found at connection.
    inputs.now = vexor::readJobSheetFindings(m_doc);
    inputs.atConnection = inputs.now;
    const std::optional<DeviceSettings> baseline =
        m_doc.isDemo() ? std::nullopt
                       : vexor::dayBaseline(m_doc.dataFolder(), m_doc.settings().m_devInfo.m_serial,
                                            inputs.when);
    inputs.baseline = baseline ? &*baseline : nullptr;
    CDiag record;
    if (m_doc.readDiag(record) == CLPGDevice::kDiagOk)
        inputs.liveRecord = record;
    LoadMap map;
    if (m_doc.readGasolineMap(map))
        inputs.petrolLoadMap = map;
    if (m_doc.readLpgMap(map))
        inputs.gasLoadMap = map;
    vexor::stationCode(inputs.thisStation.data());
    const SWorkshop workshop = vexor::loadWorkshop(m_options.configDir);
    inputs.workshopName = workshop.name;
    inputs.workshopAddress = workshop.address;

    const std::string html = vexor::jobSheetHtml(vexor::buildJobSheet(inputs));
    bool written = false;
    std::string error;
#ifdef VEXOR_HAVE_PDF
    if (ext == ".pdf")
        written = writePdfFile(path, html, error);
    else
#endif
        written = writeHtml(path, html);
    if (!written) {
        m_prompt.message(vexor::translate(kMsgReportWrite) + (error.empty() ? "" : "\n" + error),
                         IUserPrompt::Icon::Error);
        return kExitFailed;
    }
    return kExitDone;
}
